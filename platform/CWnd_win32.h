// The part that every window object of ours shares: the handle of the one window it stands for
// and the few operations on it and its controls that dialogs need. Not copyable: two objects for
// one window would both think they own it.
#pragma once

#include "platform/CString.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Null for a null object as well, so that an optional owner can be asked directly.
    static HWND GetSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetDlgItemText(int nID, const CString& text) const;
    // The control's whole text, however long.
    CString GetDlgItemText(int nID) const;
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    // Over the owner when it is visible and not minimized, otherwise in the work area of the
    // screen; always kept inside that work area.
    void CenterWindow() const;

    HWND m_hWnd = nullptr;
};

// The whole text of any window, in the ANSI code page.
CString GetWindowTextOf(HWND hWnd);
