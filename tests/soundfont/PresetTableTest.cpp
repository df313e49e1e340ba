// The table of presets that Load leaves: which records become entries, their names and numbers,
// their order (stable for equal numbers), FindPreset, and the bank name.
#include "soundfont/CSoundFont.h"
#include "tests/soundfont/SoundFontTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using sftest::Bank;
using sftest::LoadBank;
using sftest::LoadResult;
using sftest::Preset;

using Numbers = std::pair<int, int>; // (preset, bank)

std::vector<Numbers> NumbersOf(const CSoundFont& font)
{
    std::vector<Numbers> numbers;
    for (int i = 0; i < font.GetPresetCount(); ++i)
        numbers.emplace_back(font.GetPreset(i)->m_wPreset, font.GetPreset(i)->m_wBank);
    return numbers;
}

std::vector<std::string> NamesOf(const CSoundFont& font)
{
    std::vector<std::string> names;
    for (int i = 0; i < font.GetPresetCount(); ++i)
        names.push_back(font.GetPreset(i)->m_strName.Str());
    return names;
}

Bank BankOf(std::vector<Preset> presets)
{
    Bank bank;
    bank.presets = std::move(presets);
    return bank;
}

TEST(PresetTable, SortsByPresetThenBankAndFindPresetFollowsThatOrder)
{
    const LoadResult loaded = LoadBank(BankOf({{"B", 1, 0, {}}, {"C", 0, 8, {}}, {"A", 0, 0, {}}, {"Kit", 0, 128, {}}}));
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.messages.empty());
    const CSoundFont& font = *loaded.font;
    EXPECT_EQ(NumbersOf(font), (std::vector<Numbers>{{0, 0}, {0, 8}, {0, 128}, {1, 0}}));
    EXPECT_EQ(NamesOf(font), (std::vector<std::string>{"A", "C", "Kit", "B"}));
    EXPECT_EQ(font.FindPreset(0, false), 0);
    EXPECT_EQ(font.FindPreset(0, true), 2);
    EXPECT_EQ(font.FindPreset(1, false), 3);
    EXPECT_EQ(font.FindPreset(1, true), -1);
    EXPECT_EQ(font.FindPreset(2, false), -1);
}

TEST(PresetTable, FindPresetGivesTheFirstMatchOfALinearScan)
{
    // Awkward neighbourhoods: banks above 128, a kit without melodic entries, a number alone at
    // the end, the largest numbers.
    const std::vector<Numbers> numbers = {
        {5, 300}, {0, 128}, {2, 129}, {2, 128}, {3, 0}, {3, 127}, {3, 128}, {3, 65535}, {4, 128},
        {1, 1},   {7, 200}, {65535, 65535}, {65535, 128}, {6, 0}, {5, 128}, {5, 3},
    };
    std::vector<Preset> presets;
    for (const auto& [preset, bank] : numbers)
        presets.push_back({"P", static_cast<std::uint16_t>(preset), static_cast<std::uint16_t>(bank), {}});
    const LoadResult loaded = LoadBank(BankOf(presets));
    ASSERT_TRUE(loaded.ok);
    const CSoundFont& font = *loaded.font;
    ASSERT_EQ(font.GetPresetCount(), static_cast<int>(numbers.size()));
    for (int i = 1; i < font.GetPresetCount(); ++i)
        EXPECT_FALSE(ComparePresets(font.GetPreset(i), font.GetPreset(i - 1))) << "at " << i;

    for (const unsigned preset : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 128u, 65534u, 65535u}) {
        for (const bool drum : {false, true}) {
            int expected = -1;
            for (int i = 0; i < font.GetPresetCount() && expected < 0; ++i) {
                const CPresetEntry* e = font.GetPreset(i);
                if (e->m_wPreset == preset && (e->m_wBank == 128) == drum)
                    expected = i;
            }
            EXPECT_EQ(font.FindPreset(static_cast<std::uint16_t>(preset), drum), expected)
                << "preset " << preset << (drum ? " kit" : " melodic");
        }
    }
    const CSoundFont empty;
    EXPECT_EQ(empty.FindPreset(0, false), -1);
    EXPECT_EQ(empty.FindPreset(0, true), -1);
}

TEST(PresetTable, EntriesWithEqualNumbersKeepTheirFileOrder)
{
    // Enough entries that an unstable sort would reorder equal ones; names give the file order.
    std::vector<Preset> presets;
    for (int i = 0; i < 200; ++i) {
        const int preset = (i * 7) % 5;
        const int bank = (i % 3 == 0) ? 128 : (i * 11) % 2;
        presets.push_back({std::to_string(i), static_cast<std::uint16_t>(preset), static_cast<std::uint16_t>(bank), {}});
    }
    const LoadResult loaded = LoadBank(BankOf(presets));
    ASSERT_TRUE(loaded.ok);
    const CSoundFont& font = *loaded.font;
    ASSERT_EQ(font.GetPresetCount(), 200);
    for (int i = 1; i < font.GetPresetCount(); ++i) {
        const CPresetEntry* a = font.GetPreset(i - 1);
        const CPresetEntry* b = font.GetPreset(i);
        ASSERT_FALSE(ComparePresets(b, a)) << "at " << i;
        if (a->m_wPreset == b->m_wPreset && a->m_wBank == b->m_wBank) {
            EXPECT_LT(std::stoi(a->m_strName.Str()), std::stoi(b->m_strName.Str())) << "at " << i;
        }
    }
}

TEST(PresetTable, AnUnnamedTerminalLikeRecordDoesNotTakeThePlaceOfTheRealPreset)
{
    // A bank whose last record is an unnamed (0, 0) instead of "EOP": it becomes an entry, after
    // the real piano.
    std::vector<Preset> presets = {{"Grand Piano", 0, 0, {}}};
    for (int p = 1; p < 40; ++p)
        presets.push_back({"Melodic " + std::to_string(p), static_cast<std::uint16_t>(p), 0, {}});
    presets.push_back({"Standard", 0, 128, {}});
    presets.push_back({"", 0, 0, {}});
    Bank bank = BankOf(presets);
    bank.terminalRecords = false;
    const LoadResult loaded = LoadBank(bank);
    ASSERT_TRUE(loaded.ok);
    const CSoundFont& font = *loaded.font;
    ASSERT_EQ(font.GetPresetCount(), 42);
    EXPECT_EQ(font.GetPreset(font.FindPreset(0, false))->m_strName, "Grand Piano");
    EXPECT_EQ(font.GetPreset(1)->m_strName, "");
    EXPECT_EQ(font.GetPreset(font.FindPreset(0, true))->m_strName, "Standard");
}

TEST(PresetTable, OnlyBank128IsADrumKit)
{
    Bank bank;
    bank.samples = {{"Kick"}};
    bank.instruments = {{"Drums", {{sftest::keyRange(36, 36), sftest::sampleID(0)}}}};
    bank.presets = {{"Below", 0, 127, {{sftest::instrument(0)}}},
                    {"Kit", 0, 128, {{sftest::instrument(0)}}},
                    {"Above", 0, 129, {{sftest::instrument(0)}}}};
    const LoadResult loaded = LoadBank(bank);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.font->GetPresetCount(), 3);
    EXPECT_TRUE(loaded.font->GetPreset(0)->m_keyNames.empty());
    ASSERT_EQ(loaded.font->GetPreset(1)->m_keyNames.size(), 128u);
    EXPECT_EQ(loaded.font->GetPreset(1)->m_keyNames[36], "Kick");
    EXPECT_TRUE(loaded.font->GetPreset(2)->m_keyNames.empty());
}

struct TerminalCase {
    const char* name;
    bool endsTheTable;
};

TEST(PresetTable, ARecordNamedExactlyEopEndsTheTable)
{
    const TerminalCase cases[] = {
        {"EOP", true}, {"EOP ", false}, {"eop", false}, {"EOPs", false}, {"EO", false}, {" EOP", false},
    };
    for (const TerminalCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadResult loaded = LoadBank(BankOf({{"First", 0, 0, {}}, {c.name, 1, 0, {}}, {"Last", 2, 0, {}}}));
        ASSERT_TRUE(loaded.ok);
        if (c.endsTheTable)
            EXPECT_EQ(NamesOf(*loaded.font), (std::vector<std::string>{"First"}));
        else
            EXPECT_EQ(NamesOf(*loaded.font), (std::vector<std::string>{"First", c.name, "Last"}));
    }
}

TEST(PresetTable, WithoutEopEveryRecordIsAnEntryAndTheLastHasNoZones)
{
    Bank bank;
    bank.samples = {{"Kick"}};
    bank.instruments = {{"Drums", {{sftest::keyRange(36, 36), sftest::sampleID(0)}}}};
    bank.presets = {{"Kit A", 0, 128, {{sftest::instrument(0)}}}, {"Kit B", 1, 128, {{sftest::instrument(0)}}}};
    bank.terminalRecords = false;
    // Give the one instrument and its one zone closing records, so that only the preset table
    // lacks its terminal record.
    sftest::RiffNode riff = sftest::Layout(bank);
    auto& ibag = riff.At("pdta/ibag").data;
    ibag.insert(ibag.end(), {2, 0, 0, 0});
    auto& inst = riff.At("pdta/inst").data;
    inst.resize(inst.size() + 22, 0);
    inst[inst.size() - 2] = 1;
    const LoadResult loaded = sftest::LoadBytes(sftest::Serialize(riff));
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(NamesOf(*loaded.font), (std::vector<std::string>{"Kit A", "Kit B"}));
    EXPECT_EQ(loaded.font->GetPreset(0)->m_keyNames[36], "Kick");
    EXPECT_EQ(loaded.font->GetPreset(1)->m_keyNames[36], "");
}

TEST(PresetTable, NamesAreTheFieldBytesUpToTheFirstZero)
{
    const LoadResult loaded = LoadBank(BankOf({
        {std::string("Pia\0no", 6), 0, 0, {}},
        {"ABCDEFGHIJKLMNOPQRST", 1, 0, {}},
        {"\x83\x73\x83\x41\x83\x6D", 2, 0, {}},
        {"", 3, 0, {}},
    }));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(NamesOf(*loaded.font),
              (std::vector<std::string>{"Pia", "ABCDEFGHIJKLMNOPQRST", "\x83\x73\x83\x41\x83\x6D", ""}));

    const char field[20] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(CSoundFont::FieldToString(field, 20), "ab");
    EXPECT_EQ(CSoundFont::FieldToString("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 20).Str(), "ABCDEFGHIJKLMNOPQRST");
}

struct NameCase {
    const char* title;
    bool writeInfo;
    std::optional<std::string> inam; // INAM text before its zero padding
    std::string expected;
};

TEST(PresetTable, TheBankNameIsInamUpToItsFirstZero)
{
    const NameCase cases[] = {
        {"plain", true, std::string("General User"), "General User"},
        {"two zeros after six characters", true, std::string("Bank 1\0", 7), "Bank 1"},
        {"Shift-JIS", true, std::string("\x83\x6F\x83\x93\x83\x4E"), "\x83\x6F\x83\x93\x83\x4E"},
        {"INFO without INAM", true, std::nullopt, ""},
        {"no INFO list", false, std::string("Unused"), ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.title);
        Bank bank = BankOf({{"Piano", 0, 0, {}}});
        bank.writeInfo = c.writeInfo;
        bank.info.name = c.inam;
        const LoadResult loaded = LoadBank(bank);
        ASSERT_TRUE(loaded.ok);
        EXPECT_EQ(loaded.font->GetName().Str(), c.expected);
        EXPECT_EQ(loaded.font->GetPresetCount(), 1);
    }
}

} // namespace
