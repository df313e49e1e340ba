#include "tests/win32/e2e/FileDialogs.h"

#include "tests/win32/e2e/MessageBoxes.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <stdexcept>

namespace e2e {

namespace {

constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// The edit box that holds the typed name: the combo box's own edit when there is one.
HWND FileNameEdit(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, kFileNameCombo);
    if (!box)
        box = ::GetDlgItem(dialog, kFileNameEdit);
    if (!box)
        throw std::runtime_error("the file dialog has no file name box");
    if (ClassNameOf(box) == L"Edit")
        return box;
    HWND edit = FindDescendant(box, L"Edit");
    return edit ? edit : box;
}

}  // namespace

bool IsFileDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, kFileNameCombo) || ::GetDlgItem(dialog, kFileNameEdit);
}

std::wstring FileNameText(HWND dialog)
{
    return WindowText(FileNameEdit(dialog));
}

void ConfirmFileName(HWND dialog, const std::filesystem::path& path)
{
    const HWND edit = FileNameEdit(dialog);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (WindowText(edit) != path.wstring())
        throw std::runtime_error("the file dialog did not take the file name");
    PostCommand(dialog, IDOK);
}

}  // namespace e2e
