#include "cli/CommandLine.h"

#include "platform/CodePage.h"

#include <map>

const char* const kCliUsage =
    "usage: quintaro-cli [OPTIONS] BANK\n"
    "Writes the Zelmor sound-module definition file of a SoundFont 2 bank.\n"
    "  -o, --output FILE      where to write; default: BANK with its last extension replaced by \".xml\"\n"
    "  -p, --player KIND      gs (TiMidity++ GS map, the default), xg (TiMidity++ XG map), sfz\n"
    "  -m, --module NAME      module name; default: the bank's name\n"
    "  -n, --map NAME         map name; default: the bank's name\n"
    "      --tone-maps MODE   grouping of the instrument list: one (default), 8, 16\n"
    "      --drum-maps MODE   grouping of the drum-set list: one (default), 8, 16\n"
    "      --templates DIR    folder holding the three templates; default: the program's own folder\n"
    "  -l, --list             print the preset table instead of converting\n"
    "  -h, --help             show this text\n"
    "      --version          show the version\n";

namespace {

std::optional<int> Lookup(const std::map<std::string, int>& table, const std::string& value)
{
    const auto it = table.find(value);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

const std::map<std::string, int> kPlayers = {
    {"gs", kPlayerTiMidityGS}, {"xg", kPlayerTiMidityXG}, {"sfz", kPlayerSfz}};
const std::map<std::string, int> kGroupings = {
    {"one", kMapGroupingOne}, {"8", kMapGroupingBy8}, {"16", kMapGroupingBy16}};

// A path as the file functions take it: on Windows in the ANSI code page, elsewhere the bytes
// the system gave.
std::optional<CString> ToPath(const std::string& utf8)
{
#ifdef _WIN32
    return Utf8ToAnsi(utf8);
#else
    return CString(utf8);
#endif
}

} // namespace

CliParseResult ParseCommandLine(const std::vector<std::string>& args)
{
    CliOptions options;
    std::vector<std::string> banks;
    const auto fail = [](std::string message) { return CliParseResult{std::nullopt, std::move(message)}; };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 < args.size())
                return args[++i];
            return std::nullopt;
        };
        const auto takesValue = [&](const char* shortName, const char* longName) {
            return (shortName && arg == shortName) || arg == longName;
        };

        if (arg == "-h" || arg == "--help") {
            options.m_action = CliOptions::kHelp;
            return {options, {}};
        }
        if (arg == "--version") {
            options.m_action = CliOptions::kVersion;
            return {options, {}};
        }
        if (arg == "-l" || arg == "--list") {
            options.m_action = CliOptions::kList;
            continue;
        }
        if (arg == "--") {
            banks.insert(banks.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (takesValue("-o", "--output") || takesValue("-m", "--module") || takesValue("-n", "--map") ||
            takesValue(nullptr, "--templates") || takesValue("-p", "--player") || takesValue(nullptr, "--tone-maps") ||
            takesValue(nullptr, "--drum-maps")) {
            const std::optional<std::string> v = value();
            // An empty value is as good as none: no player, grouping, name or path is empty.
            if (!v || v->empty())
                return fail("option " + arg + " needs a value");
            if (arg == "-p" || arg == "--player") {
                const auto player = Lookup(kPlayers, *v);
                if (!player)
                    return fail("unknown player '" + *v + "' (use gs, xg or sfz)");
                options.m_nPlayer = *player;
                continue;
            }
            if (arg == "--tone-maps" || arg == "--drum-maps") {
                const auto mode = Lookup(kGroupings, *v);
                if (!mode)
                    return fail("unknown grouping '" + *v + "' for " + arg + " (use one, 8 or 16)");
                (arg == "--tone-maps" ? options.m_nToneMapMode : options.m_nDrumMapMode) = *mode;
                continue;
            }
            // Names go into the file in the ANSI code page; paths stay as the system gave them.
            if (arg == "-m" || arg == "--module" || arg == "-n" || arg == "--map") {
                const std::optional<CString> name = Utf8ToAnsi(*v);
                if (!name)
                    return fail("the name '" + *v + "' has characters that the definition file cannot hold (code page " +
                                std::to_string(AnsiCodePage()) + ")");
                (arg == "-m" || arg == "--module" ? options.m_moduleName : options.m_mapName) = *name;
                continue;
            }
            const std::optional<CString> path = ToPath(*v);
            if (!path)
                return fail("the path '" + *v + "' cannot be opened in this system's code page");
            (arg == "--templates" ? options.m_templateDir : options.m_output) = *path;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return fail("unknown option " + arg);
        banks.push_back(arg);
    }
    if (banks.empty())
        return fail("no bank given");
    if (banks.size() > 1)
        return fail("only one bank can be converted at a time");
    if (banks.front().empty())
        return fail("the bank's path is empty");
    const std::optional<CString> bank = ToPath(banks.front());
    if (!bank)
        return fail("the path '" + banks.front() + "' cannot be opened in this system's code page");
    options.m_strBank = *bank;
    return {options, {}};
}
