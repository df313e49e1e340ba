// The ANSI code page in which every name is held: the system's on Windows, 932 (Shift-JIS)
// elsewhere, since that is the encoding of the files we write for Japanese users.
#pragma once

#include "platform/CString.h"

#include <optional>
#include <string>
#include <string_view>

unsigned AnsiCodePage();

// Whether `b` begins a double-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char b);

// Text for the terminal or a wide API: bytes that do not convert become U+FFFD.
std::string AnsiToUtf8(const CString& text);

// Names typed by a user: nothing when a character has no form in the ANSI code page.
std::optional<CString> Utf8ToAnsi(std::string_view utf8);

// The program's own fixed texts, written in UTF-8 in the source; characters that the code page
// lacks become '?', as on a system whose code page cannot show them.
CString FixedText(std::string_view utf8);

#ifdef _WIN32
std::wstring AnsiToWide(const CString& text);
std::optional<CString> WideToAnsi(std::wstring_view wide);
#endif
