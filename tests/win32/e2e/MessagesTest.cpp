// The messages of the export button, shown by a renamed copy of the program: each is captioned with
// the executable's name without its extension, carries the exclamation icon and one OK button, and
// one press shows at most one of them.
#include "tests/win32/e2e/ConverterWindow.h"
#include "tests/win32/e2e/FileDialogs.h"
#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/MessageBoxes.h"
#include "tests/win32/e2e/RunningApp.h"
#include "tests/win32/e2e/TestBanks.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

struct MessageCase {
    const char* moduleName;
    const char* mapName;
    int player;                // -1: no player button checked
    bool throughSaveDialog;    // the validation passes and the export itself answers
    const wchar_t* message;
};

// The copy beside its templates lacks sfz.xml, so an sfz export cannot read its template.
const MessageCase kMessages[] = {
    {"", "", 0, false, L"音源名を入力してください。"},
    {"", "map", 0, false, L"音源名を入力してください。"},
    {"module", "", 0, false, L"MAP名を入力してください。"},
    {"module", "map", -1, false, L"サウンドフォントプレイヤを選択してください。"},
    {"   ", " ", 2, true, L"デフォルトxmlファイルの読み込みに失敗しました。"},
};

TEST(ExportMessages, AreCaptionedWithTheNameOfTheRenamedExecutable)
{
    ScratchFolder folder;
    const auto exe = folder / L"Renamed.exe";
    std::filesystem::copy_file(QuintaroExe(), exe);
    for (const wchar_t* name : {L"TiMidityGS.xml", L"TiMidityXG.xml"})
        std::filesystem::copy_file(DriverFolder() / name, folder / name);
    const auto bank = folder / L"nameless.sf2";
    WriteBank(bank, BankWithEmptyName());

    RunningApp app(exe);
    Drop(app, {bank});
    AwaitOrThrow("the bank to load", [&] { return NameBytes(app, kPathBox) == AnsiPath(bank); });
    // A bank without a name leaves both boxes empty.
    EXPECT_EQ(NameBytes(app, kModuleNameBox), "");
    EXPECT_EQ(NameBytes(app, kMapNameBox), "");

    for (const MessageCase& c : kMessages) {
        SCOPED_TRACE(std::string("module '") + c.moduleName + "', map '" + c.mapName + "', player " +
                     std::to_string(c.player));
        SetNameBytes(app, kModuleNameBox, c.moduleName);
        SetNameBytes(app, kMapNameBox, c.mapName);
        if (c.player >= 0) {
            ClickPlayer(app, c.player);
        } else {
            for (int player = 0; player < 3; ++player)
                ::SendMessageW(app.Item(PlayerButton(player)), BM_SETCHECK, BST_UNCHECKED, 0);
        }

        HWND box = PressExport(app);
        const auto output = folder / L"nameless.xml";
        if (c.throughSaveDialog) {
            ASSERT_TRUE(IsFileDialog(box)) << "names of spaces must be accepted";
            ConfirmFileName(box, output);
            AwaitOrThrow("the save dialog to close", [&] { return !::IsWindow(box); });
            box = app.AwaitDialog("the export's message");
        }
        ASSERT_FALSE(IsFileDialog(box)) << "expected a message, got the save dialog";
        const MessageBoxSeen seen = ReadMessageBox(box);
        EXPECT_EQ(WideToUtf8(seen.caption), "Renamed");
        EXPECT_EQ(WideToUtf8(seen.text), WideToUtf8(c.message));
        EXPECT_STREQ(ToString(seen.icon), ToString(BoxIcon::Exclamation));
        EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});

        PostCommand(box, IDOK);
        app.AwaitNoDialog("the message");
        app.Barrier();
        EXPECT_TRUE(OwnedDialogs(app.Window()).empty()) << "a second window followed the message";
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

}  // namespace
}  // namespace e2e
