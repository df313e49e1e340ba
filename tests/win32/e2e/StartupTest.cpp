// The converter window as Quintaro.exe shows it at start: caption, frame, every control in template
// order with its text and kind, the initial choices, the disabled steps and the focus.
#include "tests/win32/e2e/ConverterWindow.h"
#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/RunningApp.h"
#include "tests/win32/e2e/TestBanks.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace e2e {
namespace {

enum class Kind { Text, PathBox, NameBox, PushButton, RadioButton, DropList };

struct ControlRow {
    unsigned id;  // 0xFFFF: none of its own
    Kind kind;
    const wchar_t* text;
};

constexpr unsigned kNone = 0xFFFF;

// Template order, which is also the order of the sibling walk that enables the steps ② to ④.
const ControlRow kControls[] = {
    {kNone, Kind::Text, L"① Soundfont(*.sf2)ファイルを指定してください。"},
    {kPathBox, Kind::PathBox, L""},
    {kBrowseButton, Kind::PushButton, L"参照..."},
    {kNone, Kind::Text, L"※ ここへファイルをドラッグ＆ドロップして指定する事も可能です。"},
    {kStep2Text, Kind::Text, L"② 使用するサウンドフォントプレイヤを選択してください。"},
    {kPlayerGs, Kind::RadioButton, L"TiMidity++ (GS Map)"},
    {kPlayerXg, Kind::RadioButton, L"TiMidity++ (XG Map)"},
    {kPlayerSfz, Kind::RadioButton, L"sfz"},
    {kStep3Text, Kind::Text, L"③ 必要に応じて設定を変更してください。"},
    {kNone, Kind::Text, L"音源名 :"},
    {kModuleNameBox, Kind::NameBox, L""},
    {kNone, Kind::Text, L"MAP名 :"},
    {kMapNameBox, Kind::NameBox, L""},
    {kStep4Text, Kind::Text, L"④ Zelmor音源定義ファイルの書き出しを行ってください。"},
    {kExportButton, Kind::PushButton, L"書き出し実行"},
    {kNone, Kind::Text, L"音色リストのMAP出力方法 :\u3000"},
    {kToneGrouping, Kind::DropList, nullptr},
    {kNone, Kind::Text, L"ドラムセットリストのMAP出力方法 :\u3000"},
    {kDrumGrouping, Kind::DropList, nullptr},
};
constexpr std::size_t kAlwaysEnabled = 4;  // the step ① text, the path box, Browse, the drop hint

const wchar_t* const kGroupingItems[] = {L"デフォルト", L"PC# 8個でまとめる", L"PC# 16個でまとめる"};

const wchar_t* ClassOf(Kind kind)
{
    switch (kind) {
    case Kind::Text: return L"Static";
    case Kind::PathBox:
    case Kind::NameBox: return L"Edit";
    case Kind::PushButton:
    case Kind::RadioButton: return L"Button";
    case Kind::DropList: return L"ComboBox";
    }
    return L"";
}

// The style bits that tell the kinds of one class apart.
void ExpectKind(HWND control, Kind kind, const std::string& where)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    switch (kind) {
    case Kind::Text: EXPECT_NE(style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON)) << where; break;
    case Kind::PathBox: EXPECT_TRUE(style & ES_READONLY) << where; break;
    case Kind::NameBox: EXPECT_FALSE(style & ES_READONLY) << where; break;
    case Kind::PushButton:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << where << ": not a plain push button";
        break;
    case Kind::RadioButton: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON)) << where; break;
    case Kind::DropList: EXPECT_EQ(style & 3u, static_cast<DWORD>(CBS_DROPDOWNLIST)) << where; break;
    }
}

// Names and paths cross between the driver and the program in the ANSI code page, and the program's
// Japanese texts need a Japanese font: both come from the ja_JP locale that scripts/with-wine.sh sets.
TEST(EndToEndSetup, RunsInTheJapaneseCodePageBesideTheProgramsUnderTest)
{
    EXPECT_EQ(::GetACP(), 932u) << "run under scripts/with-wine.sh (LC_ALL=ja_JP.UTF-8)";
    EXPECT_TRUE(std::filesystem::exists(QuintaroExe())) << QuintaroExe().string();
    EXPECT_TRUE(std::filesystem::exists(CliExe())) << CliExe().string();
}

TEST(ConverterWindowAtStart, ShowsEveryControlOfTheTemplateInOrder)
{
    // A bank named on the command line must not be loaded: the program reads no arguments.
    ScratchFolder folder;
    const auto bank = folder / L"argument.sf2";
    WriteBank(bank, JapaneseBank());
    RunningApp app(QuintaroExe(), QuoteArgument(bank.wstring()));

    EXPECT_EQ(WideToUtf8(WindowText(app.Window())), WideToUtf8(kConverterCaption));

    const std::vector<HWND> children = ChildrenInOrder(app.Window());
    ASSERT_EQ(children.size(), std::size(kControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ControlRow& row = kControls[i];
        const HWND control = children[i];
        const std::string where = "control #" + std::to_string(i + 1) + " (id " + std::to_string(row.id) + ")";
        EXPECT_EQ(ControlId(control), row.id) << where;
        EXPECT_EQ(WideToUtf8(ClassNameOf(control)), WideToUtf8(ClassOf(row.kind))) << where;
        ExpectKind(control, row.kind, where);
        if (row.text) {
            EXPECT_EQ(WideToUtf8(WindowText(control)), WideToUtf8(row.text)) << where;
        }
        EXPECT_TRUE(::IsWindowVisible(control)) << where;
        EXPECT_EQ(::IsWindowEnabled(control) != FALSE, i < kAlwaysEnabled) << where;
    }
}

TEST(ConverterWindowAtStart, StartsWithGsMapDefaultsAndTheFocusInThePathBox)
{
    RunningApp app(QuintaroExe());

    EXPECT_EQ(CheckedPlayer(app), 0);
    EXPECT_EQ(NameBytes(app, kPathBox), "");
    EXPECT_EQ(NameBytes(app, kModuleNameBox), "");
    EXPECT_EQ(NameBytes(app, kMapNameBox), "");
    for (const int listId : {kToneGrouping, kDrumGrouping}) {
        const HWND list = app.Item(listId);
        ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 3) << "list " << listId;
        for (int index = 0; index < 3; ++index) {
            wchar_t item[64] = {};
            ASSERT_LT(::SendMessageW(list, CB_GETLBTEXTLEN, index, 0), 64);
            ::SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
            EXPECT_EQ(WideToUtf8(item), WideToUtf8(kGroupingItems[index])) << "list " << listId << " item " << index;
        }
        EXPECT_EQ(SelectedGrouping(app, listId), 0) << "list " << listId;
    }

    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(::GetGUIThreadInfo(app.ThreadId(), &gui));
    EXPECT_EQ(gui.hwndFocus, app.Item(kPathBox));
    EXPECT_EQ(gui.hwndActive, app.Window());
}

TEST(ConverterWindowAtStart, IsAFixedFrameCentredInTheWorkArea)
{
    RunningApp app(QuintaroExe());
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(app.Window(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(app.Window(), GWL_EXSTYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << std::hex << style;
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(::GetWindowLongPtrW(app.Item(kExportButton), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    RECT window = {};
    ::GetWindowRect(app.Window(), &window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(app.Window(), MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& work = monitor.rcWork;
    EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);
}

}  // namespace
}  // namespace e2e
