// The command-line converter end to end, in this process: exit status, what goes to standard
// output and standard error, and what lands on disk.
#include "tests/cli/CapturedRun.h"

#include "cli/CommandLine.h"
#include "definition/ExportDefinition.h"
#include "tests/definition/TestBanks.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef QUINTARO_SOURCE_DIR
#error QUINTARO_SOURCE_DIR must name the source tree
#endif

namespace {

using clitest::CliRun;
using clitest::RunCaptured;
using deftest::ListDir;
using deftest::ReadBytes;

const std::string kDemoBank = std::string(QUINTARO_SOURCE_DIR) + "/examples/demo.sf2";
const std::string kTry = "Try 'quintaro-cli --help' for more.\n";

class RunCliTest : public ::testing::Test {
protected:
    RunCliTest() { deftest::WriteBytes(m_bank, ReadBytes(kDemoBank).value()); }

    deftest::TempDir m_dir;
    std::string m_bank = m_dir / "demo.sf2";
    std::string m_output = m_dir / "out.xml";
};

std::string BankBytes(const sftest::Bank& bank)
{
    const sftest::Bytes bytes = sftest::Build(bank);
    return std::string(bytes.begin(), bytes.end());
}

std::string Printed(const CliRun& run)
{
    return "exit " + std::to_string(run.exitCode) + "\nstdout:\n" + run.out + "stderr:\n" + run.err;
}

TEST_F(RunCliTest, HelpAndVersion)
{
    const CliRun help = RunCaptured({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, kCliUsage);
    EXPECT_EQ(help.err, "");
    const CliRun version = RunCaptured({"--version"});
    EXPECT_EQ(Printed(version), "exit 0\nstdout:\nquintaro-cli 1.03\nstderr:\n");
}

TEST_F(RunCliTest, BadCommandLineExitsWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--player", "mp3", m_bank},
        {m_bank, "-o"},
        {"--frobnicate", m_bank},
        {"-m", u8"\U0001F941 Drums", "-o", m_output, m_bank},
        {"-n", u8"\U0001F3B9", "-o", m_output, m_bank},
    };
    for (const std::vector<std::string>& args : cases) {
        const CliRun run = RunCaptured(args);
        const std::string why = testing::PrintToString(args) + "\n" + Printed(run);
        EXPECT_EQ(run.exitCode, 2) << why;
        EXPECT_EQ(run.out, "") << why;
        // One line that says what is wrong, then where to read more.
        EXPECT_EQ(run.err.rfind("quintaro-cli: ", 0), 0u) << why;
        ASSERT_GE(run.err.size(), kTry.size()) << why;
        EXPECT_EQ(run.err.substr(run.err.size() - kTry.size()), kTry) << why;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << why;
        EXPECT_EQ(ListDir(m_dir.Path()), std::vector<std::string>{"demo.sf2"}) << why;
    }
}

TEST_F(RunCliTest, ConvertsAndNamesTheFile)
{
    const CliRun run = RunCaptured({"-o", m_output, m_bank});
    EXPECT_EQ(Printed(run), "exit 0\nstdout:\n" + std::string(u8"書き出しました。\n") + m_output + "\nstderr:\n");
    // The names default to the bank's; the templates are those beside this program.
    const std::string file = ReadBytes(m_output).value_or("");
    EXPECT_NE(file.find("<ModuleData Name=\"Quintaro Demo\" "), std::string::npos);
    EXPECT_NE(file.find("<InstrumentList>\r\n\t\t<Map Name=\"Quintaro Demo\">\r\n"), std::string::npos);
    EXPECT_NE(file.find("<DrumSetList>\r\n\t\t<Map Name=\"Quintaro Demo\">\r\n"), std::string::npos);
}

TEST_F(RunCliTest, SettingsReachTheExport)
{
    // The same export made directly, with what the options say.
    const CliRun run = RunCaptured({"-p", "xg", "--tone-maps", "8", "--drum-maps=16", "-m", u8"音源 <1>", "-n", "Map & Co",
                                    "-o", m_output, m_bank});
    ASSERT_EQ(run.exitCode, 0) << Printed(run);
    CSoundFont bank;
    ASSERT_TRUE(bank.Load(CString(m_bank)));
    ConversionSettings settings;
    settings.m_nPlayer = kPlayerTiMidityXG;
    settings.m_nToneMapMode = kMapGroupingBy8;
    settings.m_nDrumMapMode = kMapGroupingBy16;
    settings.m_strModuleName = "\x89\xB9\x8C\xB9 <1>";
    settings.m_strMapName = "Map & Co";
    {
        const sftest::RecordingSink sink;
        ExportDefinition(settings, bank, CString(m_dir / "direct.xml"));
        ASSERT_EQ(sink.Texts(), std::vector<std::string>{u8"書き出しました。"});
    }
    EXPECT_EQ(ReadBytes(m_output), ReadBytes(m_dir / "direct.xml"));
}

TEST_F(RunCliTest, DefaultOutputIsTheBankWithXml)
{
    std::filesystem::create_directory(m_dir / "my.folder");
    struct Case {
        std::string bank;
        std::string output;
    };
    const Case cases[] = {
        {m_dir / "my.folder/demo.sf2", m_dir / "my.folder/demo.xml"},
        {m_dir / "my.folder/demo.v2.sf2", m_dir / "my.folder/demo.v2.xml"},
        {m_dir / "my.folder/demo", m_dir / "my.folder/demo.xml"},
        {m_dir / "my.folder/demo.SF2", m_dir / "my.folder/demo.xml"},
    };
    for (const Case& c : cases) {
        deftest::WriteBytes(c.bank, ReadBytes(kDemoBank).value());
        const CliRun run = RunCaptured({c.bank});
        EXPECT_EQ(Printed(run), "exit 0\nstdout:\n" + std::string(u8"書き出しました。\n") + c.output + "\nstderr:\n");
        EXPECT_TRUE(ReadBytes(c.output)) << c.output;
        std::filesystem::remove(c.bank);
        std::filesystem::remove(c.output);
    }
    EXPECT_EQ(ListDir(m_dir / "my.folder"), std::vector<std::string>{});
}

TEST_F(RunCliTest, EmptyNameOptionsAreBadCommandLines)
{
    for (const std::vector<std::string>& names : {std::vector<std::string>{"-m", ""}, {"-n", ""}, {"--map=", "--module="}}) {
        std::vector<std::string> args = names;
        args.insert(args.end(), {"-o", m_output, m_bank});
        EXPECT_EQ(RunCaptured(args).exitCode, 2) << testing::PrintToString(args);
        EXPECT_FALSE(ReadBytes(m_output));
    }
}

TEST_F(RunCliTest, BankWithoutANameNeedsBothNames)
{
    const std::string unnamed = m_dir / "unnamed.sf2";
    sftest::Bank bank = deftest::DescribeBank({{"Piano", 0, 0, {}}}, "");
    bank.info.name.reset(); // no INAM chunk at all
    deftest::WriteBytes(unnamed, BankBytes(bank));
    EXPECT_EQ(Printed(RunCaptured({"-o", m_output, unnamed})), "exit 1\nstdout:\nstderr:\n" + std::string(u8"音源名を入力してください。\n"));
    EXPECT_EQ(Printed(RunCaptured({"-m", "M", "-o", m_output, unnamed})),
              "exit 1\nstdout:\nstderr:\n" + std::string(u8"MAP名を入力してください。\n"));
    EXPECT_FALSE(ReadBytes(m_output));
    EXPECT_EQ(RunCaptured({"-m", "M", "-n", "N", "-o", m_output, unnamed}).exitCode, 0);
    EXPECT_NE(ReadBytes(m_output).value_or("").find("<Map Name=\"N\">"), std::string::npos);
}

TEST_F(RunCliTest, BankThatCannotBeUsed)
{
    const std::string text = m_dir / "notes.txt";
    deftest::WriteBytes(text, "not a bank at all\n");
    const std::string empty = m_dir / "empty.sf2";
    deftest::WriteBytes(empty, BankBytes(sftest::Bank{})); // a well-formed bank without presets
    const std::string missing = m_dir / "missing.sf2";
    struct Case {
        std::string bank;
        std::string err;
    };
    const Case cases[] = {
        {text, "quintaro-cli: " + text + ": the file holds no SoundFont presets\n"},
        {empty, "quintaro-cli: " + empty + ": the file holds no SoundFont presets\n"},
        // The loader tells this one itself, and nothing follows.
        {missing, u8"ファイルが開けませんでした。\n"},
    };
    for (const Case& c : cases) {
        for (const char* list : {"--list", "--output"}) {
            std::vector<std::string> args = {c.bank};
            if (std::string(list) == "--list")
                args.push_back(list);
            else
                args.insert(args.end(), {list, m_output});
            const CliRun run = RunCaptured(args);
            EXPECT_EQ(Printed(run), "exit 1\nstdout:\nstderr:\n" + c.err) << testing::PrintToString(args);
        }
    }
    EXPECT_EQ(ListDir(m_dir.Path()), (std::vector<std::string>{"demo.sf2", "empty.sf2", "notes.txt"}));
}

TEST_F(RunCliTest, ExportFailuresExitWithOne)
{
    std::filesystem::create_directory(m_dir / "no-templates");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"--templates", m_dir / "no-templates", "-o", m_output, m_bank}, u8"デフォルトxmlファイルの読み込みに失敗しました。\n"},
        {{"-o", m_dir / "missing/out.xml", m_bank}, u8"保存先のファイルを開けませんでした。\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCaptured(c.args);
        EXPECT_EQ(Printed(run), "exit 1\nstdout:\nstderr:\n" + c.err) << testing::PrintToString(c.args);
    }
    EXPECT_EQ(ListDir(m_dir.Path()), (std::vector<std::string>{"demo.sf2", "no-templates"}));
}

TEST_F(RunCliTest, ListsThePresetTable)
{
    const CliRun run = RunCaptured({"--list", m_bank});
    EXPECT_EQ(Printed(run), "exit 0\nstdout:\n"
                            "Quintaro Demo\n"
                            "000 000 Piano 1\n"
                            "000 008 Piano 1 Wide\n"
                            "000 128 Standard Kit\n"
                            "    035 Kick\n"
                            "    036 Kick\n"
                            "    038 Snare\n"
                            "    039 Hand Clap\n"
                            "    040 Snare\n"
                            "    042 Hi-Hat Closed\n"
                            "    044 Hi-Hat Pedal\n"
                            "    046 Hi-Hat Open\n"
                            "    049 Crash Cymbal\n"
                            "    051 Ride Cymbal\n"
                            "001 000 Bright Piano\n"
                            "048 000 Str & Pad\n"
                            "048 001 Slow Strings\n"
                            "080 000 Square Lead\n"
                            "stderr:\n");
    EXPECT_EQ(ListDir(m_dir.Path()), std::vector<std::string>{"demo.sf2"});
}

TEST_F(RunCliTest, ListShowsNamesInUtf8AndNumbersBeyondThreeDigits)
{
    const auto path = m_dir / "jp.sf2";
    // ピアノ, 太鼓 and 音源 in Shift-JIS.
    deftest::WriteBytes(path, BankBytes(deftest::DescribeBank(
                                  {{"\x83\x73\x83\x41\x83\x6D", 1000, 300, {}}, {"Kit", 5, 128, {{127, "\x91\xBE\x8C\xDB"}}}},
                                  "\x89\xB9\x8C\xB9")));
    const CliRun run = RunCaptured({"-l", path});
    EXPECT_EQ(Printed(run), std::string("exit 0\nstdout:\n") + u8"音源\n005 128 Kit\n    127 太鼓\n1000 300 ピアノ\n" + "stderr:\n");
}

} // namespace
