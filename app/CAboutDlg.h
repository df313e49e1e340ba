// The About box: template 100 alone says what it shows (icon, name and version, rights notice, OK).
// The converter window opens one for each About system command.
#pragma once

#include "platform/CDialog_win32.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr) : CDialog(IDD_ABOUTBOX, pParent) {}
};
