// Naming the keys of a bank's kits does bounded work: a bank whose ranges overlap stops at the
// budget with the keys named so far, and no real bank comes near it.
#include "tests/robustness/CraftedBanks.h"
#include "tests/robustness/RobustnessSupport.h"
#include "tests/support/DebianBanks.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyNamingBudget, OverlappingRangesStopAtTheBudgetWithTheKeysNamedSoFar)
{
    const std::vector<std::uint8_t> bytes = robustness::BuildOverlappingBank();
    EXPECT_GT(bytes.size(), 900'000u);
    EXPECT_LT(bytes.size(), 1'100'000u);
    robustness::CScratchBank file("overlap");
    CSoundFont bank;
    ASSERT_TRUE(file.Load(bytes, bank));

    // The walk would take about 10^17 steps; it took exactly the budget.
    EXPECT_EQ(CSoundFont::kKeyNamingBudget, bank.GetKeyNamingVisits());
    ASSERT_EQ(10001, bank.GetPresetCount());
    const CPresetEntry& good = *bank.GetPreset(0);
    EXPECT_EQ("Good Kit", good.m_strName.Str());
    EXPECT_EQ("Kick", good.m_keyNames[36].Str());
    for (int i = 0; i < bank.GetPresetCount(); ++i) {
        const CPresetEntry& kit = *bank.GetPreset(i);
        ASSERT_EQ(128u, kit.m_keyNames.size()) << i;
        for (int k = 0; k < 128; ++k)
            if (i != 0 || k != 36) {
                ASSERT_TRUE(kit.m_keyNames[static_cast<std::size_t>(k)].IsEmpty()) << i << " " << k;
            }
    }
}

TEST(KeyNamingBudget, ABankJustInsideTheBudgetIsNamedWhole)
{
    // One hog kit with few zones: every zone is walked and the budget is not reached.
    robustness::RawTables t;
    t.shdr.Sample("Snare").Sample("EOS");
    t.inst.Instrument("I", 0).Instrument("EOI", 2);
    t.ibag.Bag(0).Bag(2).Bag(3);
    t.igen.Gen(robustness::kOperKeyRange, 40 | 40 << 8).Gen(robustness::kOperSampleId, 0).Gen(0, 0);
    t.pbag.Bag(0).Bag(1);
    t.pgen.Gen(robustness::kOperInstrument, 0).Gen(0, 0);
    t.phdr.Preset("Kit", 0, 128, 0).Preset("EOP", 0, 0, 1);
    robustness::CScratchBank file("small");
    CSoundFont bank;
    ASSERT_TRUE(file.Load(robustness::BuildRawBank(t), bank));
    EXPECT_EQ("Snare", bank.GetPreset(0)->m_keyNames[40].Str());
    // Preset zone and its generator, two instrument zones and their three generators.
    EXPECT_EQ(7u, bank.GetKeyNamingVisits());
}

class RealBankBudget : public ::testing::TestWithParam<const char*> {};

TEST_P(RealBankBudget, NeedsLessThanAHundredthOfTheBudget)
{
    const std::string path = sftest::DebianBank(GetParam());
    if (path.empty())
        return;
    robustness::CQuietSink sink;
    const CScopedMessageSink scope(sink);
    CSoundFont bank;
    ASSERT_TRUE(bank.Load(CString(path)));
    EXPECT_GT(bank.GetKeyNamingVisits(), 0u);
    EXPECT_LT(bank.GetKeyNamingVisits() * 100, CSoundFont::kKeyNamingBudget);
}

INSTANTIATE_TEST_SUITE_P(DebianBanks, RealBankBudget, ::testing::Values("FluidR3_GM.sf2", "FluidR3_GS.sf2", "TimGM6mb.sf2"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
