// Filling the common open and save dialogs of another process: the file name box is control 0x47C
// (cmb13) in the Explorer-style dialog and 0x480 (edt1) in the old one; a full Windows path typed
// there and IDOK confirm the dialog as a user would.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace e2e {

bool IsFileDialog(HWND dialog);
std::wstring FileNameText(HWND dialog);
// Types `path` into the file name box and posts IDOK.
void ConfirmFileName(HWND dialog, const std::filesystem::path& path);

}  // namespace e2e
