#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion descriptor per call keeps this free of shared state; names are short.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv()
    {
        if (Valid())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; `onBad` is called with the rest of the input where it does not
    // convert and says how many input bytes to skip (0 gives up).
    template <class OnBad>
    bool Convert(std::string_view in, std::string& out, OnBad onBad)
    {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, sizeof buffer - dstLeft);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            const std::size_t skip = onBad(out, std::string_view(src, srcLeft));
            if (skip == 0 || skip > srcLeft)
                return false;
            src += skip;
            srcLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    iconv_t m_cd;
};

// The length of the UTF-8 sequence that starts `rest`, so that a character the code page lacks is
// passed over whole; 1 for a byte that starts no valid sequence.
std::size_t Utf8SequenceLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > rest.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

} // namespace

unsigned AnsiCodePage()
{
    return 932;
}

bool IsAnsiLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::string AnsiToUtf8(const CString& text)
{
    std::string out;
    CIconv cd("UTF-8", "CP932");
    if (!cd.Valid())
        return text.Str();
    cd.Convert(text.View(), out, [](std::string& o, std::string_view) {
        o += "\xEF\xBF\xBD";
        return std::size_t{1};
    });
    return out;
}

std::optional<CString> Utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    CIconv cd("CP932", "UTF-8");
    if (!cd.Valid() || !cd.Convert(utf8, out, [](std::string&, std::string_view) { return std::size_t{0}; }))
        return std::nullopt;
    // iconv maps some characters that code page 932 lacks to look-alikes (U+00A5 to the backslash,
    // U+301C to U+FF5E); as on Windows, only a character that comes back unchanged has a form here.
    CString ansi(std::move(out));
    if (AnsiToUtf8(ansi) != utf8)
        return std::nullopt;
    return ansi;
}

CString FixedText(std::string_view utf8)
{
    std::string out;
    CIconv cd("CP932", "UTF-8");
    if (!cd.Valid())
        return CString(utf8);
    cd.Convert(utf8, out, [](std::string& o, std::string_view rest) {
        o += '?';
        return Utf8SequenceLength(rest);
    });
    return CString(std::move(out));
}
