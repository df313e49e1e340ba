// The About box, which only the system command 0x0010 (any of 0x0010 to 0x001F) opens, and the
// converter window it leaves as it was.
#include "tests/win32/e2e/ConverterWindow.h"
#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/MessageBoxes.h"
#include "tests/win32/e2e/RunningApp.h"
#include "tests/win32/e2e/ScreenPixels.h"
#include "tests/win32/e2e/TestBanks.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace e2e {
namespace {

struct ModuleDeleter {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

// Icon 128 of Quintaro.exe, loaded here from the file, at the size the About box shows it.
double DistanceFromProgramIcon(HWND iconControl)
{
    std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter> exe(::LoadLibraryExW(
        QuintaroExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!exe)
        throw std::runtime_error("cannot open Quintaro.exe for its resources");
    RECT client = {};
    ::GetClientRect(iconControl, &client);
    const auto icon = static_cast<HICON>(::LoadImageW(exe.get(), MAKEINTRESOURCEW(128), IMAGE_ICON, client.right,
                                                      client.bottom, LR_DEFAULTCOLOR));
    if (!icon)
        throw std::runtime_error("Quintaro.exe has no icon 128");
    ::MapWindowPoints(iconControl, nullptr, reinterpret_cast<POINT*>(&client), 2);
    double distance = 1.0;
    WaitUntil(
        [&] {
            distance = IconDistance(CaptureScreen(client), icon);
            return distance < 0.02;
        },
        3000);
    ::DestroyIcon(icon);
    return distance;
}

struct AboutCase {
    WPARAM command;
    const char* closedBy;
};

const AboutCase kAboutCases[] = {
    {0x0010, "OK"},
    {0x001F, "Escape"},
    {0x0013, "its close button"},
};

void Close(HWND about, const AboutCase& c)
{
    if (std::string(c.closedBy) == "OK")
        PostCommand(about, IDOK);
    else if (std::string(c.closedBy) == "Escape")
        ::PostMessageW(::GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    else
        ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(AboutBox, OpensForTheSystemCommandAndLeavesTheWindowAsItWas)
{
    ScratchFolder folder;
    const auto bank = folder / L"bank.sf2";
    WriteBank(bank, JapaneseBank());
    RunningApp app(QuintaroExe());
    Drop(app, {bank});
    AwaitOrThrow("the bank to load", [&] { return NameBytes(app, kPathBox) == AnsiPath(bank); });
    ClickPlayer(app, 2);
    SelectGrouping(app, kToneGrouping, 1);
    SelectGrouping(app, kDrumGrouping, 2);
    SetNameBytes(app, kMapNameBox, ShiftJis(L"マップ"));

    for (const AboutCase& c : kAboutCases) {
        char trace[64];
        std::snprintf(trace, sizeof trace, "command 0x%04X, closed by %s", static_cast<unsigned>(c.command), c.closedBy);
        SCOPED_TRACE(trace);
        ::PostMessageW(app.Window(), WM_SYSCOMMAND, c.command, 0);
        const HWND about = app.AwaitDialog("the About box");

        EXPECT_EQ(WideToUtf8(WindowText(about)), WideToUtf8(L"Quintaroのﾊﾞｰｼﾞｮﾝ情報"));
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(about, GWL_STYLE));
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

        const std::vector<HWND> children = ChildrenInOrder(about);
        ASSERT_EQ(children.size(), 4u);
        EXPECT_EQ(::GetWindowLongPtrW(children[0], GWL_STYLE) & SS_TYPEMASK, SS_ICON);
        EXPECT_LT(DistanceFromProgramIcon(children[0]), 0.02) << "the About box does not show icon 128";
        EXPECT_EQ(WideToUtf8(WindowText(children[1])), "Quintaro Version 1.0");
        EXPECT_FALSE(WindowText(children[2]).empty()) << "no rights notice";
        EXPECT_EQ(ControlId(children[3]), static_cast<unsigned>(IDOK));
        EXPECT_EQ(WideToUtf8(WindowText(children[3])), "OK");
        EXPECT_EQ(::GetWindowLongPtrW(children[3], GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

        RECT box = {};
        RECT owner = {};
        ::GetWindowRect(about, &box);
        ::GetWindowRect(app.Window(), &owner);
        EXPECT_LE(std::abs((box.left + box.right) - (owner.left + owner.right)), 2) << "not centred over the window";
        EXPECT_LE(std::abs((box.top + box.bottom) - (owner.top + owner.bottom)), 2) << "not centred over the window";

        Close(about, c);
        app.AwaitNoDialog("the About box");
        EXPECT_EQ(NameBytes(app, kPathBox), AnsiPath(bank));
        EXPECT_EQ(NameBytes(app, kModuleNameBox), ShiftJis(kJapaneseBankName));
        EXPECT_EQ(NameBytes(app, kMapNameBox), ShiftJis(L"マップ"));
        EXPECT_EQ(CheckedPlayer(app), 2);
        EXPECT_EQ(SelectedGrouping(app, kToneGrouping), 1);
        EXPECT_EQ(SelectedGrouping(app, kDrumGrouping), 2);
        EXPECT_TRUE(::IsWindowEnabled(app.Window())) << "the window must take input again";
    }
}

}  // namespace
}  // namespace e2e
