// Bad command lines against the real quintaro-cli, run as a process in a folder of its own: every
// option with a missing, empty, unknown or unrepresentable value, unknown options and wrong bank
// counts end with exit status 2, one clear line on stderr (and the hint to --help), nothing on
// stdout, and no file written.
#include "tests/robustness/RobustnessSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32

#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCliProcess(const fs::path& workDir, const fs::path& captureDir, const std::vector<std::string>& args)
{
    const fs::path outPath = captureDir / "stdout";
    const fs::path errPath = captureDir / "stderr";
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(workDir.c_str()) != 0)
            ::_exit(120);
        std::vector<char*> argv;
        std::string program = QUINTARO_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(121);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const robustness::Bytes out = robustness::ReadWholeFile(outPath.string());
    const robustness::Bytes err = robustness::ReadWholeFile(errPath.string());
    run.out.assign(out.begin(), out.end());
    run.err.assign(err.begin(), err.end());
    return run;
}

struct BadLine {
    std::vector<std::string> args;
    const char* mentions; // the part of the command line that the error line names
};

// The options that take a value, each tried without one, with an empty one and, where the value
// has a fixed set or must be representable, with a bad one.
std::vector<BadLine> BadLines()
{
    std::vector<BadLine> lines;
    const char* withValue[] = {"-o", "--output", "-p", "--player", "-m", "--module", "-n",
                               "--map", "--tone-maps", "--drum-maps", "--templates"};
    for (const char* option : withValue) {
        lines.push_back({{"bank.sf2", option}, option});
        lines.push_back({{option, "", "bank.sf2"}, option});
        if (option[1] == '-')
            lines.push_back({{std::string(option) + "=", "bank.sf2"}, option});
    }
    for (const char* option : {"-p", "--player"})
        for (const char* value : {"timidity", "GS", "0", "gs "})
            lines.push_back({{option, value, "bank.sf2"}, value});
    lines.push_back({{"--player=xg2", "bank.sf2"}, "xg2"});
    for (const char* option : {"--tone-maps", "--drum-maps"})
        for (const char* value : {"4", "32", "One", "0", "-1", "8x"})
            lines.push_back({{option, value, "bank.sf2"}, value});
    // Names must fit the ANSI code page (932): an emoji or bytes that are no UTF-8 do not.
    for (const char* option : {"-m", "--module", "-n", "--map"}) {
        lines.push_back({{option, "\xF0\x9F\x8E\xB9", "bank.sf2"}, "code page"});
        lines.push_back({{option, "bad \xFF\xFE", "bank.sf2"}, "code page"});
    }
    for (const char* option : {"-x", "--bogus", "---", "--Player", "-P"})
        lines.push_back({{option, "bank.sf2"}, option});
    lines.push_back({{"--output-file=x.xml", "bank.sf2"}, "--output-file"});
    lines.push_back({{}, "no bank"});
    lines.push_back({{"-p", "xg"}, "no bank"});
    lines.push_back({{"bank.sf2", "other.sf2"}, "one bank"});
    lines.push_back({{""}, "empty"});
    lines.push_back({{"--", ""}, "empty"});
    return lines;
}

class CliMatrix : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("quintaro-cli-matrix-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "work");
        fs::create_directories(m_root / "capture");
        fs::copy_file(fs::path(QUINTARO_SOURCE_DIR) / "examples" / "demo.sf2", m_root / "work" / "bank.sf2");
        fs::copy_file(fs::path(QUINTARO_SOURCE_DIR) / "examples" / "demo.sf2", m_root / "work" / "other.sf2");
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::set<std::string> WorkListing() const
    {
        std::set<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(m_root / "work"))
            names.insert(e.path().filename().string());
        return names;
    }

    fs::path m_root;
};

TEST_F(CliMatrix, EveryBadCommandLineEndsWithStatusTwoOneLineAndNoFile)
{
    const std::set<std::string> before = WorkListing();
    for (const BadLine& line : BadLines()) {
        std::string shown;
        for (const std::string& a : line.args)
            shown += "[" + a + "] ";
        const CliRun run = RunCliProcess(m_root / "work", m_root / "capture", line.args);
        EXPECT_EQ(2, run.exitCode) << shown << run.err;
        EXPECT_EQ("", run.out) << shown;
        const std::size_t firstEnd = run.err.find('\n');
        ASSERT_NE(std::string::npos, firstEnd) << shown;
        const std::string first = run.err.substr(0, firstEnd);
        EXPECT_EQ(0u, first.rfind("quintaro-cli: ", 0)) << shown << first;
        EXPECT_NE(std::string::npos, first.find(line.mentions)) << shown << first;
        EXPECT_EQ("Try 'quintaro-cli --help' for more.\n", run.err.substr(firstEnd + 1)) << shown;
        EXPECT_EQ(before, WorkListing()) << shown;
    }
}

TEST_F(CliMatrix, TheSameOptionsWithGoodValuesConvert)
{
    // The matrix above must fail for its values, not for its bank or its folder.
    const CliRun run = RunCliProcess(m_root / "work", m_root / "capture",
                                     {"-p", "sfz", "--tone-maps", "16", "--drum-maps=8", "-m", "M", "-n", "N", "--templates",
                                      (fs::path(QUINTARO_SOURCE_DIR) / "res").string(), "-o", "good.xml", "bank.sf2"});
    EXPECT_EQ(0, run.exitCode) << run.err;
    EXPECT_TRUE(fs::exists(m_root / "work" / "good.xml"));
}

} // namespace

#endif
