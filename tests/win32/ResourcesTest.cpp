// The resources of Quintaro.exe itself: both dialog templates control by control in dialog units,
// the items of the grouping lists, the icon, the version, and the absence of a title string.
#include "platform/CodePage.h"
#include "platform/DlgInit_win32.h"
#include "platform/Path.h"
#include "res/resource.h"
#include "tests/win32/DialogTemplate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

using wintest::DialogItem;
using wintest::DialogTemplate;
using wintest::kButtonClass;
using wintest::kComboBoxClass;
using wintest::kEditClass;
using wintest::kStaticClass;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

CString ProgramPath()
{
    return PathCombine(PathRemoveFileSpec(GetModuleFilePath()), "Quintaro.exe");
}

// The program, opened for its resources only.
class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        m_hModule = ::LoadLibraryExA(ProgramPath().GetString(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_hModule, nullptr) << "Quintaro.exe must stand beside the tests: " << ProgramPath().GetString();
    }
    void TearDown() override
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }

    std::vector<unsigned char> Resource(unsigned id, unsigned type) const
    {
        const HRSRC hInfo = ::FindResourceA(m_hModule, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
        if (!hInfo)
            return {};
        const auto* p = static_cast<const unsigned char*>(::LockResource(::LoadResource(m_hModule, hInfo)));
        return std::vector<unsigned char>(p, p + ::SizeofResource(m_hModule, hInfo));
    }

    HMODULE m_hModule = nullptr;
};

struct ExpectedItem {
    int id;
    std::uint16_t windowClass;
    const char* text; // UTF-8; null: the text is checked elsewhere
    short x, y, cx, cy;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
};

// A predefined class may be named by its number or by its name; both make the same control.
std::optional<std::uint16_t> ClassOrdinal(const wintest::NameOrOrdinal& windowClass)
{
    if (windowClass.ordinal)
        return windowClass.ordinal;
    const std::pair<const char*, std::uint16_t> names[] = {
        {"BUTTON", kButtonClass}, {"EDIT", kEditClass}, {"STATIC", kStaticClass}, {"COMBOBOX", kComboBoxClass}};
    for (const auto& [name, ordinal] : names) {
        if (::lstrcmpiA(windowClass.name.c_str(), name) == 0)
            return ordinal;
    }
    return std::nullopt;
}

void ExpectItems(const std::vector<DialogItem>& items, const std::vector<ExpectedItem>& expected)
{
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const DialogItem& item = items[i];
        const ExpectedItem& want = expected[i];
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(ClassOrdinal(item.windowClass), want.windowClass);
        if (want.text) {
            EXPECT_EQ(item.title.name, want.text);
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style, kChild | want.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, want.exStyle);
    }
}

TEST_F(ProgramResources, ConverterDialogTemplate)
{
    const auto t = wintest::LoadDialogTemplate(m_hModule, IDD_CONVERTER_DIALOG);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->style, DWORD(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(t->exStyle, DWORD(WS_EX_APPWINDOW | WS_EX_ACCEPTFILES));
    EXPECT_EQ(t->x, 0);
    EXPECT_EQ(t->y, 0);
    EXPECT_EQ(t->cx, 283);
    EXPECT_EQ(t->cy, 221);
    EXPECT_EQ(t->title, u8"Soundfont(*.sf2) → Zelmor音源定義ファイル コンバータ");
    EXPECT_EQ(t->typeface, u8"ＭＳ Ｐゴシック");
    EXPECT_EQ(t->pointSize, 9);
    EXPECT_EQ(t->weight, FW_NORMAL);
    EXPECT_EQ(t->italic, 0);
    EXPECT_EQ(t->charset, DEFAULT_CHARSET);

    const DWORD text = SS_LEFT | WS_GROUP;
    const DWORD nameBox = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    ExpectItems(t->items, {
        {IDC_STATIC, kStaticClass, u8"① Soundfont(*.sf2)ファイルを指定してください。", 7, 7, 269, 8, text, 0},
        {IDC_SOUNDFONT_PATH, kEditClass, "", 26, 19, 250, 14, nameBox | ES_READONLY, 0},
        {IDC_BROWSE, kButtonClass, u8"参照...", 226, 35, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {IDC_STATIC, kStaticClass, u8"※ ここへファイルをドラッグ＆ドロップして指定する事も可能です。", 26, 35, 195, 8, text, 0},
        {IDC_STEP2_TEXT, kStaticClass, u8"② 使用するサウンドフォントプレイヤを選択してください。", 7, 56, 228, 8, text, 0},
        {IDC_PLAYER_TIMIDITY_GS, kButtonClass, "TiMidity++ (GS Map)", 26, 72, 81, 10, BS_AUTORADIOBUTTON | WS_GROUP, 0},
        {IDC_PLAYER_TIMIDITY_XG, kButtonClass, "TiMidity++ (XG Map)", 110, 72, 81, 10, BS_AUTORADIOBUTTON, 0},
        {IDC_PLAYER_SFZ, kButtonClass, "sfz", 199, 72, 39, 10, BS_AUTORADIOBUTTON, 0},
        {IDC_STEP3_TEXT, kStaticClass, u8"③ 必要に応じて設定を変更してください。", 7, 96, 228, 8, text, 0},
        {IDC_STATIC, kStaticClass, u8"音源名 :", 26, 113, 53, 8, text, 0},
        {IDC_MODULE_NAME, kEditClass, "", 26, 122, 107, 14, nameBox, 0},
        {IDC_STATIC, kStaticClass, u8"MAP名 :", 147, 113, 53, 8, text, 0},
        {IDC_MAP_NAME, kEditClass, "", 147, 122, 107, 14, nameBox, 0},
        {IDC_STEP4_TEXT, kStaticClass, u8"④ Zelmor音源定義ファイルの書き出しを行ってください。", 7, 178, 228, 8, text, 0},
        {IDC_EXPORT, kButtonClass, u8"書き出し実行", 26, 192, 106, 22, BS_PUSHBUTTON | WS_TABSTOP, WS_EX_DLGMODALFRAME},
        {IDC_STATIC, kStaticClass, u8"音色リストのMAP出力方法 :\u3000", 26, 143, 92, 8, text, 0},
        {IDC_TONE_MAP_MODE, kComboBoxClass, "", 26, 152, 107, 104, list, 0},
        {IDC_STATIC, kStaticClass, u8"ドラムセットリストのMAP出力方法 :\u3000", 147, 143, 115, 8, text, 0},
        {IDC_DRUM_MAP_MODE, kComboBoxClass, "", 147, 152, 107, 104, list, 0},
    });
}

TEST_F(ProgramResources, AboutBoxTemplate)
{
    const auto t = wintest::LoadDialogTemplate(m_hModule, IDD_ABOUTBOX);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->style, DWORD(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(t->exStyle, 0u);
    EXPECT_EQ(t->x, 0);
    EXPECT_EQ(t->y, 0);
    EXPECT_EQ(t->cx, 235);
    EXPECT_EQ(t->cy, 55);
    EXPECT_EQ(t->title, u8"Quintaroのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(t->typeface, u8"ＭＳ Ｐゴシック");
    EXPECT_EQ(t->pointSize, 9);

    ExpectItems(t->items, {
        {IDC_STATIC, kStaticClass, nullptr, 11, 17, 20, 20, SS_ICON, 0},
        {IDC_STATIC, kStaticClass, "Quintaro Version 1.0", 40, 10, 119, 8, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0},
        {IDC_STATIC, kStaticClass, nullptr, 40, 25, 119, 8, SS_LEFT | WS_GROUP, 0},
        {IDOK, kButtonClass, "OK", 178, 7, 50, 14, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0},
    });
    ASSERT_EQ(t->items.size(), 4u);
    EXPECT_EQ(t->items[0].title.ordinal, std::optional<std::uint16_t>(IDR_MAINFRAME)) << "the program icon";
    EXPECT_NE(t->items[2].title.name.find("Copyright"), std::string::npos) << "the rights notice";
}

TEST_F(ProgramResources, BothGroupingListsGetTheThreeModesInOrder)
{
    const std::vector<unsigned char> data = Resource(IDD_CONVERTER_DIALOG, RT_DLGINIT_ID);
    const std::vector<DlgInitItem> items = ParseDlgInit(data.data(), data.size());
    const char* texts[] = {u8"デフォルト", u8"PC# 8個でまとめる", u8"PC# 16個でまとめる"};
    ASSERT_EQ(items.size(), 6u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].nIDC, i < 3 ? IDC_TONE_MAP_MODE : IDC_DRUM_MAP_MODE);
        EXPECT_EQ(items[i].message, UINT(CB_ADDSTRING));
        EXPECT_EQ(items[i].text, FixedText(texts[i % 3]).Str()) << "ANSI bytes of the item";
    }
    // Every record is whole: the data ends right after the closing zero.
    ASSERT_GE(data.size(), 2u);
    EXPECT_EQ(data[data.size() - 2], 0);
    EXPECT_EQ(data[data.size() - 1], 0);
}

TEST_F(ProgramResources, IconHasA32And16PixelImageOf16Colours)
{
    const std::vector<unsigned char> group = Resource(IDR_MAINFRAME, 14 /* RT_GROUP_ICON */);
    ASSERT_GE(group.size(), 6u);
    const unsigned count = group[4] | (group[5] << 8);
    ASSERT_EQ(count, 2u);
    std::vector<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* entry = group.data() + 6 + 14 * i;
        const unsigned id = entry[12] | (entry[13] << 8);
        const std::vector<unsigned char> image = Resource(id, 3 /* RT_ICON */);
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biBitCount, 4) << "16 colours";
        EXPECT_EQ(header.biHeight, 2 * header.biWidth) << "image and mask";
        EXPECT_EQ(entry[0], header.biWidth);
        sizes.push_back(header.biWidth);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

TEST_F(ProgramResources, NoTitleStringSoTheTitleIsTheFileName)
{
    char buffer[64];
    EXPECT_EQ(::LoadStringA(m_hModule, 0xE000, buffer, sizeof buffer), 0);
}

std::string VersionString(const std::vector<unsigned char>& info, const wchar_t* key, bool& present)
{
    void* p = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + key;
    present = ::VerQueryValueW(info.data(), path.c_str(), &p, &length) != FALSE;
    if (!present || !p)
        return std::string();
    std::wstring wide(static_cast<const wchar_t*>(p));
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return utf8;
}

TEST(ProgramVersion, FixedPartStringsAndTranslation)
{
    const std::wstring path = AnsiToWide(ProgramPath());
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    void* p = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &p, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(p);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &p, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(p);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);

    struct Entry {
        const wchar_t* key;
        const char* value; // null: any text, but some
    };
    const Entry entries[] = {
        {L"FileDescription", u8"sf2→Zelmor音源定義ファイルコンバータ"},
        {L"FileVersion", "1.03"},
        {L"ProductVersion", "1.03"},
        {L"InternalName", "Quintaro"},
        {L"OriginalFilename", "Quintaro.EXE"},
        {L"ProductName", u8"Quintaro ｱﾌﾟﾘｹｰｼｮﾝ"},
        {L"LegalCopyright", nullptr},
        {L"Comments", ""},
        {L"CompanyName", ""},
        {L"LegalTrademarks", ""},
        {L"PrivateBuild", ""},
        {L"SpecialBuild", ""},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(AnsiToUtf8(*WideToAnsi(entry.key)));
        bool present = false;
        const std::string value = VersionString(info, entry.key, present);
        EXPECT_TRUE(present);
        if (entry.value) {
            EXPECT_EQ(value, entry.value);
        } else {
            EXPECT_FALSE(value.empty());
        }
    }
}

} // namespace
