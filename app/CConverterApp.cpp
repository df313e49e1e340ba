#include "app/CConverterApp.h"

#include "ui/CConverterDlg.h"

// The one application object, built before the entry point runs.
CConverterApp theApp;

const CommandMap& CConverterApp::GetCommandMap() const
{
    static const CommandMapEntry entries[] = {
        {ID_HELP, CommandHandlerFor<&CWinApp::OnHelp>},
    };
    static const CommandMap map = MakeHandlerTable(entries);
    return map;
}

BOOL CConverterApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    {
        CConverterDlg dlg;
        m_pMainWnd = &dlg;
        // Whatever the dialog ends with (Enter, closing, or a window that failed), the program ends.
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
