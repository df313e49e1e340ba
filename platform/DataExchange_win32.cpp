#include "platform/DataExchange_win32.h"

#include "platform/CDialog_win32.h"

namespace {

bool IsRadioButton(HWND hWnd)
{
    return (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool StartsGroup(HWND hWnd)
{
    return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP) != 0;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) const
{
    return m_pDlgWnd->GetDlgItem(nIDC);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (IsRadioButton(hCtrl)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(hCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT);
    } while (hCtrl && !StartsGroup(hCtrl));
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = GetWindowTextOf(hCtrl);
    else
        ::SetWindowTextA(hCtrl, value.GetString());
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtrl, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}
