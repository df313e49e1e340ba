#include "cli/ConsoleSink.h"

#include "platform/CodePage.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

void WriteUtf8(std::FILE* stream, const std::string& text)
{
#ifdef _WIN32
    // A console shows wide text whatever its code page; a pipe or a file gets UTF-8.
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (h != INVALID_HANDLE_VALUE && ::GetConsoleMode(h, &mode)) {
        std::fflush(stream);
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        DWORD written = 0;
        ::WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stream);
}

int CConsoleSink::Show(const CString& text, unsigned type)
{
    m_bAny = true;
    const bool success = (type & MB_ICONMASK) == MB_ICONINFORMATION;
    if (success)
        m_bSucceeded = true;
    WriteUtf8(success ? stdout : stderr, AnsiToUtf8(text) + "\n");
    return IDOK;
}
