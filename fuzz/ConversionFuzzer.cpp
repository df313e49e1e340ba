// The whole conversion of untrusted bytes: load, then both lists for every player and every
// grouping, and the module name as the template receives it.
#include "definition/MapListBuilder.h"
#include "definition/XmlText.h"
#include "fuzz/FuzzBank.h"
#include "tests/robustness/ListInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CSoundFont bank;
    const bool loaded = fuzzbank::LoadBytes(data, size, bank);
    std::string error = robustness::CheckPresetTable(bank, loaded);
    if (!error.empty())
        fuzzbank::Fail(error);
    if (!loaded)
        return 0;

    ConversionSettings settings;
    // The bank's own name stands for both names, as when the window fills them in.
    settings.m_strMapName = bank.GetName();
    settings.m_strModuleName = bank.GetName();
    for (const int player : {kPlayerTiMidityGS, kPlayerTiMidityXG, kPlayerSfz}) {
        settings.m_nPlayer = player;
        const CMapListBuilder builder(bank, settings);
        for (const int mode : {kMapGroupingOne, kMapGroupingBy8, kMapGroupingBy16}) {
            for (const bool drums : {false, true}) {
                error = robustness::CheckList(builder.BuildMapList(mode, drums).View(), player, mode, drums);
                if (!error.empty())
                    fuzzbank::Fail(error + " in player " + std::to_string(player) + " mode " + std::to_string(mode) +
                                   (drums ? " drums" : " tones"));
            }
        }
    }
    const CString moduleName = EscapeXml(settings.m_strModuleName);
    for (const char c : moduleName.View())
        if (c == '<' || c == '"' || (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r'))
            fuzzbank::Fail("the escaped module name holds a byte that may not stand in an attribute");
    return 0;
}
