#include "platform/CodePage.h"

#include <windows.h>

namespace {

std::wstring ToWide(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
    return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage, DWORD flags, BOOL* pUsedDefault)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), n, nullptr, pUsedDefault);
    return bytes;
}

} // namespace

unsigned AnsiCodePage()
{
    return ::GetACP();
}

bool IsAnsiLeadByte(unsigned char b)
{
    return ::IsDBCSLeadByte(b) != FALSE;
}

std::wstring AnsiToWide(const CString& text)
{
    return ToWide(text.View(), CP_ACP);
}

std::optional<CString> WideToAnsi(std::wstring_view wide)
{
    BOOL usedDefault = FALSE;
    std::string bytes = FromWide(wide, CP_ACP, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return CString(std::move(bytes));
}

std::string AnsiToUtf8(const CString& text)
{
    // Windows turns a byte that does not convert into the code page's default character (U+30FB,
    // a real character of code page 932): mark those bytes with U+FFFD instead, one by one.
    const std::string_view bytes = text.View();
    if (bytes.empty() || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0)
        return FromWide(AnsiToWide(text), CP_UTF8, 0, nullptr);
    std::wstring wide;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = IsAnsiLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        wchar_t unit[2];
        const int n = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data() + i, static_cast<int>(length), unit, 2);
        if (n > 0) {
            wide.append(unit, static_cast<std::size_t>(n));
            i += length;
        } else {
            wide += L'\xFFFD';
            ++i;
        }
    }
    return FromWide(wide, CP_UTF8, 0, nullptr);
}

std::optional<CString> Utf8ToAnsi(std::string_view utf8)
{
    const std::wstring wide = ToWide(utf8, CP_UTF8);
    if (wide.find(L'\xFFFD') != std::wstring::npos && utf8.find("\xEF\xBF\xBD") == std::string_view::npos)
        return std::nullopt;
    return WideToAnsi(wide);
}

CString FixedText(std::string_view utf8)
{
    return CString(FromWide(ToWide(utf8, CP_UTF8), CP_ACP, WC_NO_BEST_FIT_CHARS, nullptr));
}
