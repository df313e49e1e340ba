#include "platform/MessageBoxSink_win32.h"

#include "platform/CWinApp_win32.h"

int CMessageBoxSink::Show(const CString& text, unsigned type)
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    HWND hOwner = CWnd::GetSafeHwnd(AfxGetMainWnd());
    if (hOwner && !::IsWindow(hOwner))
        hOwner = nullptr;
    const CWinApp* pApp = AfxGetApp();
    return ::MessageBoxA(hOwner, text.GetString(), pApp ? pApp->m_strAppName.GetString() : nullptr, type);
}
