// The converter window with its real controls: the two states, data exchange, loading by browsing
// and by dropping, validation, the proposed output name, the export, the system menu and the
// About command.
#include "tests/win32/ConverterDlgFixture.h"

#include "definition/ExportDefinition.h"
#include "platform/CodePage.h"
#include "platform/Path.h"

#include <fstream>
#include <iterator>

namespace {

using wintest::NamedBank;

const char* const kModuleNameMissing = u8"音源名を入力してください。";
const char* const kMapNameMissing = u8"MAP名を入力してください。";
const char* const kPlayerMissing = u8"サウンドフォントプレイヤを選択してください。";
const char* const kCannotOpen = u8"ファイルが開けませんでした。";
const char* const kWritten = u8"書き出しました。";

std::string Ansi(const char* utf8)
{
    return FixedText(utf8).Str();
}

std::vector<bool> EnabledStates(HWND hDlg)
{
    std::vector<bool> states;
    for (HWND h : wintest::Children(hDlg))
        states.push_back(::IsWindowEnabled(h) != FALSE);
    return states;
}

// Template order: the first four controls (step ①, the path box, Browse, the drop hint) never
// change; the fifteen from the step ② text on follow the state.
std::vector<bool> ExpectedStates(bool bankLoaded)
{
    std::vector<bool> states(19, bankLoaded);
    std::fill(states.begin(), states.begin() + 4, true);
    return states;
}

std::string ReadFile(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ConverterDlgTest, StartsWithoutBankAndTheDefaults)
{
    EXPECT_EQ(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), "");
    EXPECT_TRUE(::GetWindowLongA(Item(IDC_SOUNDFONT_PATH), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(Checked(IDC_PLAYER_TIMIDITY_GS));
    EXPECT_FALSE(Checked(IDC_PLAYER_TIMIDITY_XG));
    EXPECT_FALSE(Checked(IDC_PLAYER_SFZ));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "");
    EXPECT_EQ(Text(IDC_MAP_NAME), "");
    for (int list : {IDC_TONE_MAP_MODE, IDC_DRUM_MAP_MODE}) {
        SCOPED_TRACE(list);
        // The items came from the template's data before the first exchange selected item 0.
        ASSERT_EQ(::SendMessageA(Item(list), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(Selection(list), 0);
        EXPECT_EQ(Text(list), u8"デフォルト");
        const char* items[] = {u8"デフォルト", u8"PC# 8個でまとめる", u8"PC# 16個でまとめる"};
        for (int i = 0; i < 3; ++i) {
            char text[64] = {};
            ::SendMessageA(Item(list), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            EXPECT_EQ(wintest::ToUtf8(CString(text)), items[i]);
        }
    }
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(false));
    EXPECT_TRUE(::GetWindowLongA(dlg.m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "drops are taken from the start";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConverterDlgTest, SystemMenuLacksMaximizeAndSizeAndHasNoAboutItem)
{
    const HMENU hMenu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(::GetMenuState(hMenu, SC_MAXIMIZE, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(::GetMenuState(hMenu, SC_SIZE, MF_BYCOMMAND), UINT(-1));
    EXPECT_NE(::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    EXPECT_NE(::GetMenuState(hMenu, SC_MOVE, MF_BYCOMMAND), UINT(-1));
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        EXPECT_NE(::GetMenuItemID(hMenu, i) & 0xFFF0, 0x0010u);
}

TEST_F(ConverterDlgTest, CarriesTheProgramIconLargeAndSmall)
{
    const HICON hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0)), hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0)), hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0)), hIcon);
}

TEST_F(ConverterDlgTest, BrowseLoadsTheBankAndEnablesEverything)
{
    const CString path = folder.Write("piano.sf2", NamedBank("Grand Bank"));
    Browse(path);

    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_TRUE(fileDialogs[0].open);
    EXPECT_EQ(fileDialogs[0].defExt, "sf2");
    EXPECT_EQ(fileDialogs[0].initialFileName, "");
    EXPECT_EQ(fileDialogs[0].flags, DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(fileDialogs[0].flags, 6u);
    EXPECT_EQ(fileDialogs[0].filter, "Soundfont(*.sf2)|*.sf2||");

    ASSERT_NE(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), wintest::ToUtf8(path));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "Grand Bank");
    EXPECT_EQ(Text(IDC_MAP_NAME), "Grand Bank");
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(true));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConverterDlgTest, CancellingTheOpenDialogDoesNothing)
{
    Press(IDC_BROWSE);
    EXPECT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(false));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConverterDlgTest, ShiftJisBankNameReachesBothNameBoxes)
{
    const std::string name = Ansi(u8"ピアノ音源");
    Browse(folder.Write("jp.sf2", NamedBank(name)));
    EXPECT_EQ(Text(IDC_MODULE_NAME), u8"ピアノ音源");
    EXPECT_EQ(Text(IDC_MAP_NAME), u8"ピアノ音源");
    EXPECT_EQ(dlg.GetSoundFont()->GetName().Str(), name);
}

// A load that fails leaves everything as it was: the bank, the path, the names (also edited ones),
// the player and both groupings. Only a file that does not open is reported.
struct FailedLoad {
    const char* what;
    bool exists;
    sftest::Bytes bytes;
    std::vector<std::string> messages;
};

class FailedLoadTest : public ConverterDlgTest, public testing::WithParamInterface<FailedLoad> {};

TEST_P(FailedLoadTest, ChangesNothing)
{
    const CString good = folder.Write("good.sf2", NamedBank("Good"));
    Browse(good);
    Click(IDC_PLAYER_SFZ);
    Select(IDC_TONE_MAP_MODE, 2);
    Select(IDC_DRUM_MAP_MODE, 1);
    SetText(IDC_MODULE_NAME, "edited module");
    SetText(IDC_MAP_NAME, "edited map");
    const CSoundFont* before = dlg.GetSoundFont();

    const CString bad = GetParam().exists ? folder.Write("bad.sf2", GetParam().bytes) : folder.Path() + "\\missing.sf2";
    Browse(bad);

    EXPECT_EQ(Messages(), GetParam().messages);
    EXPECT_EQ(dlg.GetSoundFont(), before);
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), wintest::ToUtf8(good));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "edited module");
    EXPECT_EQ(Text(IDC_MAP_NAME), "edited map");
    EXPECT_TRUE(Checked(IDC_PLAYER_SFZ));
    EXPECT_FALSE(Checked(IDC_PLAYER_TIMIDITY_GS));
    EXPECT_EQ(Selection(IDC_TONE_MAP_MODE), 2);
    EXPECT_EQ(Selection(IDC_DRUM_MAP_MODE), 1);
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(true));

    // The bank that stayed still exports.
    sink.messages.clear();
    const CString out = folder.Path() + "\\after-failure.xml";
    answers.push_back({IDOK, out});
    Press(IDC_EXPORT);
    EXPECT_EQ(Messages(), std::vector<std::string>{kWritten});
    EXPECT_NE(ReadFile(out).find("edited module"), std::string::npos);
}

sftest::Bytes WaveFile()
{
    return sftest::ToBytes(std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(16, '\0') + std::string("data\0\0\0\0", 8));
}

INSTANTIATE_TEST_SUITE_P(Files, FailedLoadTest,
                         testing::Values(FailedLoad{"missing", false, {}, {kCannotOpen}},
                                         FailedLoad{"empty", true, {}, {}},
                                         FailedLoad{"wave", true, WaveFile(), {}}),
                         [](const testing::TestParamInfo<FailedLoad>& p) { return std::string(p.param.what); });

TEST_F(ConverterDlgTest, FailedFirstLoadStaysWithoutBank)
{
    Browse(folder.Write("empty.sf2", {}));
    EXPECT_EQ(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), "");
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(false));
}

TEST_F(ConverterDlgTest, SecondLoadReplacesBothNamesAndKeepsPlayerAndGroupings)
{
    Browse(folder.Write("first.sf2", NamedBank("First")));
    Click(IDC_PLAYER_TIMIDITY_XG);
    Select(IDC_TONE_MAP_MODE, 1);
    Select(IDC_DRUM_MAP_MODE, 2);
    SetText(IDC_MODULE_NAME, "typed module");
    SetText(IDC_MAP_NAME, "typed map");

    const CString second = folder.Write("second.sf2", NamedBank("Second"));
    Browse(second);

    EXPECT_EQ(dlg.GetSoundFont()->GetName(), "Second");
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), wintest::ToUtf8(second));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "Second");
    EXPECT_EQ(Text(IDC_MAP_NAME), "Second");
    EXPECT_TRUE(Checked(IDC_PLAYER_TIMIDITY_XG));
    EXPECT_FALSE(Checked(IDC_PLAYER_TIMIDITY_GS));
    EXPECT_EQ(Selection(IDC_TONE_MAP_MODE), 1);
    EXPECT_EQ(Selection(IDC_DRUM_MAP_MODE), 2);
    EXPECT_EQ(dlg.m_nPlayer, kPlayerTiMidityXG);
    EXPECT_EQ(dlg.m_nToneMapMode, kMapGroupingBy8);
    EXPECT_EQ(dlg.m_nDrumMapMode, kMapGroupingBy16);
}

TEST_F(ConverterDlgTest, DataExchangeBothWays)
{
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));

    // Members to controls, including "nothing selected".
    dlg.m_nPlayer = kPlayerSfz;
    dlg.m_strModuleName = "Module";
    dlg.m_strMapName = "Map";
    dlg.m_nToneMapMode = kMapGroupingBy16;
    dlg.m_nDrumMapMode = -1;
    dlg.UpdateData(false);
    EXPECT_FALSE(Checked(IDC_PLAYER_TIMIDITY_GS));
    EXPECT_FALSE(Checked(IDC_PLAYER_TIMIDITY_XG));
    EXPECT_TRUE(Checked(IDC_PLAYER_SFZ));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "Module");
    EXPECT_EQ(Text(IDC_MAP_NAME), "Map");
    EXPECT_EQ(Selection(IDC_TONE_MAP_MODE), 2);
    EXPECT_EQ(Selection(IDC_DRUM_MAP_MODE), -1);

    dlg.m_nPlayer = -1;
    dlg.UpdateData(false);
    EXPECT_FALSE(Checked(IDC_PLAYER_SFZ));

    // Controls to members; the whole text, however long.
    const std::string longName(1000, 'n');
    Click(IDC_PLAYER_TIMIDITY_XG);
    SetText(IDC_MODULE_NAME, longName);
    SetText(IDC_MAP_NAME, "  ");
    Select(IDC_TONE_MAP_MODE, 0);
    Select(IDC_DRUM_MAP_MODE, 1);
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.m_nPlayer, kPlayerTiMidityXG);
    EXPECT_EQ(dlg.m_strModuleName.Str(), longName);
    EXPECT_EQ(dlg.m_strMapName, "  ");
    EXPECT_EQ(dlg.m_nToneMapMode, 0);
    EXPECT_EQ(dlg.m_nDrumMapMode, 1);

    // No button checked reads as -1.
    for (int id : {IDC_PLAYER_TIMIDITY_GS, IDC_PLAYER_TIMIDITY_XG, IDC_PLAYER_SFZ})
        ::SendMessageA(Item(id), BM_SETCHECK, BST_UNCHECKED, 0);
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.m_nPlayer, -1);
}

// At most one message per press, in this order; after it nothing else happens.
struct Validation {
    const char* what;
    const char* module;
    const char* map;
    bool player;
    const char* message; // null: valid, the save dialog opens
};

class ValidationTest : public ConverterDlgTest, public testing::WithParamInterface<Validation> {};

TEST_P(ValidationTest, ShowsTheFirstMissingEntryOnly)
{
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));
    fileDialogs.clear();
    const Validation& v = GetParam();
    SetText(IDC_MODULE_NAME, v.module);
    SetText(IDC_MAP_NAME, v.map);
    if (!v.player)
        ::SendMessageA(Item(IDC_PLAYER_TIMIDITY_GS), BM_SETCHECK, BST_UNCHECKED, 0);

    Press(IDC_EXPORT);

    if (v.message) {
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, v.message);
        EXPECT_EQ(sink.messages[0].type, unsigned(MB_OK)) << "OK alone: the box shows the exclamation mark";
        EXPECT_TRUE(fileDialogs.empty());
    } else {
        EXPECT_TRUE(sink.messages.empty());
        ASSERT_EQ(fileDialogs.size(), 1u);
        EXPECT_FALSE(fileDialogs[0].open);
    }
    // The members hold what the controls showed.
    EXPECT_EQ(dlg.m_strModuleName, v.module);
    EXPECT_EQ(dlg.m_strMapName, v.map);
    EXPECT_EQ(dlg.m_nPlayer, v.player ? 0 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ValidationTest,
    testing::Values(Validation{"nothing", "", "", false, kModuleNameMissing},
                    Validation{"no_module", "", "map", true, kModuleNameMissing},
                    Validation{"no_map", "module", "", true, kMapNameMissing},
                    Validation{"no_map_no_player", "module", "", false, kMapNameMissing},
                    Validation{"no_player", "module", "map", false, kPlayerMissing},
                    Validation{"spaces", " ", "  ", true, nullptr},
                    Validation{"complete", "module", "map", true, nullptr}),
    [](const testing::TestParamInfo<Validation>& p) { return std::string(p.param.what); });

TEST_F(ConverterDlgTest, BankWithoutNameAsksForTheModuleName)
{
    Browse(folder.Write("nameless.sf2", NamedBank("")));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "");
    EXPECT_EQ(Text(IDC_MAP_NAME), "");
    Press(IDC_EXPORT);
    EXPECT_EQ(Messages(), std::vector<std::string>{kModuleNameMissing});
}

// Same folder, same base name, only the last extension replaced.
struct Proposal {
    const char* file;
    const char* proposed;
};

class ProposedPathTest : public ConverterDlgTest, public testing::WithParamInterface<Proposal> {};

TEST_P(ProposedPathTest, KeepsFolderAndBaseName)
{
    Browse(folder.Write(GetParam().file, NamedBank("Bank")));
    fileDialogs.clear();
    Press(IDC_EXPORT);
    ASSERT_EQ(fileDialogs.size(), 1u);
    const FileDialogRequest& save = fileDialogs[0];
    EXPECT_FALSE(save.open);
    EXPECT_EQ(save.initialFileName, wintest::ToUtf8(folder.Path()) + "\\" + GetParam().proposed);
    EXPECT_EQ(save.defExt, "xml");
    EXPECT_EQ(save.flags, 6u);
    EXPECT_EQ(save.filter, u8"Zelmor用音源定義ファイル(*.xml)|*.xml||");
    EXPECT_TRUE(Messages().empty()) << "cancelling the save dialog says nothing";
}

INSTANTIATE_TEST_SUITE_P(Names, ProposedPathTest,
                         testing::Values(Proposal{"piano.sf2", "piano.xml"}, Proposal{"bank.old.sf2", "bank.old.xml"},
                                         Proposal{"noext", "noext.xml"},
                                         Proposal{"sub.dir\\bank.SF2", "sub.dir\\bank.xml"}));

TEST_F(ConverterDlgTest, ProposedPathOfALongPathIsWhole)
{
    const std::string deep = std::string(120, 'd') + "\\" + std::string(120, 'e') + "\\bank.sf2";
    const CString path = folder.Write(deep, NamedBank("Deep"));
    ASSERT_GT(path.GetLength(), 260u);
    Browse(path);
    ASSERT_NE(dlg.GetSoundFont(), nullptr);
    fileDialogs.clear();
    Press(IDC_EXPORT);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].initialFileName, wintest::ToUtf8(PathRemoveExtension(path)) + ".xml");
}

TEST_F(ConverterDlgTest, ExportWritesThePlayersTemplateWithTheSettings)
{
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));
    Click(IDC_PLAYER_SFZ);
    SetText(IDC_MODULE_NAME, "My <Module>");
    const CString out = folder.Path() + "\\out.xml";
    answers.push_back({IDOK, out});

    Press(IDC_EXPORT);

    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, kWritten);
    EXPECT_EQ(sink.messages[0].type, unsigned(MB_ICONINFORMATION));
    const std::string written = ReadFile(out);
    EXPECT_NE(written.find("My &lt;Module&gt;"), std::string::npos);
    EXPECT_NE(written.find("Grand Piano"), std::string::npos);
    EXPECT_EQ(written.find("%MODULENAME%"), std::string::npos);

    // The same settings handed to the export directly give the same bytes.
    const CString direct = folder.Path() + "\\direct.xml";
    ExportDefinition(dlg.GetSettings(), *dlg.GetSoundFont(), direct);
    EXPECT_EQ(ReadFile(direct), written);
    EXPECT_EQ(dlg.GetSettings().m_nPlayer, kPlayerSfz);
}

TEST_F(ConverterDlgTest, CancellingTheSaveDialogWritesNothing)
{
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));
    Press(IDC_EXPORT);
    EXPECT_EQ(fileDialogs.size(), 2u);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(::GetFileAttributesA((folder.Path() + "\\bank.xml").GetString()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ConverterDlgTest, ExportWithoutBankIsIgnored)
{
    SetText(IDC_MODULE_NAME, "module");
    Press(IDC_EXPORT);
    EXPECT_TRUE(fileDialogs.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConverterDlgTest, EnablingWalksTheSiblingsFromTheStepTwoText)
{
    // Without the step ② text there is nothing to start the walk from.
    ::DestroyWindow(Item(IDC_STEP2_TEXT));
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));
    ASSERT_NE(dlg.GetSoundFont(), nullptr);
    std::vector<bool> expected(18, false);
    std::fill(expected.begin(), expected.begin() + 4, true);
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), expected);
}

TEST_F(ConverterDlgTest, DropLoadsOnlyTheFirstFile)
{
    const CString first = folder.Write("first.sf2", NamedBank("First"));
    const CString second = folder.Write("second.sf2", NamedBank("Second"));
    ::SendMessageA(dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(wintest::MakeDrop({first.Str(), second.Str()})), 0);

    ASSERT_NE(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(dlg.GetSoundFont()->GetName(), "First");
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), wintest::ToUtf8(first));
    EXPECT_EQ(Text(IDC_MODULE_NAME), "First");
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(true));
}

TEST_F(ConverterDlgTest, DroppedPathIsReadAtItsFullLength)
{
    // The first 259 bytes of the long path name another bank: a path cut at 260 bytes would load it.
    const std::size_t nameLength = 259 - folder.Path().GetLength() - 1 - 4;
    const std::string shortName = std::string(nameLength, 'a') + ".sf2";
    const CString cut = folder.Write(shortName, NamedBank("Cut"));
    ASSERT_EQ(cut.GetLength(), 259u);
    const CString full = folder.Write(shortName + "x\\deep.sf2", NamedBank("Full"));
    ASSERT_EQ(full.View().substr(0, 259), cut.View());

    ::SendMessageA(dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(wintest::MakeDrop({full.Str(), cut.Str()})), 0);

    ASSERT_NE(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(dlg.GetSoundFont()->GetName(), "Full");
    EXPECT_EQ(Text(IDC_SOUNDFONT_PATH), wintest::ToUtf8(full));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ConverterDlgTest, DropOfAFileThatIsNoBankChangesNothing)
{
    const CString notBank = folder.Write("notes.txt", sftest::ToBytes("hello"));
    ::SendMessageA(dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(wintest::MakeDrop({notBank.Str()})), 0);
    EXPECT_EQ(dlg.GetSoundFont(), nullptr);
    EXPECT_EQ(EnabledStates(dlg.m_hWnd), ExpectedStates(false));
    EXPECT_TRUE(Messages().empty());
}

// Every system command from 0x0010 to 0x001F opens the About box over the window; closing it in
// any way leaves the window as it was.
struct AboutClose {
    const char* what;
    UINT command;
    UINT message;
    WPARAM wParam;
};

class AboutBoxTest : public ConverterDlgTest, public testing::WithParamInterface<AboutClose> {};

TEST_P(AboutBoxTest, OpensCentredOverTheWindowAndClosesWithoutChanges)
{
    Browse(folder.Write("bank.sf2", NamedBank("Bank")));
    Click(IDC_PLAYER_SFZ);
    SetText(IDC_MAP_NAME, "kept");

    HWND hAbout = nullptr;
    std::string caption;
    HWND hOwner = nullptr;
    RECT about{}, main{};
    wintest::WhenDialogOpens([&](HWND hWnd) {
        hAbout = hWnd;
        caption = wintest::WindowTextUtf8(hWnd);
        hOwner = ::GetWindow(hWnd, GW_OWNER);
        ::GetWindowRect(hWnd, &about);
        ::GetWindowRect(dlg.m_hWnd, &main);
        EXPECT_FALSE(::IsWindowEnabled(dlg.m_hWnd)) << "the converter window takes no input meanwhile";
        ::PostMessageA(hWnd, GetParam().message, GetParam().wParam, 0);
    });
    ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, GetParam().command, 0);

    ASSERT_NE(hAbout, nullptr);
    EXPECT_FALSE(::IsWindow(hAbout));
    EXPECT_EQ(caption, u8"Quintaroのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(hOwner, dlg.m_hWnd);
    EXPECT_NEAR((about.left + about.right) / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR((about.top + about.bottom) / 2, (main.top + main.bottom) / 2, 1);

    EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
    EXPECT_EQ(dlg.GetSoundFont()->GetName(), "Bank");
    EXPECT_TRUE(Checked(IDC_PLAYER_SFZ));
    EXPECT_EQ(Text(IDC_MAP_NAME), "kept");
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AboutBoxTest,
    testing::Values(AboutClose{"ok_button", 0x0010, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
                    AboutClose{"escape", 0x0015, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                    AboutClose{"close", 0x001F, WM_CLOSE, 0},
                    AboutClose{"system_close", 0x0010, WM_SYSCOMMAND, SC_CLOSE}),
    [](const testing::TestParamInfo<AboutClose>& p) { return std::string(p.param.what); });

TEST_F(ConverterDlgTest, OtherSystemCommandsOpenNoAboutBox)
{
    const std::vector<HWND> before = wintest::VisibleDialogs();
    for (UINT command : {0x0000u, 0x0020u, 0x0100u, 0x1010u}) {
        ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, command, 0);
        EXPECT_EQ(wintest::VisibleDialogs(), before) << std::hex << command;
    }
}

TEST_F(ConverterDlgTest, SystemCloseEndsTheDialogThroughCancel)
{
    ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    // The dialog manager posts the Cancel command.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(dlg.GetEndResult(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace
