// What the window tests share: folders of test files (paths of any length), banks with a given
// name, drops built in-process, and a way to act on a modal window once it has opened.
#pragma once

#include "platform/CString.h"
#include "tests/support/SoundFontWriter.h"

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace wintest {

// A new folder under the temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_path; }
    // Writes `bytes` to `relative` (folders are created as needed) and returns the full path.
    CString Write(const std::string& relative, const sftest::Bytes& bytes) const;

private:
    CString m_path;
};

// A bank of one melodic preset and one drum kit whose INAM is `name` (none when empty).
sftest::Bytes NamedBank(const std::string& name);

// A drop of `paths` (ANSI), as the shell hands it to WM_DROPFILES.
HDROP MakeDrop(const std::vector<std::string>& paths);

// The child windows of `hWnd` in template order.
std::vector<HWND> Children(HWND hWnd);

// Runs `action` once with the next dialog-class window of this thread that becomes visible, from
// inside the modal loop that shows it. Call before the call that opens the window.
void WhenDialogOpens(std::function<void(HWND)> action);
// Whether such a wait is still pending (the window never opened).
bool DialogWaitPending();

// Visible dialog-class windows of this thread.
std::vector<HWND> VisibleDialogs();

std::string ToUtf8(const CString& ansi);
std::string WindowTextUtf8(HWND hWnd);

} // namespace wintest
