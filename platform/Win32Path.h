// How a path in the ANSI code page reaches the wide file functions of Windows: a long absolute
// path gets the \\?\ prefix so that it is not cut at 260 characters.
#pragma once

#include "platform/CString.h"

#include <string>

std::wstring ToWin32FilePath(const CString& path);
