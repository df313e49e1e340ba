// Every input the fuzz targets found, kept as a case: each loads, keeps the table's promises and
// converts to well-formed lists.
#include "definition/MapListBuilder.h"
#include "tests/robustness/CraftedBanks.h"
#include "tests/robustness/ListInvariants.h"
#include "tests/robustness/RobustnessSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void ExpectSafeConversion(const robustness::Bytes& bytes, const std::string& what)
{
    robustness::CScratchBank file("finding");
    CSoundFont bank;
    const bool loaded = file.Load(bytes, bank);
    ASSERT_EQ("", robustness::CheckPresetTable(bank, loaded)) << what;
    if (!loaded)
        return;
    ConversionSettings settings;
    settings.m_strMapName = "Map";
    for (const int player : {kPlayerTiMidityGS, kPlayerTiMidityXG, kPlayerSfz}) {
        settings.m_nPlayer = player;
        const CMapListBuilder builder(bank, settings);
        for (const int mode : {kMapGroupingOne, kMapGroupingBy8, kMapGroupingBy16})
            for (const bool drums : {false, true})
                EXPECT_EQ("", robustness::CheckList(builder.BuildMapList(mode, drums).View(), player, mode, drums)) << what;
    }
}

// The committed findings and seeds of the fuzz targets.
TEST(FuzzFindings, EveryCommittedInputConvertsSafely)
{
    int inputs = 0;
    for (const char* dir : {"fuzz/regressions", "fuzz/corpus/loader"}) {
        const std::filesystem::path folder = std::filesystem::path(QUINTARO_SOURCE_DIR) / dir;
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder)) {
            ExpectSafeConversion(robustness::ReadWholeFile(entry.path().string()), entry.path().filename().string());
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 10);
}

// Found by the conversion target: a sample named by a lone Shift-JIS lead byte names its keys,
// and escaping drops that byte, so the key's Tone line carries an empty name. The line is still
// well-formed and the key keeps its place.
TEST(FuzzFindings, AKeyNamedByALoneLeadByteGivesAWellFormedToneLine)
{
    robustness::RawTables t;
    t.shdr.Sample("\x89").Sample("Kick").Sample("EOS");
    t.inst.Instrument("I", 0).Instrument("EOI", 2);
    t.ibag.Bag(0).Bag(2).Bag(4);
    t.igen.Gen(robustness::kOperKeyRange, 43 | 43 << 8).Gen(robustness::kOperSampleId, 0);
    t.igen.Gen(robustness::kOperKeyRange, 44 | 44 << 8).Gen(robustness::kOperSampleId, 1).Gen(0, 0);
    t.pbag.Bag(0).Bag(1);
    t.pgen.Gen(robustness::kOperInstrument, 0).Gen(0, 0);
    t.phdr.Preset("Kit", 0, 128, 0).Preset("EOP", 0, 0, 1);
    const robustness::Bytes bytes = robustness::BuildRawBank(t);
    ExpectSafeConversion(bytes, "lone lead byte");

    robustness::CScratchBank file("lead-byte");
    CSoundFont bank;
    ASSERT_TRUE(file.Load(bytes, bank));
    EXPECT_EQ("\x89", bank.GetPreset(0)->m_keyNames[43].Str());
    ConversionSettings settings;
    settings.m_strMapName = "Map";
    const CString drums = CMapListBuilder(bank, settings).BuildMapList(kMapGroupingOne, true);
    EXPECT_NE(std::string::npos, drums.View().find("<Tone Name=\"\" Key=\"43\" />\r\n"));
    EXPECT_NE(std::string::npos, drums.View().find("<Tone Name=\"Kick\" Key=\"44\" />\r\n"));
}

} // namespace
