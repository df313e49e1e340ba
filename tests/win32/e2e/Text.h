// Conversions between the three encodings the driver meets: UTF-16 (what it reads from windows),
// the ANSI code page 932 (the bytes Quintaro keeps names and paths in) and UTF-8 (the test sources).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Throws when a character has no form in the code page: a silent '?' would hide a broken test.
std::string WideToCodePage(std::wstring_view wide, UINT codePage);
// The Shift-JIS bytes of a text, as a bank or the program's own file functions hold it.
inline std::string ShiftJis(std::wstring_view wide) { return WideToCodePage(wide, 932); }

// WM_GETTEXT of a window of any process, as UTF-16 and as the bytes of the ANSI code page.
std::wstring WindowText(HWND window);
std::string WindowTextAnsi(HWND window);
std::wstring ClassNameOf(HWND window);

}  // namespace e2e
