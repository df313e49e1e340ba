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

    // Converts all of `in`; `onBad` is called at a byte that does not convert and says how many
    // input bytes to skip (0 gives up).
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
            const std::size_t skip = onBad(out);
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
    cd.Convert(text.View(), out, [](std::string& o) {
        o += "\xEF\xBF\xBD";
        return std::size_t{1};
    });
    return out;
}

std::optional<CString> Utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    CIconv cd("CP932", "UTF-8");
    if (!cd.Valid() || !cd.Convert(utf8, out, [](std::string&) { return std::size_t{0}; }))
        return std::nullopt;
    return CString(std::move(out));
}

CString FixedText(std::string_view utf8)
{
    std::string out;
    CIconv cd("CP932", "UTF-8");
    if (!cd.Valid())
        return CString(utf8);
    cd.Convert(utf8, out, [](std::string& o) {
        o += '?';
        return std::size_t{1};
    });
    return CString(std::move(out));
}
