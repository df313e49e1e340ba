// Every shipped template merged with a real General MIDI bank must be well-formed XML in its
// declared encoding, with as many maps, programs, banks and tones as the preset table calls for.
// xmllint does the reading, so this runs where it does: outside Windows.
#ifndef _WIN32

#include "tests/definition/ExportFixture.h"
#include "tests/support/DebianBanks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <sys/wait.h>

namespace {

struct Counts {
    int maps = 0;
    int tonePCs = 0;
    int toneBanks = 0;
    int drumPCs = 0;
    int drumBanks = 0;
    int tones = 0;
    bool operator==(const Counts& o) const
    {
        return maps == o.maps && tonePCs == o.tonePCs && toneBanks == o.toneBanks && drumPCs == o.drumPCs &&
               drumBanks == o.drumBanks && tones == o.tones;
    }
};

void PrintTo(const Counts& c, std::ostream* os)
{
    *os << "maps " << c.maps << ", instrument PCs " << c.tonePCs << " and banks " << c.toneBanks << ", drum PCs "
        << c.drumPCs << " and banks " << c.drumBanks << ", tones " << c.tones;
}

int MapsFor(int mode)
{
    return mode == kMapGroupingOne ? 1 : mode == kMapGroupingBy8 ? 1 + 16 : 1 + 8;
}

// Straight from the rules, not from the builder's walk: a program below 128 with any melodic entry
// has a PC whose banks are the melodic ones below 128, or, when there is none, those above 128;
// entries above 128 join those below only when no kit stands between them.
Counts Expected(const CSoundFont& bank, int toneMode, int drumMode)
{
    struct Program {
        int below = 0;
        int above = 0;
        int firstKitKeys = -1;
    };
    std::map<int, Program> programs;
    for (int i = 0; i < bank.GetPresetCount(); ++i) {
        const CPresetEntry& entry = *bank.GetPreset(i);
        if (entry.m_wPreset >= 128)
            continue;
        Program& program = programs[entry.m_wPreset];
        if (entry.m_wBank < 128)
            ++program.below;
        else if (entry.m_wBank > 128)
            ++program.above;
        else if (program.firstKitKeys < 0) {
            program.firstKitKeys = 0;
            for (const CString& key : entry.m_keyNames)
                program.firstKitKeys += key.IsEmpty() ? 0 : 1;
        }
    }
    Counts counts;
    counts.maps = MapsFor(toneMode) + MapsFor(drumMode);
    for (const auto& [number, program] : programs) {
        (void)number;
        if (program.below + program.above > 0) {
            ++counts.tonePCs;
            counts.toneBanks += program.below > 0 ? program.below + (program.firstKitKeys < 0 ? program.above : 0)
                                                  : program.above;
        }
        if (program.firstKitKeys >= 0) {
            ++counts.drumPCs;
            ++counts.drumBanks;
            counts.tones += program.firstKitKeys;
        }
    }
    return counts;
}

// Runs a shell command; its standard output, and its exit status in `status`.
std::string RunShell(const std::string& command, int& status)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

class WellFormedTest : public deftest::ExportTest {};

TEST_F(WellFormedTest, EveryTemplateAndGroupingWithFluidR3)
{
    int status = 0;
    RunShell("xmllint --version >/dev/null 2>&1", status);
    ASSERT_EQ(status, 0) << "xmllint is needed: apt-get install libxml2-utils";
    const std::string path = sftest::DebianBank("FluidR3_GM.sf2");
    if (path.empty())
        return;
    m_bank = std::make_unique<CSoundFont>();
    ASSERT_TRUE(m_bank->Load(CString(path)));
    // Shift-JIS names with markup in them: 音源 & <GM>, マップ.
    m_settings.m_strModuleName = "\x89\xB9\x8C\xB9 & <GM>";
    m_settings.m_strMapName = "\x83\x7D\x83\x62\x83\x76";

    for (const int player : {kPlayerTiMidityGS, kPlayerTiMidityXG, kPlayerSfz}) {
        for (const int mode : {kMapGroupingOne, kMapGroupingBy8, kMapGroupingBy16}) {
            m_settings.m_nPlayer = player;
            m_settings.m_nToneMapMode = mode;
            m_settings.m_nDrumMapMode = (mode + 1) % 3; // every grouping in each list, in other pairs
            const std::string where = std::string(TemplateFileName(player)) + ", groupings " + std::to_string(mode) + "/" +
                                      std::to_string(m_settings.m_nDrumMapMode);
            const sftest::RecordingSink sink;
            ExportDefinition(m_settings, *m_bank, CString(m_output)); // the templates beside this program
            ASSERT_EQ(deftest::Describe(sink), std::vector<std::string>{deftest::Written()}) << where;

            const std::string file = "'" + m_output + "'";
            const std::string errors = RunShell("xmllint --noout " + file + " 2>&1", status);
            EXPECT_EQ(status, 0) << where << ": " << errors;
            const std::string found = RunShell(
                "xmllint --xpath 'concat(count(//Map), \" \", count(/ModuleData/InstrumentList/Map/PC), \" \", "
                "count(/ModuleData/InstrumentList/Map/PC/Bank), \" \", count(/ModuleData/DrumSetList/Map/PC), \" \", "
                "count(/ModuleData/DrumSetList/Map/PC/Bank), \" \", count(/ModuleData/DrumSetList/Map/PC/Bank/Tone), "
                "\" \", /ModuleData/@Name, \"|\", /ModuleData/DrumSetList/Map[1]/@Name)' " +
                    file,
                status);
            ASSERT_EQ(status, 0) << where;
            Counts counts;
            char names[256] = {};
            ASSERT_EQ(std::sscanf(found.c_str(), "%d %d %d %d %d %d %255[^\n]", &counts.maps, &counts.tonePCs,
                                  &counts.toneBanks, &counts.drumPCs, &counts.drumBanks, &counts.tones, names),
                      7)
                << where << ": " << found;
            EXPECT_EQ(counts, Expected(*m_bank, mode, m_settings.m_nDrumMapMode)) << where;
            EXPECT_EQ(std::string(names), u8"音源 & <GM>|マップ") << where;
        }
    }
    // The bank is what makes this worth running: bank variations and kits with their keys.
    const Counts all = Expected(*m_bank, kMapGroupingOne, kMapGroupingOne);
    EXPECT_GT(all.toneBanks, all.tonePCs);
    EXPECT_GT(all.drumPCs, 1);
    EXPECT_GT(all.tones, 100);
}

} // namespace

#endif
