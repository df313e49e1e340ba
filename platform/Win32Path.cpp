#include "platform/Win32Path.h"

#include "platform/CodePage.h"

#include <windows.h>

std::wstring ToWin32FilePath(const CString& path)
{
    std::wstring wide = AnsiToWide(path);
    if (wide.size() < MAX_PATH - 12 || wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    // The prefix turns off all parsing, so the path must be made full and use backslashes first.
    const DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return wide;
    std::wstring full(n, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    full.resize(written);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}
