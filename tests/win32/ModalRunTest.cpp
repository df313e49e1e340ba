// The converter window in its real modal loop: where it opens, where the focus starts, how the keys
// end it, and F1.
#include "tests/win32/ConverterDlgFixture.h"

#include "platform/Path.h"

#include <fstream>

namespace {

using wintest::NamedBank;

// Runs the converter window modally; `script` acts on it from inside its loop once it is up.
class ModalRun : public testing::Test {
protected:
    void SetUp() override
    {
        SetFileDialogHook([this](const CFileDialog& dialog) {
            fileDialogs.push_back(dialog.IsOpenFileDialog());
            return FileDialogAnswer{IDCANCEL, CString()};
        });
        TheTestApp().openedDocuments.clear();
    }
    void TearDown() override
    {
        TheTestApp().m_pMainWnd = nullptr;
        SetFileDialogHook(nullptr);
    }

    INT_PTR Run(std::function<void(HWND)> script)
    {
        TheTestApp().m_pMainWnd = &dlg;
        wintest::WhenDialogOpens(std::move(script));
        const INT_PTR result = dlg.DoModal();
        TheTestApp().m_pMainWnd = nullptr;
        EXPECT_FALSE(wintest::DialogWaitPending());
        return result;
    }

    // As Tab moves it: the dialog manager also makes a focused push button the default one.
    static void MoveFocus(HWND hDlg, HWND hCtrl) { ::SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hCtrl), TRUE); }

    static void Key(HWND hWnd, WPARAM key)
    {
        ::PostMessageA(hWnd, WM_KEYDOWN, key, 1);
        ::PostMessageA(hWnd, WM_KEYUP, key, 0xC0000001);
    }

    sftest::RecordingSink sink;
    wintest::TempFolder folder;
    std::vector<bool> fileDialogs;
    CConverterDlg dlg;
};

TEST_F(ModalRun, OpensCentredWithTheFocusInThePathBox)
{
    RECT window{};
    int focus = 0;
    const INT_PTR result = Run([&](HWND hWnd) {
        ::GetWindowRect(hWnd, &window);
        focus = ::GetDlgCtrlID(::GetFocus());
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(focus, IDC_SOUNDFONT_PATH);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_NEAR((window.left + window.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
}

TEST_F(ModalRun, EnterInANameBoxEndsWithOkWithoutExporting)
{
    const CString bank = folder.Write("bank.sf2", NamedBank("Bank"));
    const INT_PTR result = Run([&](HWND hWnd) {
        dlg.LoadSoundFont(bank);
        const HWND hName = ::GetDlgItem(hWnd, IDC_MODULE_NAME);
        ::SetWindowTextA(hName, "typed");
        MoveFocus(hWnd, hName);
        Key(hName, VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strModuleName, "typed") << "OK copies the controls into the members";
    EXPECT_TRUE(fileDialogs.empty()) << "no save dialog";
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(::GetFileAttributesA((folder.Path() + "\\bank.xml").GetString()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ModalRun, EnterOnTheBrowseButtonPressesIt)
{
    const INT_PTR result = Run([&](HWND hWnd) {
        const HWND hBrowse = ::GetDlgItem(hWnd, IDC_BROWSE);
        MoveFocus(hWnd, hBrowse);
        Key(hBrowse, VK_RETURN);
        // Behind the key: the dialog is still up after the open dialog, so end it.
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(fileDialogs, std::vector<bool>{true});
}

TEST_F(ModalRun, EscapeAndCloseEndWithCancel)
{
    EXPECT_EQ(Run([](HWND hWnd) { Key(::GetDlgItem(hWnd, IDC_SOUNDFONT_PATH), VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(Run([](HWND hWnd) { ::PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
    EXPECT_EQ(Run([](HWND hWnd) { ::PostMessageA(hWnd, WM_CLOSE, 0, 0); }), IDCANCEL);
    EXPECT_TRUE(fileDialogs.empty());
}

// F1 raises the Help command, which opens the page named after the executable when it exists.
TEST_F(ModalRun, F1OpensTheHelpPageBesideTheExecutable)
{
    const CString page = PathRemoveExtension(GetModuleFilePath()) + ".html";
    EXPECT_EQ(TheTestApp().m_strHelpPath, page);
    ::DeleteFileA(page.GetString());

    const auto pressF1 = [this](HWND hWnd) {
        Key(::GetDlgItem(hWnd, IDC_SOUNDFONT_PATH), VK_F1);
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    Run(pressF1);
    EXPECT_TRUE(TheTestApp().openedDocuments.empty()) << "no page, no help";

    { std::ofstream(page.GetString()) << "<html></html>"; }
    Run(pressF1);
    ::DeleteFileA(page.GetString());
    EXPECT_EQ(TheTestApp().openedDocuments, std::vector<CString>{page});
}

} // namespace
