// The two text operations the definition file is written with: one indented CR LF line at a
// time, and names made safe to stand between the quotes of an XML attribute.
#pragma once

#include "platform/CString.h"

// Appends `level` tabs (none for 0 or below), the formatted text and CR LF to `out`. The line is
// formatted before anything is appended.
void AppendLine(CString& out, int level, const char* format, ...) QUINTARO_PRINTF(3, 4);

// `&`, `<`, `>` and `"` become entity references; control bytes that XML 1.0 forbids become
// '?', and a double-byte character cut off at the end of the name loses its lone first byte.
// Everything else, the apostrophe and complete double-byte characters included, passes unchanged.
CString EscapeXml(CString text);
