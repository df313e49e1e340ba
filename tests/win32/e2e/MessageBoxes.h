// Reading a message box of another process: caption, text (the static 0xFFFF), buttons, and which
// system icon it shows.
//
// The icon cannot be read from its handle: STM_GETICON answers with a handle of the other process,
// and icons loaded with LoadIcon(NULL, ...) there and here are distinct objects. What does work is
// the picture: the icon control's pixels, taken from the screen, are compared with the system icons
// drawn here at the control's size.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

enum class BoxIcon { None, Exclamation, Information, Error, Question, Unrecognised };
const char* ToString(BoxIcon icon);

struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::None;
    std::vector<std::wstring> buttons;  // texts, in template order
};

MessageBoxSeen ReadMessageBox(HWND box);

// Posts WM_COMMAND with `command` (IDOK, IDYES, IDCANCEL...) to a dialog of another process.
void PostCommand(HWND dialog, int command);

}  // namespace e2e
