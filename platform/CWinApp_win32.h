// The application object and its start-up. The program defines one global object of a class
// derived from CWinApp; the entry point (WinMain_win32.cpp) calls AfxWinMain, which sets the
// application up (title, message boxes, F1) and calls InitInstance. When that returns false the
// program ends at once, without a message loop.
#pragma once

#include "platform/CString.h"
#include "platform/CWnd_win32.h"
#include "platform/HandlerTable_win32.h"

#include <cstddef>

#include <windows.h>

// The standard Help command, raised by F1 anywhere in the application's dialogs.
inline constexpr UINT ID_HELP = 0xE146;
// The string resource that names the application, when a program has one.
inline constexpr UINT AFX_IDS_APP_TITLE = 0xE000;

class CWinApp;

using CommandHandler = void (*)(CWinApp& app);

struct CommandMapEntry {
    UINT nID;
    CommandHandler pfnHandler;
};

using CommandMap = HandlerTable<CommandMapEntry>;

// CommandHandlerFor<&CMyApp::OnSomething> adapts a member function `void ()` to the command map.
template <auto pfn>
void CommandHandlerFor(CWinApp& app)
{
    using T = typename MemberClass<decltype(pfn)>::type;
    (static_cast<T&>(app).*pfn)();
}

class CWinApp {
public:
    // Without a name the title comes from AFX_IDS_APP_TITLE, or else from the executable's name.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // False ends the program at once.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop, for an application whose InitInstance returns true.
    virtual int Run();

    // Runs the handler of command `nID` from the command map; false when the map has none.
    bool OnCmdMsg(UINT nID);
    // The default Help: the page named after the executable with the extension ".html", beside
    // it, in the default browser; nothing when there is no such page.
    void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    // The caption of every message box.
    CString m_strAppName;
    // The page that OnHelp opens.
    CString m_strHelpPath;
    // The main window: the owner of message boxes and the receiver of the Help command.
    CWnd* m_pMainWnd = nullptr;

protected:
    virtual const CommandMap& GetCommandMap() const;
    // Opens a document in the program the user has chosen for it.
    virtual void OpenDocument(const CString& path);

private:
    friend bool AfxWinInit(HINSTANCE hInstance);

    CString m_strNameGiven;
    HHOOK m_hMsgFilter = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The module whose resources the dialogs and icons come from.
HINSTANCE AfxGetResourceHandle();
// Hands a command to the application's command map (through its main window's routing).
bool AfxRouteCommand(UINT nID);

// Sets the application object up for `hInstance`: its title and help page, the message box as
// the receiver of messages, and the F1 filter of its dialogs. Called by AfxWinMain, and by tests
// that host dialogs without the program's entry point. False when there is no application object.
bool AfxWinInit(HINSTANCE hInstance);
// The program's life: AfxWinInit, InitInstance, and either ExitInstance or the message loop.
int AfxWinMain(HINSTANCE hInstance);

// Hosting controls of the platform's component model: our dialogs host none, so nothing to set up.
void AfxEnableControlContainer();
// The three-dimensional look of dialog controls: every current Windows draws them so already.
void Enable3dControlsStatic();
