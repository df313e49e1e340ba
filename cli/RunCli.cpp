#include "cli/RunCli.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleSink.h"
#include "definition/ExportDefinition.h"
#include "definition/ValidateSettings.h"
#include "platform/CodePage.h"
#include "platform/Path.h"
#include "soundfont/CSoundFont.h"

#include <cstdio>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintPresetTable(const CSoundFont& bank)
{
    std::string out = AnsiToUtf8(bank.GetName()) + "\n";
    char number[16];
    for (int i = 0; i < bank.GetPresetCount(); ++i) {
        const CPresetEntry& entry = *bank.GetPreset(i);
        std::snprintf(number, sizeof number, "%03d %03d ", entry.m_wPreset, entry.m_wBank);
        out += number + AnsiToUtf8(entry.m_strName) + "\n";
        for (std::size_t key = 0; key < entry.m_keyNames.size(); ++key) {
            if (entry.m_keyNames[key].IsEmpty())
                continue;
            std::snprintf(number, sizeof number, "    %03d ", static_cast<int>(key));
            out += number + AnsiToUtf8(entry.m_keyNames[key]) + "\n";
        }
    }
    WriteUtf8(stdout, out);
}

} // namespace

int RunCli(const std::vector<std::string>& args)
{
    const CliParseResult parsed = ParseCommandLine(args);
    if (!parsed.m_options) {
        WriteUtf8(stderr, "quintaro-cli: " + parsed.m_error + "\nTry 'quintaro-cli --help' for more.\n");
        return kExitUsage;
    }
    const CliOptions& options = *parsed.m_options;
    if (options.m_action == CliOptions::kHelp) {
        WriteUtf8(stdout, kCliUsage);
        return kExitDone;
    }
    if (options.m_action == CliOptions::kVersion) {
        WriteUtf8(stdout, "quintaro-cli 1.03\n");
        return kExitDone;
    }

    CConsoleSink sink;
    const CScopedMessageSink scope(sink);
    CSoundFont bank;
    if (!bank.Load(options.m_strBank)) {
        if (!sink.AnyMessageShown())
            WriteUtf8(stderr, "quintaro-cli: " + AnsiToUtf8(options.m_strBank) + ": the file holds no SoundFont presets\n");
        return kExitFailed;
    }
    if (options.m_action == CliOptions::kList) {
        PrintPresetTable(bank);
        return kExitDone;
    }

    ConversionSettings settings;
    settings.m_nPlayer = options.m_nPlayer;
    settings.m_strModuleName = options.m_moduleName.value_or(bank.GetName());
    settings.m_strMapName = options.m_mapName.value_or(bank.GetName());
    settings.m_nToneMapMode = options.m_nToneMapMode;
    settings.m_nDrumMapMode = options.m_nDrumMapMode;
    if (!ValidateSettings(settings))
        return kExitFailed;

    // Only the last extension is replaced: "a.v2.sf2" gives "a.v2.xml", which PathAddExtension
    // would leave as "a.v2" because the name still has an extension.
    const CString output = options.m_output.value_or(PathRemoveExtension(options.m_strBank) + ".xml");
    if (options.m_templateDir)
        ExportDefinition(settings, bank, output, *options.m_templateDir);
    else
        ExportDefinition(settings, bank, output);
    if (!sink.SucceededMessageShown())
        return kExitFailed;
    WriteUtf8(stdout, AnsiToUtf8(output) + "\n");
    return kExitDone;
}
