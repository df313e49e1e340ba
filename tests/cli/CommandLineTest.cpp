// What quintaro-cli makes of its arguments.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Every field of the options, so that a case shows all that differs.
std::string Describe(const CliOptions& o)
{
    const auto optional = [](const std::optional<CString>& s) { return s ? "'" + s->Str() + "'" : std::string("-"); };
    static const char* const actions[] = {"convert", "list", "help", "version"};
    return std::string(actions[o.m_action]) + " bank='" + o.m_strBank.Str() + "' output=" + optional(o.m_output) +
           " module=" + optional(o.m_moduleName) + " map=" + optional(o.m_mapName) +
           " templates=" + optional(o.m_templateDir) + " player=" + std::to_string(o.m_nPlayer) +
           " tone=" + std::to_string(o.m_nToneMapMode) + " drum=" + std::to_string(o.m_nDrumMapMode);
}

TEST(ParseCommandLineTest, AcceptedCommandLines)
{
    struct Case {
        std::vector<std::string> args;
        std::function<void(CliOptions&)> change; // from the defaults with bank "b.sf2"
    };
    const Case cases[] = {
        {{"b.sf2"}, [](CliOptions&) {}},
        {{"-o", "x.xml", "b.sf2"}, [](CliOptions& o) { o.m_output = CString("x.xml"); }},
        {{"b.sf2", "--output", "x.xml"}, [](CliOptions& o) { o.m_output = CString("x.xml"); }},
        {{"--output=x=y.xml", "b.sf2"}, [](CliOptions& o) { o.m_output = CString("x=y.xml"); }},
        {{"-p", "xg", "b.sf2"}, [](CliOptions& o) { o.m_nPlayer = kPlayerTiMidityXG; }},
        {{"--player=sfz", "b.sf2"}, [](CliOptions& o) { o.m_nPlayer = kPlayerSfz; }},
        {{"--player", "gs", "b.sf2"}, [](CliOptions& o) { o.m_nPlayer = kPlayerTiMidityGS; }},
        {{"--tone-maps", "8", "--drum-maps=16", "b.sf2"},
         [](CliOptions& o) {
             o.m_nToneMapMode = kMapGroupingBy8;
             o.m_nDrumMapMode = kMapGroupingBy16;
         }},
        {{"--tone-maps=16", "--drum-maps", "one", "b.sf2"}, [](CliOptions& o) { o.m_nToneMapMode = kMapGroupingBy16; }},
        {{"-m", "My Module", "-n", "My Map", "b.sf2"},
         [](CliOptions& o) {
             o.m_moduleName = CString("My Module");
             o.m_mapName = CString("My Map");
         }},
        // 音源 in UTF-8 becomes Shift-JIS.
        {{"-m", u8"音源", "b.sf2"}, [](CliOptions& o) { o.m_moduleName = CString("\x89\xB9\x8C\xB9"); }},
        {{"--templates", "tpl", "b.sf2"}, [](CliOptions& o) { o.m_templateDir = CString("tpl"); }},
        {{"-l", "b.sf2"}, [](CliOptions& o) { o.m_action = CliOptions::kList; }},
        {{"b.sf2", "--list"}, [](CliOptions& o) { o.m_action = CliOptions::kList; }},
        {{"-o", "-m", "b.sf2"}, [](CliOptions& o) { o.m_output = CString("-m"); }},
        {{"--", "-b.sf2"}, [](CliOptions& o) { o.m_strBank = CString("-b.sf2"); }},
        {{"-p", "xg", "-p", "sfz", "b.sf2"}, [](CliOptions& o) { o.m_nPlayer = kPlayerSfz; }},
    };
    for (const Case& c : cases) {
        CliOptions expected;
        expected.m_strBank = CString("b.sf2");
        c.change(expected);
        const CliParseResult result = ParseCommandLine(c.args);
        ASSERT_TRUE(result.m_options) << testing::PrintToString(c.args) << ": " << result.m_error;
        EXPECT_EQ(Describe(*result.m_options), Describe(expected)) << testing::PrintToString(c.args);
    }
}

TEST(ParseCommandLineTest, HelpAndVersionWinOverEverythingElse)
{
    const std::pair<std::vector<std::string>, CliOptions::Action> cases[] = {
        {{"-h"}, CliOptions::kHelp},
        {{"b.sf2", "--help", "--bogus"}, CliOptions::kHelp},
        {{"--version"}, CliOptions::kVersion},
        {{"-p", "xg", "--version", "-o"}, CliOptions::kVersion},
    };
    for (const auto& [args, action] : cases) {
        const CliParseResult result = ParseCommandLine(args);
        ASSERT_TRUE(result.m_options) << testing::PrintToString(args);
        EXPECT_EQ(result.m_options->m_action, action) << testing::PrintToString(args);
    }
}

TEST(ParseCommandLineTest, RejectedCommandLines)
{
    struct Case {
        std::vector<std::string> args;
        const char* error; // part of the message
    };
    const Case cases[] = {
        {{}, "no bank given"},
        {{"-l"}, "no bank given"},
        {{"a.sf2", "b.sf2"}, "only one bank"},
        {{""}, "path is empty"},
        {{"b.sf2", "-o"}, "option -o needs a value"},
        {{"b.sf2", "--module"}, "option --module needs a value"},
        {{"-o", "", "b.sf2"}, "option -o needs a value"},
        {{"--output=", "b.sf2"}, "option --output needs a value"},
        {{"--templates=", "b.sf2"}, "option --templates needs a value"},
        {{"-p", "", "b.sf2"}, "option -p needs a value"},
        // An empty name is a mistake on the command line; the window's messages are for a bank
        // whose own name is empty.
        {{"--module=", "b.sf2"}, "option --module needs a value"},
        {{"-n", "", "b.sf2"}, "option -n needs a value"},
        {{"-p", "mp3", "b.sf2"}, "unknown player 'mp3'"},
        {{"--player=GS", "b.sf2"}, "unknown player 'GS'"},
        {{"--tone-maps", "4", "b.sf2"}, "unknown grouping '4' for --tone-maps"},
        {{"--drum-maps=", "b.sf2"}, "option --drum-maps needs a value"},
        {{"--frobnicate", "b.sf2"}, "unknown option --frobnicate"},
        {{"-x", "b.sf2"}, "unknown option -x"},
        {{"-p=xg", "b.sf2"}, "unknown option -p=xg"},
        // An emoji has no form in Shift-JIS.
        {{"-m", u8"Kit \U0001F941", "b.sf2"}, "cannot hold"},
        {{"--map=\xE2\x82\xAC", "b.sf2"}, "cannot hold"},
    };
    for (const Case& c : cases) {
        const CliParseResult result = ParseCommandLine(c.args);
        EXPECT_FALSE(result.m_options) << testing::PrintToString(c.args);
        EXPECT_NE(result.m_error.find(c.error), std::string::npos) << testing::PrintToString(c.args) << ": " << result.m_error;
    }
}

} // namespace
