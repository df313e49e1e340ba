// The open-file and save-file dialogs of the platform. The filter is written as pairs of
// description and pattern separated by vertical bars and closed by two ("Text(*.txt)|*.txt||").
// Tests replace the dialogs with a hook that answers without showing anything.
#pragma once

#include "platform/CString.h"
#include "platform/CWnd_win32.h"

#include <functional>
#include <string>

#include <windows.h>

#include <commdlg.h>

class CFileDialog {
public:
    CFileDialog(bool bOpenFileDialog, const char* pszDefExt = nullptr, const char* pszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* pszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise. Without a parent the dialog is owned by
    // the application's main window.
    INT_PTR DoModal();
    // The full path chosen, however long.
    const CString& GetPathName() const { return m_strPathName; }

    // What the dialog is asked to show.
    bool IsOpenFileDialog() const { return m_bOpenFileDialog; }
    const CString& GetDefExt() const { return m_strDefExt; }
    const CString& GetInitialFileName() const { return m_strFileName; }
    DWORD GetFlags() const { return m_dwFlags; }
    const CString& GetFilter() const { return m_strFilter; }

private:
    bool m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    DWORD m_dwFlags;
    CString m_strFilter;
    CWnd* m_pParentWnd;
    CString m_strPathName;
};

struct FileDialogAnswer {
    INT_PTR nResult; // IDOK or IDCANCEL
    CString strPathName;
};

// Answers every file dialog instead of the platform while set; returns the hook set before.
// An empty hook restores the real dialogs.
using FileDialogHook = std::function<FileDialogAnswer(const CFileDialog& dialog)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// "a|b||" as the platform wants it: "a", "b" and an empty string, each closed by a zero byte. The
// bars are found character by character: the second byte of a double-byte character may be 0x7C.
std::string FilterToNulSeparated(const CString& filter);
