// The whole road of a conversion through the real window: a bank dropped on it, the player and both
// groupings picked, the export button, the real save dialog, the message, and the written file,
// which must be byte for byte what quintaro-cli writes for the same bank and settings.
#include "tests/win32/e2e/ConverterWindow.h"
#include "tests/win32/e2e/FileDialogs.h"
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

#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {
namespace {

const wchar_t kBankFile[] = L"デモ音源.v1.sf2";
const wchar_t kProposedName[] = L"デモ音源.v1.xml";  // only the last extension goes

void AwaitPathBox(const RunningApp& app, const std::filesystem::path& bank)
{
    AwaitOrThrow("the path box to show " + bank.string(),
                 [&] { return NameBytes(app, kPathBox) == AnsiPath(bank); });
}

void ExpectAllControlsEnabled(const RunningApp& app)
{
    for (HWND control : ChildrenInOrder(app.Window()))
        EXPECT_TRUE(::IsWindowEnabled(control)) << "control " << ControlId(control);
}

// With QUINTARO_E2E_SCREENSHOT naming a .bmp file, the window is captured there.
void CaptureScreenshotIfAsked(const RunningApp& app)
{
    const char* target = std::getenv("QUINTARO_E2E_SCREENSHOT");
    if (!target || !*target)
        return;
    ::SetForegroundWindow(app.Window());
    ::RedrawWindow(app.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    app.Barrier();
    WriteBmp(CaptureSettledWindow(app.Window()), FromUnixPath(target));
}

// Confirms the save dialog with `output` (answering the overwrite prompt when the file exists) and
// returns the message box the export then shows.
HWND SaveAs(const RunningApp& app, HWND saveDialog, const std::filesystem::path& output)
{
    const bool exists = std::filesystem::exists(output);
    ConfirmFileName(saveDialog, output);
    if (exists) {
        const HWND prompt = AwaitOwnedDialog(saveDialog, "the overwrite prompt");
        // Wine's prompt does not name the file; that it asks, with a choice, is what counts here.
        EXPECT_GE(ReadMessageBox(prompt).buttons.size(), 2u) << "not a question: " << WideToUtf8(WindowText(prompt));
        PostCommand(prompt, IDYES);
    }
    AwaitOrThrow("the save dialog to close", [&] { return !::IsWindow(saveDialog); });
    return app.AwaitDialog("the export's message");
}

struct ExportCase {
    int player;
    int toneGrouping;
    int drumGrouping;
    const wchar_t* cliPlayer;
    const wchar_t* cliTone;
    const wchar_t* cliDrum;
    bool outputExists;  // the save dialog then asks before replacing it
};

const ExportCase kExports[] = {
    {0, 0, 0, L"gs", L"one", L"one", false},
    {1, 1, 2, L"xg", L"8", L"16", true},
    {2, 2, 1, L"sfz", L"16", L"8", false},
};

TEST(ConverterWindowExport, WritesWhatTheCommandLineWritesForEachPlayerAndGrouping)
{
    ScratchFolder folder;
    const auto bank = folder / kBankFile;
    const auto ignored = folder / L"second.sf2";
    WriteBank(bank, JapaneseBank());
    WriteBank(ignored, SecondBank());
    RunningApp app(QuintaroExe());

    // Only the first file of a drop counts.
    Drop(app, {bank, ignored});
    AwaitPathBox(app, bank);
    EXPECT_EQ(NameBytes(app, kModuleNameBox), ShiftJis(kJapaneseBankName));
    EXPECT_EQ(NameBytes(app, kMapNameBox), ShiftJis(kJapaneseBankName));
    EXPECT_EQ(CheckedPlayer(app), 0);
    ExpectAllControlsEnabled(app);
    CaptureScreenshotIfAsked(app);

    {
        SCOPED_TRACE("cancelling the save dialog");
        const HWND saveDialog = PressExport(app);
        ASSERT_TRUE(IsFileDialog(saveDialog));
        // The dialog may show the whole proposed path or only its name, the folder being its own.
        const std::wstring proposed = FileNameText(saveDialog);
        EXPECT_TRUE(proposed == kProposedName || proposed == (folder / kProposedName).wstring())
            << "proposed: " << WideToUtf8(proposed);
        PostCommand(saveDialog, IDCANCEL);
        app.AwaitNoDialog("the save dialog");
        app.Barrier();
        EXPECT_TRUE(OwnedDialogs(app.Window()).empty()) << "a cancelled save dialog must show nothing";
        EXPECT_FALSE(std::filesystem::exists(folder / kProposedName));
    }

    int n = 0;
    for (const ExportCase& c : kExports) {
        SCOPED_TRACE(WideToUtf8(std::wstring(c.cliPlayer) + L" " + c.cliTone + L" " + c.cliDrum));
        const auto fromWindow = folder / (L"window-" + std::to_wstring(++n) + L".xml");
        const auto fromCli = folder / (L"cli-" + std::to_wstring(n) + L".xml");
        if (c.outputExists)
            WriteFileBytes(fromWindow, "to be replaced");

        ClickPlayer(app, c.player);
        SelectGrouping(app, kToneGrouping, c.toneGrouping);
        SelectGrouping(app, kDrumGrouping, c.drumGrouping);
        const HWND saveDialog = PressExport(app);
        ASSERT_TRUE(IsFileDialog(saveDialog));
        const HWND box = SaveAs(app, saveDialog, fromWindow);

        const MessageBoxSeen seen = ReadMessageBox(box);
        EXPECT_EQ(WideToUtf8(seen.caption), "Quintaro");
        EXPECT_EQ(WideToUtf8(seen.text), WideToUtf8(L"書き出しました。"));
        EXPECT_STREQ(ToString(seen.icon), ToString(BoxIcon::Information));
        EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
        PostCommand(box, IDOK);
        app.AwaitNoDialog("the export's message");

        ASSERT_EQ(RunToEnd(CliExe(), {L"-p", c.cliPlayer, L"--tone-maps", c.cliTone, L"--drum-maps", c.cliDrum,
                                      L"-o", fromCli.wstring(), bank.wstring()}),
                  0u);
        const std::string written = ReadFileBytes(fromWindow);
        EXPECT_GT(written.size(), 1000u);
        EXPECT_TRUE(written == ReadFileBytes(fromCli)) << "the window's file differs from quintaro-cli's";
    }
}

TEST(ConverterWindowLoading, KeepsTheChoicesAndTakesTheNewNamesOnlyFromABankThatLoads)
{
    ScratchFolder folder;
    const auto first = folder / L"first.sf2";
    const auto second = folder / L"second.sf2";
    const auto notABank = folder / L"not-a-bank.sf2";
    WriteBank(first, JapaneseBank());
    WriteBank(second, SecondBank());
    WriteFileBytes(notABank, std::string("RIFF\x04\0\0\0WAVE", 12));
    RunningApp app(QuintaroExe());

    // A rejected file before any bank: still nothing to export.
    Drop(app, {notABank});
    EXPECT_TRUE(OwnedDialogs(app.Window()).empty()) << "a file that is no bank is refused silently";
    EXPECT_EQ(NameBytes(app, kPathBox), "");
    EXPECT_FALSE(::IsWindowEnabled(app.Item(kExportButton)));

    Drop(app, {first});
    AwaitPathBox(app, first);
    ClickPlayer(app, 1);
    SelectGrouping(app, kToneGrouping, 2);
    SelectGrouping(app, kDrumGrouping, 1);
    SetNameBytes(app, kModuleNameBox, "edited module");
    SetNameBytes(app, kMapNameBox, "edited map");

    Drop(app, {notABank});
    EXPECT_TRUE(OwnedDialogs(app.Window()).empty());
    EXPECT_EQ(NameBytes(app, kPathBox), AnsiPath(first));
    EXPECT_EQ(NameBytes(app, kModuleNameBox), "edited module");
    EXPECT_EQ(NameBytes(app, kMapNameBox), "edited map");
    ExpectAllControlsEnabled(app);

    Drop(app, {second});
    AwaitPathBox(app, second);
    EXPECT_EQ(NameBytes(app, kModuleNameBox), WideToUtf8(kSecondBankName));
    EXPECT_EQ(NameBytes(app, kMapNameBox), WideToUtf8(kSecondBankName));
    EXPECT_EQ(CheckedPlayer(app), 1);
    EXPECT_EQ(SelectedGrouping(app, kToneGrouping), 2);
    EXPECT_EQ(SelectedGrouping(app, kDrumGrouping), 1);
}

}  // namespace
}  // namespace e2e
