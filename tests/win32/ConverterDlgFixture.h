// The converter window, created from its template without a modal loop so that a test can send
// it messages one by one. Messages are recorded and the file dialogs answered from a queue.
#pragma once

#include "platform/CFileDialog_win32.h"
#include "res/resource.h"
#include "tests/support/RecordingSink.h"
#include "tests/win32/TestApp.h"
#include "tests/win32/Win32TestSupport.h"
#include "ui/CConverterDlg.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

// What a file dialog was asked to show.
struct FileDialogRequest {
    bool open;
    std::string defExt;
    std::string initialFileName; // UTF-8
    DWORD flags;
    std::string filter; // UTF-8
};

class ConverterDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFileDialogHook([this](const CFileDialog& dialog) {
            fileDialogs.push_back({dialog.IsOpenFileDialog(), dialog.GetDefExt().Str(),
                                   wintest::ToUtf8(dialog.GetInitialFileName()), dialog.GetFlags(),
                                   wintest::ToUtf8(dialog.GetFilter())});
            if (answers.empty())
                return FileDialogAnswer{IDCANCEL, CString()};
            FileDialogAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        });
        ASSERT_TRUE(dlg.Create());
        TheTestApp().m_pMainWnd = &dlg;
    }

    void TearDown() override
    {
        TheTestApp().m_pMainWnd = nullptr;
        SetFileDialogHook(nullptr);
    }

    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const { return wintest::WindowTextUtf8(Item(id)); }
    void SetText(int id, const std::string& ansi) const { ::SetWindowTextA(Item(id), ansi.c_str()); }
    bool Checked(int id) const { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Selection(int id) const { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    void Select(int id, int index) const { ::SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // The click of a user: the button checks itself (radio) and tells the dialog.
    void Click(int id) const { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    void Press(int id) const
    {
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }

    // Browses to `path`: the open dialog answers with it.
    void Browse(const CString& path)
    {
        answers.push_back({IDOK, path});
        Press(IDC_BROWSE);
    }

    std::vector<std::string> Messages() const { return sink.Texts(); }

    sftest::RecordingSink sink;
    wintest::TempFolder folder;
    std::deque<FileDialogAnswer> answers;
    std::vector<FileDialogRequest> fileDialogs;
    CConverterDlg dlg;
};
