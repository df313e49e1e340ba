#include "platform/CWnd_win32.h"

#include <algorithm>
#include <vector>

CString GetWindowTextOf(HWND hWnd)
{
    // The length may be an overestimate for double-byte text; the copy says how much it wrote.
    const int length = ::GetWindowTextLengthA(hWnd);
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextA(hWnd, buffer.data(), length + 1);
    return CString(buffer.data(), static_cast<std::size_t>(std::max(copied, 0)));
}

void CWnd::SetDlgItemText(int nID, const CString& text) const
{
    ::SetDlgItemTextA(m_hWnd, nID, text.GetString());
}

CString CWnd::GetDlgItemText(int nID) const
{
    const HWND hCtrl = GetDlgItem(nID);
    return hCtrl ? GetWindowTextOf(hCtrl) : CString();
}

void CWnd::CenterWindow() const
{
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(hOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &around);

    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG x = around.left + (around.right - around.left - width) / 2;
    LONG y = around.top + (around.bottom - around.top - height) / 2;
    // A window larger than the work area keeps its top left corner in view.
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
