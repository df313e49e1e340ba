#include "tests/win32/e2e/Text.h"

#include <stdexcept>
#include <vector>

namespace e2e {

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                        nullptr, 0);
    if (n <= 0)
        throw std::runtime_error("invalid UTF-8");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide)
{
    return WideToCodePage(wide, CP_UTF8);
}

std::string WideToCodePage(std::wstring_view wide, UINT codePage)
{
    if (wide.empty())
        return {};
    BOOL lossy = FALSE;
    BOOL* const lossyFlag = codePage == CP_UTF8 ? nullptr : &lossy;
    const int n = ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, lossyFlag);
    if (n <= 0 || lossy)
        throw std::runtime_error("text not representable in code page " + std::to_string(codePage));
    std::string bytes(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                          nullptr);
    return bytes;
}

std::wstring WindowText(HWND window)
{
    const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied));
}

std::string WindowTextAnsi(HWND window)
{
    // The length in bytes can exceed the one in UTF-16 units; ask for the ANSI length.
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) * 2 + 1, '\0');
    const LRESULT copied = ::SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    const int n = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(n > 0 ? n : 0));
}

}  // namespace e2e
