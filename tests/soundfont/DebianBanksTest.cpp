// The banks that Debian ships, loaded whole. The expected facts come from outside this program:
// the preset lists that fluidsynth 2.3 prints for each bank ("inst 1"), and a separate reading of
// the files' INFO and pdta chunks (the bank name, the pdta size, the samples each kit key plays,
// with "(L)"/"(R)" taken off).
#include "platform/CFile.h"
#include "soundfont/CSoundFont.h"
#include "tests/soundfont/SoundFontTestSupport.h"
#include "tests/support/DebianBanks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KnownPreset {
    int preset;
    bool drum;
    const char* name; // of the entry FindPreset gives: for a melodic preset, its lowest bank
};

struct KnownKey {
    int key;
    const char* name;
};

struct BankFacts {
    const char* file;
    const char* name;
    int entries;
    int kits;
    std::vector<KnownPreset> presets;
    int kitPreset;          // the kit whose keys are checked
    int firstNamedKey;      // every key of that kit from here ...
    int lastNamedKey;       // ... to here has a name, every other key none
    std::vector<KnownKey> keys;
};

void PrintTo(const BankFacts& facts, std::ostream* os) { *os << facts.file; }

const BankFacts kBanks[] = {
    {"FluidR3_GM.sf2", "Fluid R3 GM", 189, 31,
     {{0, false, "Yamaha Grand Piano"}, {1, false, "Bright Yamaha Grand"}, {48, false, "Strings"},
      {125, false, "Helicopter"}, {127, false, "Gun Shot"}, {0, true, "Standard"}, {25, true, "TR-808"},
      {48, true, "Orchestra Kit"}, {56, true, nullptr}, {127, true, nullptr}},
     0, 27, 87,
     {{27, "High Q"}, {35, "Std Kick"}, {36, "Std Kick"}, {38, "Std Snr 1"}, {40, "Std Snr 2"},
      {42, "Hi-Hat Closed"}, {46, "Hi-Hat Half-Open"}, {49, "Crsh 1"}, {56, "Cow Bell"},
      {82, "Small Shaker "}, {87, "Long Taiko Hit"}}},
    {"FluidR3_GS.sf2", "Fluid R3 GS+SFX Portion", 33, 1,
     {{120, false, "Gtr. Cut Noise"}, {127, false, "Machine Gun"}, {56, true, "SFX"}, {0, false, nullptr},
      {0, true, nullptr}},
     56, 39, 84,
     {{39, "High Q"}, {52, "Laugh"}, {60, "Door"}, {75, "Explosion"}, {84, "bubbles"}}},
    {"TimGM6mb.sf2", "TimGM6mb1.sf2", 136, 8,
     {{0, false, "Piano 1"}, {48, false, "Strings CLP"}, {127, false, "Gun Shot"}, {0, true, "Standard"},
      {25, true, "TR 808"}, {48, true, "Orchestra"}, {1, true, nullptr}},
     0, 27, 87,
     {{27, "Filter Snap"}, {35, "Bass Drum New"}, {38, "Snare 1"}, {42, "High Hat Closed"},
      {46, "Open High Hat"}, {81, "TriangleWave Db5"}, {87, "Taiko Drum"}}},
};

class DebianBank : public ::testing::TestWithParam<BankFacts> {};

TEST_P(DebianBank, LoadsThePresetsAndKitKeysThatTheBankHolds)
{
    const BankFacts& facts = GetParam();
    const std::string path = sftest::DebianBank(facts.file);
    if (path.empty())
        return;
    const sftest::LoadResult loaded = sftest::LoadPath(path);
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.messages.empty());
    const CSoundFont& font = *loaded.font;
    EXPECT_EQ(font.GetName(), facts.name);
    ASSERT_EQ(font.GetPresetCount(), facts.entries);

    int kits = 0;
    for (int i = 0; i < font.GetPresetCount(); ++i) {
        const CPresetEntry& entry = *font.GetPreset(i);
        kits += entry.IsDrumKit() ? 1 : 0;
        EXPECT_EQ(entry.m_keyNames.size(), entry.IsDrumKit() ? 128u : 0u) << i;
        if (i > 0) {
            EXPECT_FALSE(ComparePresets(&entry, font.GetPreset(i - 1))) << "out of order at " << i;
        }
    }
    EXPECT_EQ(kits, facts.kits);

    for (const KnownPreset& known : facts.presets) {
        SCOPED_TRACE(known.preset);
        const int index = font.FindPreset(static_cast<std::uint16_t>(known.preset), known.drum);
        if (!known.name) {
            EXPECT_EQ(index, -1);
            continue;
        }
        ASSERT_GE(index, 0);
        EXPECT_EQ(font.GetPreset(index)->m_strName, known.name);
    }

    const int kitIndex = font.FindPreset(static_cast<std::uint16_t>(facts.kitPreset), true);
    ASSERT_GE(kitIndex, 0);
    const std::vector<CString>& keys = font.GetPreset(kitIndex)->m_keyNames;
    for (int k = 0; k < 128; ++k)
        EXPECT_EQ(keys[static_cast<std::size_t>(k)].IsEmpty(), k < facts.firstNamedKey || k > facts.lastNamedKey) << "key " << k;
    for (const KnownKey& known : facts.keys)
        EXPECT_EQ(keys[static_cast<std::size_t>(known.key)], known.name) << "key " << known.key;
}

INSTANTIATE_TEST_SUITE_P(Banks, DebianBank, ::testing::ValuesIn(kBanks),
                         [](const ::testing::TestParamInfo<BankFacts>& p) {
                             std::string name = p.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(DebianBankReading, FluidR3GmLoadsByReadingLittleMoreThanItsPdtaList)
{
    const std::string path = sftest::DebianBank("FluidR3_GM.sf2");
    if (path.empty())
        return;
    // The file is 148 398 306 bytes; its pdta list has a ckSize of 201 910, of which the seven
    // tables that Load uses (all but pmod and imod) take 194 354.
    const std::uint64_t pdtaSize = 201910;
    const std::uint64_t tablesSize = 194354;
    const std::uint64_t before = CFile::GetTotalBytesRead();
    const sftest::LoadResult loaded = sftest::LoadPath(path);
    ASSERT_TRUE(loaded.ok);
    const std::uint64_t read = CFile::GetTotalBytesRead() - before;
    EXPECT_GE(read, tablesSize);
    EXPECT_LT(read, pdtaSize + 64 * 1024);
}

} // namespace
