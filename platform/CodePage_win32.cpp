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
    return FromWide(AnsiToWide(text), CP_UTF8, 0, nullptr);
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
