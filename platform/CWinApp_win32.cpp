#include "platform/CWinApp_win32.h"

#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/MessageBoxSink_win32.h"
#include "platform/Path.h"
#include "platform/Win32Path.h"

#include <shellapi.h>

namespace {

CWinApp* g_pApp = nullptr;
CMessageBoxSink g_messageBoxSink;

// The executable's file name without its folder and extension ("C:\bin\Quintaro.EXE" gives Quintaro).
CString ExecutableTitle(const CString& modulePath)
{
    const CString folder = PathRemoveFileSpec(modulePath);
    std::size_t start = folder.GetLength();
    while (start < modulePath.GetLength() && (modulePath.GetString()[start] == '\\' || modulePath.GetString()[start] == '/'))
        ++start;
    return PathRemoveExtension(CString(modulePath.GetString() + start, modulePath.GetLength() - start));
}

CString TitleFromResources(HINSTANCE hInstance)
{
    char buffer[256];
    const int length = ::LoadStringA(hInstance, AFX_IDS_APP_TITLE, buffer, sizeof buffer);
    return length > 0 ? CString(buffer, static_cast<std::size_t>(length)) : CString();
}

bool IsFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(ToWin32FilePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ReportAndDiscard(void (*action)()) noexcept
{
    try {
        ReportPlatformExceptions(action);
    } catch (...) {
        // Raised inside a hook of the system: there is nobody to pass it to.
    }
}

// F1 in any of the application's dialogs raises the Help command at its main window, before the
// dialog manager sees the key.
LRESULT CALLBACK HelpKeyFilter(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1) {
        const HWND hMain = CWnd::GetSafeHwnd(AfxGetMainWnd());
        if (hMain && ::IsWindow(hMain))
            ::SendMessageA(hMain, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
        else
            ReportAndDiscard([] { AfxRouteCommand(ID_HELP); });
        return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

CWinApp::CWinApp(const char* pszAppName) : m_strNameGiven(pszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (m_hMsgFilter)
        ::UnhookWindowsHookEx(m_hMsgFilter);
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

const CommandMap& CWinApp::GetCommandMap() const
{
    static const CommandMap empty{nullptr, 0};
    return empty;
}

bool CWinApp::OnCmdMsg(UINT nID)
{
    const CommandMap& map = GetCommandMap();
    for (std::size_t i = 0; i < map.nCount; ++i) {
        if (map.pEntries[i].nID == nID) {
            map.pEntries[i].pfnHandler(*this);
            return true;
        }
    }
    return false;
}

void CWinApp::OnHelp()
{
    if (!m_strHelpPath.IsEmpty() && IsFile(m_strHelpPath))
        OpenDocument(m_strHelpPath);
}

void CWinApp::OpenDocument(const CString& path)
{
    ::ShellExecuteW(CWnd::GetSafeHwnd(m_pMainWnd), L"open", AnsiToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

bool AfxRouteCommand(UINT nID)
{
    return g_pApp && g_pApp->OnCmdMsg(nID);
}

bool AfxWinInit(HINSTANCE hInstance)
{
    CWinApp* pApp = g_pApp;
    if (!pApp)
        return false;
    pApp->m_hInstance = hInstance;
    const CString modulePath = GetModuleFilePath();
    pApp->m_strAppName = pApp->m_strNameGiven;
    if (pApp->m_strAppName.IsEmpty())
        pApp->m_strAppName = TitleFromResources(hInstance);
    if (pApp->m_strAppName.IsEmpty())
        pApp->m_strAppName = ExecutableTitle(modulePath);
    pApp->m_strHelpPath = PathRemoveExtension(modulePath) + ".html";
    SetMessageSink(&g_messageBoxSink);
    if (!pApp->m_hMsgFilter)
        pApp->m_hMsgFilter = ::SetWindowsHookExA(WH_MSGFILTER, HelpKeyFilter, nullptr, ::GetCurrentThreadId());
    return true;
}

int AfxWinMain(HINSTANCE hInstance)
{
    if (!AfxWinInit(hInstance))
        return -1;
    CWinApp* pApp = AfxGetApp();
    int code = -1;
    try {
        ReportPlatformExceptions([&] { code = pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance(); });
    } catch (...) {
        // Whatever else escaped the application ends it; Windows would only say that it crashed.
    }
    return code;
}

void AfxEnableControlContainer() {}

void Enable3dControlsStatic() {}
