// What quintaro-cli was asked to do, read from its arguments. Arguments arrive in UTF-8 (on
// Windows converted from the UTF-16 command line); names are turned into the ANSI code page here.
#pragma once

#include "definition/ConversionSettings.h"
#include "platform/CString.h"

#include <optional>
#include <string>
#include <vector>

struct CliOptions {
    enum Action { kConvert, kList, kHelp, kVersion };
    Action m_action = kConvert;
    CString m_strBank;
    std::optional<CString> m_output;
    std::optional<CString> m_moduleName;
    std::optional<CString> m_mapName;
    std::optional<CString> m_templateDir;
    int m_nPlayer = kPlayerTiMidityGS;
    int m_nToneMapMode = kMapGroupingOne;
    int m_nDrumMapMode = kMapGroupingOne;
};

struct CliParseResult {
    std::optional<CliOptions> m_options;
    std::string m_error; // UTF-8, when m_options is empty
};

// `args` without the program name.
CliParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kCliUsage;
