// Path operations on texts of any length. Separators are found character by character, so a
// Shift-JIS character whose second byte is 0x5C is never taken for a backslash on Windows.
#pragma once

#include "platform/CString.h"

// The folder part of `path`, without a trailing separator ("C:\a\b.exe" gives "C:\a").
CString PathRemoveFileSpec(const CString& path);
// `dir` and `name` joined by one separator.
CString PathCombine(const CString& dir, const CString& name);
// `path` without the extension of its last component: only the last extension goes.
CString PathRemoveExtension(const CString& path);
// `path` with `extension` (".xml") added when its last component has no extension.
CString PathAddExtension(const CString& path, const char* extension);

// The full path of the running executable.
CString GetModuleFilePath();
