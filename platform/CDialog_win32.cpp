#include "platform/CDialog_win32.h"

#include "platform/CWinApp_win32.h"
#include "platform/CodePage.h"
#include "platform/DataExchange_win32.h"
#include "platform/DlgInit_win32.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// For whatever is neither a file nor a memory exception; nothing more is known of it.
void ReportUnexpectedException() noexcept
{
    try {
        AfxMessageBox(FixedText(u8"内部エラーが発生しました。"), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Not even the report could be shown; the window goes on.
    }
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

HWND CDialog::GetOwnerForOpen(CWnd* pParentWnd) const
{
    if (pParentWnd)
        return pParentWnd->m_hWnd;
    const HWND hMain = GetSafeHwnd(AfxGetMainWnd());
    return hMain && ::IsWindow(hMain) ? hMain : nullptr;
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    const INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                             GetOwnerForOpen(m_pParentWnd), DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

bool CDialog::Create(CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = false;
    return ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                GetOwnerForOpen(m_pParentWnd), DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    m_nEndResult = nResult;
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ::DestroyWindow(m_hWnd);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return true;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_hWnd, AfxGetResourceHandle(), m_nIDTemplate);
    UpdateData(false);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

const MessageMap& CDialog::GetMessageMap() const
{
    static const MessageMap empty{nullptr, 0};
    return empty;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (the font, the frame) belong to the dialog manager.
    if (!self)
        return FALSE;
    const INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    INT_PTR result = FALSE;
    bool completed = false;
    try {
        completed = ReportPlatformExceptions([&] { result = OnWndMsg(message, wParam, lParam); });
    } catch (...) {
        ReportUnexpectedException();
    }
    if (!completed) {
        // What a failed handler leaves must not come back at once: a window that fails to
        // initialise ends, and a failed paint does not repaint for ever.
        if (message == WM_INITDIALOG)
            EndDialog(-1);
        else if (message == WM_PAINT && m_hWnd)
            ::ValidateRect(m_hWnd, nullptr);
        result = TRUE;
    }
    return result;
}

INT_PTR CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam)
{
    const MessageMap& map = GetMessageMap();
    for (std::size_t i = 0; i < map.nCount; ++i) {
        const MessageMapEntry& entry = map.pEntries[i];
        if (entry.message != message)
            continue;
        if (message == WM_COMMAND && (entry.nID != LOWORD(wParam) || entry.nCode != HIWORD(wParam)))
            continue;
        m_bDefault = false;
        const INT_PTR result = entry.pfnHandler(*this, wParam, lParam);
        return m_bDefault ? FALSE : result;
    }

    switch (message) {
    case WM_INITDIALOG:
        return HandleInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_HELP:
        // F1 where no message filter saw it: the same Help command as everywhere else.
        return AfxRouteCommand(ID_HELP) ? TRUE : FALSE;
    case WM_SETCURSOR:
        // While a wait cursor is up the window keeps showing it, also when a message box that
        // the long operation shows is moved over it.
        if (CWaitCursor::ActiveCount() > 0) {
            ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CDialog::HandleInitDialog()
{
    RECT before{};
    ::GetWindowRect(m_hWnd, &before);
    const BOOL focusDefault = OnInitDialog();
    // A dialog that its initialisation did not place is centred, as the dialogs of the platform are.
    RECT after{};
    if (m_hWnd && ::GetWindowRect(m_hWnd, &after) && SameRect(before, after) &&
        !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD))
        CenterWindow();
    return focusDefault;
}

INT_PTR CDialog::OnCommand(WPARAM wParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (nCode != BN_CLICKED)
        return FALSE;
    switch (nID) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        // Commands the dialog does not handle go to the application's command map.
        return AfxRouteCommand(nID) ? TRUE : FALSE;
    }
}
