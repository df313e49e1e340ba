// Copying between a dialog's members and its controls, in the direction the context names:
// UpdateData(true) from the controls into the members, UpdateData(false) back. No exchange
// validates, so none can fail; a missing control leaves its member alone.
#pragma once

#include "platform/CString.h"

#include <windows.h>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, bool bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control's window, or null when the dialog has none with that id.
    HWND PrepareCtrl(int nIDC) const;

    bool m_bSaveAndValidate; // true: controls to members
    CDialog* m_pDlgWnd;
};

// The radio buttons from `nIDC` on, up to the next control with WS_GROUP, in template order:
// `value` is the index of the checked one, -1 when none is; writing checks that one only.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The whole text of the control.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// The selection index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value);
