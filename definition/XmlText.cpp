#include "definition/XmlText.h"

#include "platform/CodePage.h"

#include <cstdarg>

void AppendLine(CString& out, int level, const char* format, ...)
{
    CString line;
    for (int i = 0; i < level; ++i)
        line.AppendChar('\t');
    va_list args;
    va_start(args, format);
    line.AppendFormatV(format, args);
    va_end(args);
    line += "\r\n";
    out += line;
}

CString EscapeXml(CString text)
{
    const std::string_view in = text.View();
    std::size_t length = in.size();
    // Walk the characters once to see whether the last byte is a lead byte without its partner.
    for (std::size_t i = 0; i < length; ++i) {
        if (IsAnsiLeadByte(static_cast<unsigned char>(in[i]))) {
            if (i + 1 == length)
                length = i;
            else if (static_cast<unsigned char>(in[i + 1]) >= 0x40)
                ++i;
        }
    }
    // One pass does what the four replace-all passes would: none of the inserted references can
    // be matched again, and all four characters lie below 0x40, so none is a second byte.
    CString out;
    out.Reserve(length + length / 8);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = in[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\t':
        case '\n':
        case '\r': out.AppendChar(c); break;
        default: out.AppendChar(static_cast<unsigned char>(c) < 0x20 ? '?' : c); break;
        }
    }
    return out;
}
