// A dialog made from a template of the program's resources. The base does what every dialog
// needs: it fills list items from the template's initialisation data, copies the members into
// the controls, centres the window when it opens, ends on IDOK and IDCANCEL, and hands every other
// message to the message map of the derived class. No exception leaves the dialog procedure: a
// file or memory exception shows its standard report, anything else a report of its own.
#pragma once

#include "platform/CWnd_win32.h"
#include "platform/MessageMap_win32.h"

#include <windows.h>

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; its result, or -1 when the window could not be created.
    // Without a parent the owner is the application's main window, when that is another window.
    INT_PTR DoModal();
    // Creates the dialog without a modal loop, for callers that drive it themselves; EndDialog
    // then destroys the window. False when the window could not be created.
    bool Create(CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    // What EndDialog was given last (for a dialog created with Create).
    int GetEndResult() const { return m_nEndResult; }

    bool UpdateData(bool bSaveAndValidate = true);
    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    // Fills the list items from the template's data, then copies the members into the controls.
    // True: the dialog manager puts the focus on the first control in tab order.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Copies the controls into the members and ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();
    virtual const MessageMap& GetMessageMap() const;

    // Hands the message being handled to the platform's default processing once its handler returns.
    void Default() { m_bDefault = true; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    INT_PTR OnCommand(WPARAM wParam);
    HWND GetOwnerForOpen(CWnd* pParentWnd) const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    bool m_bDefault = false;
    int m_nEndResult = 0;
};
