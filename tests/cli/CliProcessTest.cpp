// The built quintaro-cli as a program of its own: its arguments as the system hands them over,
// its exit status, and the templates beside its own executable. Run through the shell, so
// outside Windows only; the Windows tree covers the same paths in-process.
#ifndef _WIN32

#include "tests/cli/Golden.h"
#include "tests/definition/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

#ifndef QUINTARO_CLI_PATH
#error QUINTARO_CLI_PATH must name the built quintaro-cli
#endif

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& arg)
{
    std::string quoted = "'";
    for (const char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Outcome RunCli(const deftest::TempDir& dir, const std::vector<std::string>& args)
{
    std::string command = Quoted(QUINTARO_CLI_PATH);
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    command += " 2>" + Quoted(dir / "stderr");
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        outcome.out.append(buffer, n);
    const int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = deftest::ReadBytes(dir / "stderr").value_or("");
    return outcome;
}

TEST(CliProcessTest, ConvertsWithTheTemplatesBesideItself)
{
    const deftest::TempDir dir;
    const std::string output = dir / "demo.xml";
    const Outcome run = RunCli(dir, {"--player=sfz", "-o", output, std::string(QUINTARO_SOURCE_DIR) + "/examples/demo.sf2"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, u8"書き出しました。\n" + output + "\n");
    EXPECT_EQ(run.err, "");
    const std::optional<std::string> golden = deftest::ReadBytes(clitest::GoldenPath("sfz"));
    ASSERT_TRUE(golden);
    const std::string actual = deftest::ReadBytes(output).value_or("");
    EXPECT_TRUE(actual == *golden) << clitest::FirstDifference(*golden, actual);
}

TEST(CliProcessTest, ArgumentsArriveAsUtf8)
{
    const deftest::TempDir dir;
    const std::string output = dir / "demo.xml";
    const Outcome run = RunCli(dir, {"-m", u8"音源", "-n", u8"マップ", "-o", output, std::string(QUINTARO_SOURCE_DIR) + "/examples/demo.sf2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string file = deftest::ReadBytes(output).value_or("");
    EXPECT_NE(file.find("<ModuleData Name=\"\x89\xB9\x8C\xB9\" "), std::string::npos);
    EXPECT_NE(file.find("\t\t<Map Name=\"\x83\x7D\x83\x62\x83\x76\">\r\n"), std::string::npos);
}

TEST(CliProcessTest, ExitStatus)
{
    const deftest::TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    };
    const Case cases[] = {
        {{"--bogus"}, 2, "quintaro-cli: unknown option --bogus\nTry 'quintaro-cli --help' for more.\n"},
        {{"-m", u8"\U0001F941", dir / "x.sf2"}, 2, nullptr},
        {{dir / "missing.sf2"}, 1, u8"ファイルが開けませんでした。\n"},
        {{"--version"}, 0, ""},
    };
    for (const Case& c : cases) {
        const Outcome run = RunCli(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << testing::PrintToString(c.args) << "\n" << run.err;
        if (c.err) {
            EXPECT_EQ(run.err, c.err) << testing::PrintToString(c.args);
        }
    }
    EXPECT_EQ(deftest::ListDir(dir.Path()), std::vector<std::string>{"stderr"});
}

} // namespace

#endif
