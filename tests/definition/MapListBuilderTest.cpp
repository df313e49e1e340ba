// The instrument list and the drum-set list, from banks written with the SoundFont writer and
// loaded the way the converter loads them.
#include "definition/MapListBuilder.h"
#include "platform/CodePage.h"
#include "tests/definition/TestBanks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using deftest::LoadBank;
using deftest::TestPreset;

// One list line per element, each ending with CR LF.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The lines of a list; fails the test if any line is not ended by CR LF.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find("\r\n", begin);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text.substr(begin);
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

ConversionSettings Settings(int player, const char* mapName = "My Map")
{
    ConversionSettings settings;
    settings.m_nPlayer = player;
    settings.m_strMapName = mapName;
    settings.m_strModuleName = "Module";
    return settings;
}

std::string Build(const CSoundFont& bank, const ConversionSettings& settings, int mode, bool drums)
{
    return CMapListBuilder(bank, settings).BuildMapList(mode, drums).Str();
}

// ---- The worked example --------------------------------------------------------------------

std::string ExampleInstruments(const char* wideBank)
{
    return Lines({
        "\t\t<Map Name=\"My Map\">",
        "\t\t\t<PC Name=\"Piano 1\" PC=\"1\">",
        "\t\t\t\t<Bank Name=\"Piano 1\" LSB=\"0\" MSB=\"0\" />",
        std::string("\t\t\t\t<Bank Name=\"Piano 1 Wide\" ") + wideBank + " />",
        "\t\t\t</PC>",
        "\t\t\t<PC Name=\"Str &amp; Pad\" PC=\"49\">",
        "\t\t\t\t<Bank Name=\"Str &amp; Pad\" LSB=\"0\" MSB=\"0\" />",
        "\t\t\t</PC>",
        "\t\t</Map>",
    });
}

std::string ExampleDrums(const char* msb)
{
    return Lines({
        "\t\t<Map Name=\"My Map\">",
        "\t\t\t<PC Name=\"Std Kit\" PC=\"1\">",
        std::string("\t\t\t\t<Bank Name=\"Std Kit\" LSB=\"0\" MSB=\"") + msb + "\">",
        "\t\t\t\t\t<Tone Name=\"Kick\" Key=\"36\" />",
        "\t\t\t\t\t<Tone Name=\"Snare\" Key=\"38\" />",
        "\t\t\t\t</Bank>",
        "\t\t\t</PC>",
        "\t\t</Map>",
    });
}

TEST(MapListBuilderTest, WorkedExampleForEachPlayer)
{
    const auto bank = deftest::WorkedExampleBank();
    struct Case {
        int player;
        const char* wideBank;
        const char* drumMsb;
    };
    const Case cases[] = {
        {kPlayerTiMidityGS, "LSB=\"0\" MSB=\"8\"", "0"},
        {kPlayerTiMidityXG, "LSB=\"8\" MSB=\"0\"", "127"},
        {kPlayerSfz, "LSB=\"8\" MSB=\"0\"", "127"},
    };
    for (const Case& c : cases) {
        const ConversionSettings settings = Settings(c.player);
        EXPECT_EQ(Build(*bank, settings, kMapGroupingOne, false), ExampleInstruments(c.wideBank)) << "player " << c.player;
        EXPECT_EQ(Build(*bank, settings, kMapGroupingOne, true), ExampleDrums(c.drumMsb)) << "player " << c.player;
    }
}

TEST(MapListBuilderTest, WorkedExampleInMapsOfSixteen)
{
    const auto bank = deftest::WorkedExampleBank();
    const std::string expected = Lines({
        "\t\t<Map Name=\"My Map\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  001-016\">",
        "\t\t\t<PC Name=\"Piano 1\" PC=\"1\">",
        "\t\t\t\t<Bank Name=\"Piano 1\" LSB=\"0\" MSB=\"0\" />",
        "\t\t\t\t<Bank Name=\"Piano 1 Wide\" LSB=\"0\" MSB=\"8\" />",
        "\t\t\t</PC>",
        "\t\t</Map>",
        "\t\t<Map Name=\"  017-032\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  033-048\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  049-064\">",
        "\t\t\t<PC Name=\"Str &amp; Pad\" PC=\"49\">",
        "\t\t\t\t<Bank Name=\"Str &amp; Pad\" LSB=\"0\" MSB=\"0\" />",
        "\t\t\t</PC>",
        "\t\t</Map>",
        "\t\t<Map Name=\"  065-080\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  081-096\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  097-112\">",
        "\t\t</Map>",
        "\t\t<Map Name=\"  113-128\">",
        "\t\t</Map>",
    });
    EXPECT_EQ(Build(*bank, Settings(kPlayerTiMidityGS), kMapGroupingBy16, false), expected);
}

TEST(MapListBuilderTest, BankSelectByPlayer)
{
    struct Case {
        int player;
        std::uint16_t bank;
        bool drum;
        int lsb;
        int msb;
    };
    const Case cases[] = {
        {kPlayerTiMidityGS, 0, false, 0, 0},     {kPlayerTiMidityGS, 8, false, 0, 8},
        {kPlayerTiMidityGS, 200, false, 0, 200}, {kPlayerTiMidityGS, 128, true, 0, 0},
        {kPlayerTiMidityXG, 8, false, 8, 0},     {kPlayerTiMidityXG, 65535, false, 65535, 0},
        {kPlayerTiMidityXG, 128, true, 0, 127},  {kPlayerSfz, 8, false, 8, 0},
        {kPlayerSfz, 128, true, 0, 127},
    };
    for (const Case& c : cases) {
        const BankSelect select = BankSelectFor(c.player, c.bank, c.drum);
        EXPECT_EQ(select.m_nLsb, c.lsb) << "player " << c.player << " bank " << c.bank;
        EXPECT_EQ(select.m_nMsb, c.msb) << "player " << c.player << " bank " << c.bank;
    }
}

// ---- Maps ------------------------------------------------------------------------------------

TEST(MapListBuilderTest, EmptyListsStillHaveEveryMap)
{
    const auto melodicOnly = LoadBank({{"Piano", 0, 0, {}}});
    const auto kitsOnly = LoadBank({{"Kit", 0, 128, {{36, "Kick"}}}});
    struct Case {
        int mode;
        std::size_t lines;
        const char* firstRange;
        const char* lastRange;
    };
    const Case cases[] = {
        {kMapGroupingOne, 2, nullptr, nullptr},
        {kMapGroupingBy8, 34, "\t\t<Map Name=\"  001-008\">", "\t\t<Map Name=\"  121-128\">"},
        {kMapGroupingBy16, 18, "\t\t<Map Name=\"  001-016\">", "\t\t<Map Name=\"  113-128\">"},
    };
    const ConversionSettings settings = Settings(kPlayerTiMidityGS);
    for (const Case& c : cases) {
        for (const bool drums : {true, false}) {
            const std::vector<std::string> lines = SplitLines(Build(drums ? *melodicOnly : *kitsOnly, settings, c.mode, drums));
            ASSERT_EQ(lines.size(), c.lines) << "mode " << c.mode << (drums ? " drums" : " tones");
            EXPECT_EQ(lines[0], "\t\t<Map Name=\"My Map\">");
            EXPECT_EQ(lines[1], "\t\t</Map>");
            if (c.firstRange) {
                EXPECT_EQ(lines[2], c.firstRange);
                EXPECT_EQ(lines[lines.size() - 2], c.lastRange);
                // Named map, then pairs of range start and end.
                for (std::size_t i = 3; i < lines.size(); i += 2)
                    EXPECT_EQ(lines[i], "\t\t</Map>") << "line " << i + 1;
            }
        }
    }
}

TEST(MapListBuilderTest, ProgramsLandInTheirRangeMaps)
{
    const auto bank = LoadBank({{"P8", 7, 0, {}}, {"P9", 8, 0, {}}, {"P128", 127, 0, {}}});
    const std::vector<std::string> lines = SplitLines(Build(*bank, Settings(kPlayerTiMidityGS), kMapGroupingBy8, false));
    const auto at = [&](const std::string& line) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == line)
                return static_cast<int>(i);
        }
        return -1;
    };
    const int first = at("\t\t<Map Name=\"  001-008\">");
    const int second = at("\t\t<Map Name=\"  009-016\">");
    const int last = at("\t\t<Map Name=\"  121-128\">");
    EXPECT_EQ(at("\t\t\t<PC Name=\"P8\" PC=\"8\">"), first + 1);
    EXPECT_EQ(at("\t\t\t<PC Name=\"P9\" PC=\"9\">"), second + 1);
    EXPECT_EQ(at("\t\t\t<PC Name=\"P128\" PC=\"128\">"), last + 1);
    EXPECT_EQ(lines.size(), 34u + 3 * 3);
}

// ---- Which presets make which lines ----------------------------------------------------------

struct ListCase {
    const char* what;
    std::vector<TestPreset> presets;
    int player;
    bool drums;
    std::vector<std::string> pcLines; // everything between the map's start and end
};

void ExpectList(const ListCase& c)
{
    const auto bank = LoadBank(c.presets);
    std::vector<std::string> expected = {"\t\t<Map Name=\"My Map\">"};
    expected.insert(expected.end(), c.pcLines.begin(), c.pcLines.end());
    expected.push_back("\t\t</Map>");
    EXPECT_EQ(Build(*bank, Settings(c.player), kMapGroupingOne, c.drums), Lines(expected)) << c.what;
}

TEST(MapListBuilderTest, MelodicRuns)
{
    const ListCase cases[] = {
        {"program numbers from 128 up appear in neither list",
         {{"Hidden", 128, 0, {}}, {"Hidden Too", 65535, 5, {}}, {"Shown", 127, 0, {}}},
         kPlayerTiMidityGS,
         false,
         {"\t\t\t<PC Name=\"Shown\" PC=\"128\">", "\t\t\t\t<Bank Name=\"Shown\" LSB=\"0\" MSB=\"0\" />", "\t\t\t</PC>"}},
        {"two entries with equal numbers both appear, in file order",
         {{"First", 3, 5, {}}, {"Second", 3, 5, {}}},
         kPlayerTiMidityXG,
         false,
         {"\t\t\t<PC Name=\"First\" PC=\"4\">", "\t\t\t\t<Bank Name=\"First\" LSB=\"5\" MSB=\"0\" />",
          "\t\t\t\t<Bank Name=\"Second\" LSB=\"5\" MSB=\"0\" />", "\t\t\t</PC>"}},
        {"a bank above 127 is written as stored",
         {{"Far", 2, 200, {}}},
         kPlayerTiMidityGS,
         false,
         {"\t\t\t<PC Name=\"Far\" PC=\"3\">", "\t\t\t\t<Bank Name=\"Far\" LSB=\"0\" MSB=\"200\" />", "\t\t\t</PC>"}},
        {"the run from bank 0 stops at the kit, so bank 200 beyond it is lost",
         {{"Above", 0, 200, {}}, {"Kit", 0, 128, {}}, {"Low", 0, 0, {}}},
         kPlayerTiMidityGS,
         false,
         {"\t\t\t<PC Name=\"Low\" PC=\"1\">", "\t\t\t\t<Bank Name=\"Low\" LSB=\"0\" MSB=\"0\" />", "\t\t\t</PC>"}},
        {"banks that all lie above the kit start their own run",
         {{"B300", 9, 300, {}}, {"Kit", 9, 128, {}}, {"B129", 9, 129, {}}},
         kPlayerSfz,
         false,
         {"\t\t\t<PC Name=\"B129\" PC=\"10\">", "\t\t\t\t<Bank Name=\"B129\" LSB=\"129\" MSB=\"0\" />",
          "\t\t\t\t<Bank Name=\"B300\" LSB=\"300\" MSB=\"0\" />", "\t\t\t</PC>"}},
        {"and so they do without a kit",
         {{"B300", 9, 300, {}}, {"B129", 9, 129, {}}},
         kPlayerTiMidityGS,
         false,
         {"\t\t\t<PC Name=\"B129\" PC=\"10\">", "\t\t\t\t<Bank Name=\"B129\" LSB=\"0\" MSB=\"129\" />",
          "\t\t\t\t<Bank Name=\"B300\" LSB=\"0\" MSB=\"300\" />", "\t\t\t</PC>"}},
        {"programs in ascending order, banks in ascending order",
         {{"P5b1", 5, 1, {}}, {"P2", 2, 0, {}}, {"P5b0", 5, 0, {}}},
         kPlayerTiMidityGS,
         false,
         {"\t\t\t<PC Name=\"P2\" PC=\"3\">", "\t\t\t\t<Bank Name=\"P2\" LSB=\"0\" MSB=\"0\" />", "\t\t\t</PC>",
          "\t\t\t<PC Name=\"P5b0\" PC=\"6\">", "\t\t\t\t<Bank Name=\"P5b0\" LSB=\"0\" MSB=\"0\" />",
          "\t\t\t\t<Bank Name=\"P5b1\" LSB=\"0\" MSB=\"1\" />", "\t\t\t</PC>"}},
    };
    for (const ListCase& c : cases)
        ExpectList(c);
}

TEST(MapListBuilderTest, DrumKits)
{
    const ListCase cases[] = {
        {"only named keys give tones, in key order",
         {{"Kit", 0, 128, {{127, "Top"}, {0, "Bottom"}, {60, "Mid(L)"}}}},
         kPlayerTiMidityXG,
         true,
         {"\t\t\t<PC Name=\"Kit\" PC=\"1\">", "\t\t\t\t<Bank Name=\"Kit\" LSB=\"0\" MSB=\"127\">",
          "\t\t\t\t\t<Tone Name=\"Bottom\" Key=\"0\" />", "\t\t\t\t\t<Tone Name=\"Mid\" Key=\"60\" />",
          "\t\t\t\t\t<Tone Name=\"Top\" Key=\"127\" />", "\t\t\t\t</Bank>", "\t\t\t</PC>"}},
        {"a kit without key names still has its bank",
         {{"Silent Kit", 25, 128, {}}},
         kPlayerTiMidityGS,
         true,
         {"\t\t\t<PC Name=\"Silent Kit\" PC=\"26\">", "\t\t\t\t<Bank Name=\"Silent Kit\" LSB=\"0\" MSB=\"0\">",
          "\t\t\t\t</Bank>", "\t\t\t</PC>"}},
        {"only the first kit of a program number is written",
         {{"First Kit", 1, 128, {{36, "A"}}}, {"Second Kit", 1, 128, {{37, "B"}}}},
         kPlayerTiMidityGS,
         true,
         {"\t\t\t<PC Name=\"First Kit\" PC=\"2\">", "\t\t\t\t<Bank Name=\"First Kit\" LSB=\"0\" MSB=\"0\">",
          "\t\t\t\t\t<Tone Name=\"A\" Key=\"36\" />", "\t\t\t\t</Bank>", "\t\t\t</PC>"}},
        {"melodic banks and kits above 127 stay out of the drum list",
         {{"Melodic", 0, 0, {}}, {"Far Kit", 128, 128, {{36, "X"}}}, {"Bank 129", 0, 129, {}}},
         kPlayerTiMidityGS,
         true,
         {}},
    };
    for (const ListCase& c : cases)
        ExpectList(c);
}

TEST(MapListBuilderTest, EveryNameIsEscaped)
{
    const auto bank = LoadBank({
        {"A&B <1>", 0, 0, {}},
        {"\"Kit\" 'n'", 0, 128, {{40, "S&H"}, {41, "<Tom>"}}},
        {"Bell\x07", 1, 0, {}},
    });
    const ConversionSettings settings = Settings(kPlayerTiMidityGS, "Map \"&\" <x>");
    EXPECT_EQ(Build(*bank, settings, kMapGroupingOne, false),
              Lines({
                  "\t\t<Map Name=\"Map &quot;&amp;&quot; &lt;x&gt;\">",
                  "\t\t\t<PC Name=\"A&amp;B &lt;1&gt;\" PC=\"1\">",
                  "\t\t\t\t<Bank Name=\"A&amp;B &lt;1&gt;\" LSB=\"0\" MSB=\"0\" />",
                  "\t\t\t</PC>",
                  "\t\t\t<PC Name=\"Bell?\" PC=\"2\">",
                  "\t\t\t\t<Bank Name=\"Bell?\" LSB=\"0\" MSB=\"0\" />",
                  "\t\t\t</PC>",
                  "\t\t</Map>",
              }));
    EXPECT_EQ(Build(*bank, settings, kMapGroupingOne, true),
              Lines({
                  "\t\t<Map Name=\"Map &quot;&amp;&quot; &lt;x&gt;\">",
                  "\t\t\t<PC Name=\"&quot;Kit&quot; 'n'\" PC=\"1\">",
                  "\t\t\t\t<Bank Name=\"&quot;Kit&quot; 'n'\" LSB=\"0\" MSB=\"0\">",
                  "\t\t\t\t\t<Tone Name=\"S&amp;H\" Key=\"40\" />",
                  "\t\t\t\t\t<Tone Name=\"&lt;Tom&gt;\" Key=\"41\" />",
                  "\t\t\t\t</Bank>",
                  "\t\t\t</PC>",
                  "\t\t</Map>",
              }));
}

TEST(MapListBuilderTest, ShiftJisNamesPassByteForByte)
{
    // A 20-byte name field that ends in the first byte of 表 (0x95 0x5C).
    const std::string cut = std::string(19, 'A') + "\x95";
    const auto bank = LoadBank({{"\x83\x5C\x83\x74\x83\x67", 0, 0, {}}, {cut, 1, 0, {}}});
    const std::string tones = Build(*bank, Settings(kPlayerTiMidityGS, "\x95\x5C"), kMapGroupingOne, false);
    EXPECT_NE(tones.find("\t\t<Map Name=\"\x95\x5C\">\r\n"), std::string::npos);
    EXPECT_NE(tones.find("\t\t\t<PC Name=\"\x83\x5C\x83\x74\x83\x67\" PC=\"1\">\r\n"), std::string::npos);
    if (AnsiCodePage() == 932) {
        EXPECT_NE(tones.find("\t\t\t<PC Name=\"" + std::string(19, 'A') + "\" PC=\"2\">\r\n"), std::string::npos) << tones;
    }
}

} // namespace
