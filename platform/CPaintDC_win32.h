// A paint context for the length of a scope: BeginPaint on construction, EndPaint on every way out.
#pragma once

#include "platform/CWnd_win32.h"

#include <windows.h>

class CPaintDC {
public:
    explicit CPaintDC(const CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_hDC(::BeginPaint(m_hWnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};
