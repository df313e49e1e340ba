#include "definition/XmlText.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// One line as it is put together: bytes written straight into a buffer that is kept from line to
// line, so that writing a line allocates nothing once the longest line has been seen.
class CLineBuffer {
public:
    explicit CLineBuffer(std::string& storage) : m_storage(storage)
    {
        if (m_storage.size() < 256)
            m_storage.resize(256);
    }

    void Put(const char* p, std::size_t n)
    {
        if (n > m_storage.size() - m_length)
            m_storage.resize(std::max(2 * m_storage.size(), m_length + n));
        std::memcpy(&m_storage[m_length], p, n);
        m_length += n;
    }
    void Put(char c) { Put(&c, 1); }
    void Fill(char c, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            Put(c);
    }
    void Truncate(std::size_t length) { m_length = length; }

    const char* Data() const { return m_storage.data(); }
    std::size_t Length() const { return m_length; }

private:
    std::string& m_storage;
    std::size_t m_length = 0;
};

void PutInt(CLineBuffer& line, int value, bool zeroPad, std::size_t width)
{
    char digits[16];
    char* end = digits + sizeof digits;
    char* first = end;
    // Through unsigned long long, so that the lowest int has a magnitude too.
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const auto n = static_cast<std::size_t>(end - first);
    const std::size_t used = n + (value < 0 ? 1 : 0);
    const std::size_t pad = width > used ? width - used : 0;
    if (!zeroPad)
        line.Fill(' ', pad);
    if (value < 0)
        line.Put('-');
    if (zeroPad)
        line.Fill('0', pad);
    line.Put(first, n);
}

// Writes what vsnprintf would for the conversions the lists use (%s, %d with an optional 0 flag
// and a width of up to two digits, %%), without the C library's set-up for every call, which
// costs more than the line itself. False, with the line partly written, at any other conversion.
bool FormatLine(CLineBuffer& line, const char* format, va_list args)
{
    for (const char* p = format; *p;) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            const std::size_t run = next ? static_cast<std::size_t>(next - p) : std::strlen(p);
            line.Put(p, run);
            p += run;
            continue;
        }
        ++p;
        if (*p == '%') {
            line.Put('%');
        } else if (*p == 's') {
            const char* text = va_arg(args, const char*);
            if (!text)
                text = "(null)";
            line.Put(text, std::strlen(text));
        } else {
            const bool zeroPad = *p == '0';
            if (zeroPad)
                ++p;
            std::size_t width = 0;
            for (int digits = 0; *p >= '0' && *p <= '9'; ++p) {
                if (++digits > 2)
                    return false;
                width = width * 10 + static_cast<std::size_t>(*p - '0');
            }
            if (*p != 'd')
                return false;
            PutInt(line, va_arg(args, int), zeroPad, width);
        }
        ++p;
    }
    return true;
}

} // namespace

void AppendLine(CString& out, int level, const char* format, ...)
{
    // The line is put together apart from `out`, because an argument may point into it.
    thread_local std::string storage;
    CLineBuffer line(storage);
    static constexpr char kTabs[] = "\t\t\t\t\t\t\t\t";
    const std::size_t indent = level > 0 ? static_cast<std::size_t>(level) : 0;
    if (indent < sizeof kTabs)
        line.Put(kTabs, indent);
    else
        line.Fill('\t', indent);
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    if (!FormatLine(line, format, args)) {
        line.Truncate(indent);
        CString formatted;
        formatted.AppendFormatV(format, again);
        line.Put(formatted.GetString(), formatted.GetLength());
    }
    va_end(again);
    va_end(args);
    line.Put("\r\n", 2);
    out.Append(line.Data(), line.Length());
}

CString EscapeXml(CString text)
{
    const std::string_view in = text.View();
    std::size_t length = in.size();
    bool plain = true;
    // Walk the characters once to see whether the last byte is a lead byte without its partner,
    // and whether any byte needs a change at all.
    for (std::size_t i = 0; i < length; ++i) {
        const char c = in[i];
        if (IsAnsiLeadByte(static_cast<unsigned char>(c))) {
            if (i + 1 == length)
                length = i;
            else if (static_cast<unsigned char>(in[i + 1]) >= 0x40)
                ++i;
        } else if (c == '&' || c == '<' || c == '>' || c == '"' ||
                   (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
            plain = false;
        }
    }
    // Most names need nothing: they pass as they are.
    if (plain) {
        if (length < in.size())
            return CString(in.substr(0, length));
        return text;
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
