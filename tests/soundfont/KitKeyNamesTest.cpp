// How a drum kit's keys get their names from the samples of its zones: suffix rules, which zone
// wins, how preset and instrument key ranges combine, and that no index from the file reaches
// outside its table. Each case is one kit (preset 0, bank 128) after a piano that uses instrument 0.
#include "soundfont/CSoundFont.h"
#include "tests/soundfont/SoundFontTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sftest::Generator;
using sftest::RiffNode;
using sftest::Zone;

Generator Keys(std::uint8_t lo, std::uint8_t hi) { return sftest::keyRange(lo, hi); }
Generator Sample(std::uint16_t index) { return sftest::sampleID(index); }
Generator Inst(std::uint16_t index) { return sftest::instrument(index); }

struct Span {
    int lo;
    int hi;
    const char* name;
};

struct KitCase {
    const char* title;
    std::vector<std::string> samples;
    std::vector<std::vector<Zone>> instruments; // the zones of instrument 0, 1, ...
    std::vector<Zone> kitZones;
    std::vector<Span> expected;                 // every other key stays unnamed
    void (*edit)(RiffNode& riff) = nullptr;     // breaks the laid-out bank
};

void PrintTo(const KitCase& c, std::ostream* os) { *os << c.title; }

// Record indices of the layout: pbag 0 is the piano's zone, pbag 1 the kit's first zone; pgen 0 is
// the piano's instrument generator; phdr 2 is EOP.
sftest::Bank MakeBank(const KitCase& c)
{
    sftest::Bank bank;
    for (const std::string& name : c.samples)
        bank.samples.push_back(sftest::Sample{name});
    for (std::size_t i = 0; i < c.instruments.size(); ++i)
        bank.instruments.push_back(sftest::Instrument{"Inst " + std::to_string(i), c.instruments[i]});
    bank.presets = {{"Piano", 0, 0, {{Inst(0)}}}, {"Kit", 0, 128, c.kitZones}};
    return bank;
}

class KitKeyNames : public ::testing::TestWithParam<KitCase> {};

TEST_P(KitKeyNames, NameEachKeyAfterTheFirstZoneThatCoversIt)
{
    const KitCase& c = GetParam();
    RiffNode riff = sftest::Layout(MakeBank(c));
    if (c.edit)
        c.edit(riff);
    const sftest::LoadResult loaded = sftest::LoadBytes(sftest::Serialize(riff));
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.messages.empty());
    const int index = loaded.font->FindPreset(0, true);
    ASSERT_GE(index, 0);
    const CPresetEntry& kit = *loaded.font->GetPreset(index);
    EXPECT_EQ(kit.m_strName, "Kit");
    ASSERT_EQ(kit.m_keyNames.size(), 128u);

    std::vector<std::string> expected(128);
    for (const Span& span : c.expected)
        for (int k = span.lo; k <= span.hi; ++k)
            expected[static_cast<std::size_t>(k)] = span.name;
    for (std::size_t k = 0; k < 128; ++k)
        EXPECT_EQ(kit.m_keyNames[k].Str(), expected[k]) << "key " << k;
}

const std::vector<Zone> kOneKick = {{Keys(36, 36), Sample(0)}};
const std::vector<Zone> kPlaysInstrument0 = {{Inst(0)}};

const KitCase kCases[] = {
    // Suffixes.
    {"SuffixLRemoved", {"Kick(L)"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}}},
    {"SuffixRRemoved", {"Kick(R)"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}}},
    {"SpaceBeforeSuffixKept", {"Snare (R)"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Snare "}}},
    {"LowerCaseSuffixesKept", {"Tom(l)", "Tom(r)"},
     {{{Keys(40, 40), Sample(0)}, {Keys(41, 41), Sample(1)}}}, kPlaysInstrument0,
     {{40, 40, "Tom(l)"}, {41, 41, "Tom(r)"}}},
    {"SuffixNotAtTheEndKept", {"(L)Kick", "Kick(L) "},
     {{{Keys(40, 40), Sample(0)}, {Keys(41, 41), Sample(1)}}}, kPlaysInstrument0,
     {{40, 40, "(L)Kick"}, {41, 41, "Kick(L) "}}},
    {"NameThatIsOnlyASuffixNamesNothing", {"(L)", "(R)", "Clap"},
     {{{Keys(36, 36), Sample(0)}, {Keys(36, 37), Sample(1)}, {Keys(36, 38), Sample(2)}}}, kPlaysInstrument0,
     {{36, 38, "Clap"}}},
    {"NamesShorterThanThreeBytesComparedWhole", {"L)", "A"},
     {{{Keys(40, 40), Sample(0)}, {Keys(41, 41), Sample(1)}}}, kPlaysInstrument0,
     {{40, 40, "L)"}, {41, 41, "A"}}},
    {"TwentyByteNamesWithoutZero", {"ABCDEFGHIJKLMNOPQ(R)", "ABCDEFGHIJKLMNOPQRST"},
     {{{Keys(40, 40), Sample(0)}, {Keys(41, 41), Sample(1)}}}, kPlaysInstrument0,
     {{40, 40, "ABCDEFGHIJKLMNOPQ"}, {41, 41, "ABCDEFGHIJKLMNOPQRST"}}},
    {"ShiftJisSampleNameCopied", {"\x83\x68\x83\x89\x83\x80(L)"}, {kOneKick}, kPlaysInstrument0,
     {{36, 36, "\x83\x68\x83\x89\x83\x80"}}},

    // Which zone wins.
    {"FirstInstrumentZoneWins", {"First", "Second"},
     {{{Keys(36, 36), Sample(0)}, {Keys(35, 37), Sample(1)}}}, kPlaysInstrument0,
     {{35, 35, "Second"}, {36, 36, "First"}, {37, 37, "Second"}}},
    {"FirstPresetZoneWins", {"One", "Two"},
     {{{Keys(36, 36), Sample(0)}}, {{Keys(36, 37), Sample(1)}}}, {{Inst(0)}, {Inst(1)}},
     {{36, 36, "One"}, {37, 37, "Two"}}},
    {"StereoPairGivesOneName", {"Snare(L)", "Snare(R)"},
     {{{Keys(38, 38), Sample(0)}, {Keys(38, 39), Sample(1)}}}, kPlaysInstrument0,
     {{38, 39, "Snare"}}},
    {"NamedKeysStayWhenAllAreTaken", {"All", "Kick"},
     {{{Keys(0, 127), Sample(0)}, {Keys(36, 36), Sample(1)}}, {{Keys(36, 36), Sample(1)}}},
     {{Inst(0)}, {Inst(1)}, {Inst(9)}},
     {{0, 127, "All"}}},

    // Key ranges.
    {"PresetRangeCutsZoneRange", {"Tom"}, {{{Keys(30, 50), Sample(0)}}}, {{Keys(36, 40), Inst(0)}},
     {{36, 40, "Tom"}}},
    {"PresetRangeServesZoneWithoutRange", {"Tom"}, {{{Sample(0)}}}, {{Keys(36, 40), Inst(0)}},
     {{36, 40, "Tom"}}},
    {"NoRangeAnywhereNamesNothing", {"Tom"}, {{{Sample(0)}}}, kPlaysInstrument0, {}},
    {"ZoneRangeLowAboveHighNamesNothing", {"Tom"}, {{{Keys(50, 40), Sample(0)}}}, kPlaysInstrument0, {}},
    {"PresetRangeLowAboveHighNamesNothing", {"Tom"}, {{{Keys(30, 50), Sample(0)}}}, {{Keys(40, 36), Inst(0)}}, {}},
    {"KeysAbove127PassedOver", {"High", "Higher"},
     {{{Keys(120, 130), Sample(0)}, {Keys(200, 255), Sample(1)}}}, kPlaysInstrument0,
     {{120, 127, "High"}}},
    {"GlobalPresetZoneDoesNotLimitLaterZones", {"Tom"}, {{{Keys(30, 50), Sample(0)}}},
     {{Keys(36, 40)}, {Inst(0)}}, {{30, 50, "Tom"}}},
    {"GlobalPresetZoneLendsNoRange", {"Tom"}, {{{Sample(0)}}}, {{Keys(36, 40)}, {Inst(0)}}, {}},
    {"GlobalInstrumentZoneSkippedAndLendsNoRange", {"Kick", "Snare"},
     {{{Keys(0, 127)}, {Keys(36, 36), Sample(0)}, {Sample(1)}}}, kPlaysInstrument0,
     {{36, 36, "Kick"}}},
    {"EachPresetZoneKeepsItsOwnRange", {"A", "B"},
     {{{Keys(30, 50), Sample(0)}}, {{Keys(30, 50), Sample(1)}}},
     {{Keys(36, 36), Inst(0)}, {Inst(1)}},
     {{30, 35, "B"}, {36, 36, "A"}, {37, 50, "B"}}},
    {"LaterGeneratorsReplaceEarlierOnes", {"Early", "Late", "Wrong"},
     {{{Keys(10, 10), Sample(0), Keys(36, 36), Sample(1)}}, {{Keys(0, 127), Sample(2)}}},
     {{Keys(50, 60), Inst(1), Keys(0, 127), Inst(0)}},
     {{36, 36, "Late"}}},
    {"OtherGeneratorsAndMisplacedOnesIgnored", {"Kick", "Wrong"},
     {{{sftest::gen(sftest::kGenPan, -200), Inst(1), Keys(36, 36), sftest::gen(sftest::kGenInitialAttenuation, 30), Sample(0)}},
      {{Keys(0, 127), Sample(1)}}},
     {{sftest::gen(sftest::kGenPan, 100), Sample(1), Inst(0)}},
     {{36, 36, "Kick"}}},
    {"KitWithoutZones", {"Kick"}, {kOneKick}, {}, {}},

    // Indices that point outside their tables.
    {"InstrumentIndexPastTable", {"Kick"}, {kOneKick}, {{Keys(0, 127), Inst(7)}}, {}},
    {"InstrumentIndexOfTerminalRecord", {"Kick"}, {kOneKick}, {{Keys(0, 127), Inst(1)}}, {}},
    {"SampleIndexPastTableReplacesNothing", {"Kick"},
     {{{Keys(36, 36), Sample(0), Sample(99)}, {Keys(37, 37), Sample(99)}, {Keys(38, 38), Sample(2)}}},
     kPlaysInstrument0, {{36, 36, "Kick"}}},
    {"KitZonesStartPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) {
         sftest::SetField(riff, sftest::kPhdrBagNdx, 1, 500);
         sftest::SetField(riff, sftest::kPhdrBagNdx, 2, 600);
     }},
    {"KitZonesEndPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kPhdrBagNdx, 2, 60000); }},
    {"PresetZoneGeneratorsStartPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kPbagGenNdx, 1, 60000); }},
    {"PresetZoneGeneratorsEndPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kPbagGenNdx, 2, 60000); }},
    {"InstrumentZonesStartPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kInstBagNdx, 0, 60000); }},
    {"InstrumentZonesEndPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kInstBagNdx, 1, 60000); }},
    {"InstrumentZoneGeneratorsStartPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kIbagGenNdx, 0, 60000); }},
    {"InstrumentZoneGeneratorsEndPastTable", {"Kick"}, {kOneKick}, kPlaysInstrument0, {{36, 36, "Kick"}},
     [](RiffNode& riff) { sftest::SetField(riff, sftest::kIbagGenNdx, 1, 60000); }},
    // Without its closing record a range is empty: drop the terminal record of one table.
    {"LastPresetRecordHasNoZones", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { riff.At("pdta/phdr").data.resize(2 * 38); }},
    {"LastPresetBagHasNoGenerators", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { riff.At("pdta/pbag").data.resize(2 * 4); }},
    {"LastInstrumentHasNoZones", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { riff.At("pdta/inst").data.resize(1 * 22); }},
    {"LastInstrumentBagHasNoGenerators", {"Kick"}, {kOneKick}, kPlaysInstrument0, {},
     [](RiffNode& riff) { riff.At("pdta/ibag").data.resize(1 * 4); }},
};

INSTANTIATE_TEST_SUITE_P(Cases, KitKeyNames, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<KitCase>& p) { return std::string(p.param.title); });

// The tables that only serve key naming may be missing: the bank still loads, kits stay unnamed.
TEST(KitKeyNamesMissingTable, LeavesKitsUnnamedAndStillLoads)
{
    for (const char* table : {"pbag", "pgen", "inst", "ibag", "igen", "shdr"}) {
        SCOPED_TRACE(table);
        RiffNode riff = sftest::Layout(MakeBank(kCases[0]));
        riff.Remove(std::string("pdta/") + table);
        const sftest::LoadResult loaded = sftest::LoadBytes(sftest::Serialize(riff));
        ASSERT_TRUE(loaded.ok);
        EXPECT_TRUE(loaded.messages.empty());
        ASSERT_EQ(loaded.font->GetPresetCount(), 2);
        const CPresetEntry& kit = *loaded.font->GetPreset(loaded.font->FindPreset(0, true));
        ASSERT_EQ(kit.m_keyNames.size(), 128u);
        for (const CString& name : kit.m_keyNames)
            EXPECT_TRUE(name.IsEmpty());
    }
}

} // namespace
