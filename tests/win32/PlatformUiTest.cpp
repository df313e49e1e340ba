// The window half of the platform on its own: filters of the file dialogs, the template
// initialisation data, the real message box, the application title, and the dispatch that lets no
// exception out of a dialog procedure.
#include "platform/CDialog_win32.h"
#include "platform/CFileDialog_win32.h"
#include "platform/CodePage.h"
#include "platform/DataExchange_win32.h"
#include "platform/DlgInit_win32.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/Path.h"
#include "res/resource.h"
#include "tests/support/RecordingSink.h"
#include "tests/win32/TestApp.h"
#include "tests/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// Found by argument-dependent lookup, so beside the type: in the global namespace.
static bool operator==(const DlgInitItem& a, const DlgInitItem& b)
{
    return a.nIDC == b.nIDC && a.message == b.message && a.text == b.text;
}

static void PrintTo(const DlgInitItem& item, std::ostream* os)
{
    *os << "{" << item.nIDC << ", 0x" << std::hex << item.message << std::dec << ", \"" << item.text << "\"}";
}

namespace {

using namespace std::string_literals;

struct FilterCase {
    const char* what;
    std::string filter; // ANSI
    std::string expected;
};

class FilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, BarsBecomeZeroBytes)
{
    EXPECT_EQ(FilterToNulSeparated(CString(GetParam().filter)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterTest,
    testing::Values(FilterCase{"one_entry", "Soundfont(*.sf2)|*.sf2||", "Soundfont(*.sf2)\0*.sf2\0\0\0\0"s},
                    FilterCase{"two_entries", "A|*.a|B|*.b||", "A\0*.a\0B\0*.b\0\0\0\0"s},
                    FilterCase{"no_closing_bars", "A|*.a", "A\0*.a\0\0"s},
                    // "ポ" is 0x83 0x7C in code page 932: its second byte is no bar.
                    FilterCase{"double_byte_0x7c", "\x83\x7C(*.p)|*.p||", "\x83\x7C(*.p)\0*.p\0\0\0\0"s}),
    [](const testing::TestParamInfo<FilterCase>& p) { return std::string(p.param.what); });

std::string Record(WORD id, WORD message, const std::string& bytes, DWORD declared = 0xFFFFFFFF)
{
    const DWORD count = declared == 0xFFFFFFFF ? static_cast<DWORD>(bytes.size()) : declared;
    std::string r;
    r += static_cast<char>(id & 0xFF);
    r += static_cast<char>(id >> 8);
    r += static_cast<char>(message & 0xFF);
    r += static_cast<char>(message >> 8);
    for (int i = 0; i < 4; ++i)
        r += static_cast<char>((count >> (8 * i)) & 0xFF);
    return r + bytes;
}

struct DlgInitCase {
    const char* what;
    std::string data;
    std::vector<DlgInitItem> expected;
};

class DlgInitTest : public testing::TestWithParam<DlgInitCase> {};

TEST_P(DlgInitTest, Parses)
{
    const std::string& data = GetParam().data;
    EXPECT_EQ(ParseDlgInit(data.data(), data.size()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DlgInitTest,
    testing::Values(
        DlgInitCase{"combo_and_list",
                    Record(1012, 0x0403, "ab\0"s) + Record(7, 0x0401, "\x83\x66\0"s) + "\0\0"s,
                    {{1012, CB_ADDSTRING, "ab"}, {7, LB_ADDSTRING, "\x83\x66"}}},
        DlgInitCase{"other_messages_passed_over",
                    Record(5, 0x1234, "x\0"s) + Record(6, 0x0403, "y\0"s) + "\0\0"s, {{6, CB_ADDSTRING, "y"}}},
        DlgInitCase{"text_without_zero", Record(6, 0x0403, "abc"s) + "\0\0"s, {{6, CB_ADDSTRING, "abc"}}},
        DlgInitCase{"stops_at_zero_id", Record(6, 0x0403, "a\0"s) + "\0\0"s + Record(7, 0x0403, "b\0"s),
                    {{6, CB_ADDSTRING, "a"}}},
        DlgInitCase{"count_past_the_end", Record(6, 0x0403, "a\0"s) + Record(7, 0x0403, "b\0"s, 0xFFFFFFF0),
                    {{6, CB_ADDSTRING, "a"}}},
        DlgInitCase{"truncated_header", Record(6, 0x0403, "a\0"s) + "\x07\0\x03"s, {{6, CB_ADDSTRING, "a"}}},
        DlgInitCase{"empty", ""s, {}}),
    [](const testing::TestParamInfo<DlgInitCase>& p) { return std::string(p.param.what); });

TEST(ApplicationTitle, IsTheExecutablesNameWithoutExtension)
{
    const CString module = GetModuleFilePath();
    EXPECT_EQ(TheTestApp().m_strAppName, "quintaro_win32_tests") << module.GetString();
}

// The message box of the window: real, modal, owned by the main window, captioned with the title.
class MessageBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Create());
        TheTestApp().m_pMainWnd = &owner;
    }
    void TearDown() override { TheTestApp().m_pMainWnd = nullptr; }

    struct Shown {
        std::string caption;
        std::string text;
        HWND hOwner = nullptr;
        HICON hIcon = nullptr;
    };

    Shown Show(const char* utf8, unsigned type)
    {
        Shown shown;
        wintest::WhenDialogOpens([&](HWND hBox) {
            shown.caption = wintest::WindowTextUtf8(hBox);
            shown.text = wintest::WindowTextUtf8(::GetDlgItem(hBox, 0xFFFF));
            shown.hOwner = ::GetWindow(hBox, GW_OWNER);
            for (HWND h : wintest::Children(hBox)) {
                if ((::GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    shown.hIcon = reinterpret_cast<HICON>(::SendMessageA(h, STM_GETICON, 0, 0));
            }
            ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(AfxMessageBox(FixedText(utf8), type), IDOK);
        return shown;
    }

    CDialog owner{IDD_ABOUTBOX};
};

TEST_F(MessageBoxTest, OkAloneShowsTheExclamationMark)
{
    const Shown shown = Show(u8"音源名を入力してください。", MB_OK);
    EXPECT_EQ(shown.caption, "quintaro_win32_tests");
    EXPECT_EQ(shown.text, u8"音源名を入力してください。");
    EXPECT_EQ(shown.hOwner, owner.m_hWnd);
    EXPECT_EQ(shown.hIcon, ::LoadIcon(nullptr, IDI_EXCLAMATION));
}

TEST_F(MessageBoxTest, AnIconAskedForIsKept)
{
    const Shown shown = Show(u8"書き出しました。", MB_ICONINFORMATION);
    EXPECT_EQ(shown.caption, "quintaro_win32_tests");
    EXPECT_EQ(shown.hIcon, ::LoadIcon(nullptr, IDI_INFORMATION));
}

// A dialog whose handlers throw what the layers below may throw.
class CThrowingDlg : public CDialog {
public:
    CThrowingDlg() : CDialog(IDD_ABOUTBOX) {}

    static constexpr UINT kFileFailure = WM_APP + 1;
    static constexpr UINT kNoMemory = WM_APP + 2;
    static constexpr UINT kOther = WM_APP + 3;
    static constexpr UINT kAfter = WM_APP + 4;
    int handledAfter = 0;

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMapEntry entries[] = {
            {kFileFailure, 0, 0, Handler<&CThrowingDlg::OnFileFailure>},
            {kNoMemory, 0, 0, Handler<&CThrowingDlg::OnNoMemory>},
            {kOther, 0, 0, Handler<&CThrowingDlg::OnOther>},
            {kAfter, 0, 0, Handler<&CThrowingDlg::OnAfter>},
        };
        static const MessageMap map = MakeHandlerTable(entries);
        return map;
    }

private:
    void OnFileFailure() { CFileException::ThrowOsError(ERROR_FILE_NOT_FOUND, "bank.sf2"); }
    void OnNoMemory() { throw std::bad_alloc(); }
    void OnOther() { throw std::runtime_error("neither"); }
    void OnAfter() { ++handledAfter; }
};

TEST(DialogDispatch, ReportsExceptionsAndGoesOn)
{
    sftest::RecordingSink sink;
    CThrowingDlg dlg;
    ASSERT_TRUE(dlg.Create());
    for (UINT message : {CThrowingDlg::kFileFailure, CThrowingDlg::kNoMemory, CThrowingDlg::kOther})
        ::SendMessageA(dlg.m_hWnd, message, 0, 0);
    ::SendMessageA(dlg.m_hWnd, CThrowingDlg::kAfter, 0, 0);

    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0].text, u8"bank.sf2 が見つかりません。") << "the exception's standard report";
    EXPECT_EQ(sink.messages[1].text, u8"メモリが不足しています。");
    EXPECT_EQ(sink.messages[2].text, u8"内部エラーが発生しました。");
    EXPECT_EQ(dlg.handledAfter, 1) << "the window still works";
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
}

TEST(DialogDispatch, UnhandledCommandsGoToTheApplication)
{
    CDialog dlg(IDD_ABOUTBOX);
    ASSERT_TRUE(dlg.Create());
    TheTestApp().openedDocuments.clear();
    const CString page = TheTestApp().m_strHelpPath;
    { std::FILE* f = std::fopen(page.GetString(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    // WM_HELP is the Help command as well.
    HELPINFO info{};
    info.cbSize = sizeof info;
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    ::SendMessageA(dlg.m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ::DeleteFileA(page.GetString());
    EXPECT_EQ(TheTestApp().openedDocuments, (std::vector<CString>{page, page}));
}

TEST(DialogDispatch, OkCopiesTheControlsAndEnds)
{
    struct CNameDlg : CDialog {
        CNameDlg() : CDialog(IDD_CONVERTER_DIALOG) {}
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_MODULE_NAME, name); }
        CString name;
    } dlg;
    ASSERT_TRUE(dlg.Create());
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_MODULE_NAME, "typed");
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dlg.name, "typed");
    EXPECT_EQ(dlg.GetEndResult(), IDOK);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace
