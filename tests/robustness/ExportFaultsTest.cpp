// The export under hostile surroundings: a full disk, files and folders the user may not write,
// templates that cannot be read, and (on Windows) files that another program holds open. Each
// case gives its expected message and leaves a file that stood at the target byte for byte.
#include "definition/ExportDefinition.h"
#include "platform/CodePage.h"
#include "tests/robustness/RobustnessSupport.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

const std::string kTemplateMessage = u8"デフォルトxmlファイルの読み込みに失敗しました。";
const std::string kOutputMessage = u8"保存先のファイルを開けませんでした。";
const std::string kWrittenMessage = u8"書き出しました。";
const std::string kOldContent = "old definition, keep me\r\n";

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ReadFile(const fs::path& path)
{
    const robustness::Bytes bytes = robustness::ReadWholeFile(path.string());
    return std::string(bytes.begin(), bytes.end());
}

std::set<std::string> Listing(const fs::path& dir)
{
    std::set<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error))
        names.insert(entry.path().filename().string());
    return names;
}

// A folder with a copy of the templates, a loaded bank and the settings of one export.
class ExportFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("quintaro-faults-" + std::to_string(++s_counter) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "templates");
        fs::create_directories(m_dir / "out");
        for (const char* name : {"TiMidityGS.xml", "TiMidityXG.xml", "sfz.xml"})
            fs::copy_file(fs::path(QUINTARO_SOURCE_DIR) / "res" / name, m_dir / "templates" / name);
        sftest::Bank description;
        description.info.name = "Fault Bank";
        description.samples = {{"Kick"}};
        description.instruments = {{"Kit", {{sftest::keyRange(36, 36), sftest::sampleID(0)}}}};
        for (std::uint16_t p = 0; p < 128; ++p)
            description.presets.push_back({"Long Preset Name", p, 0, {}});
        description.presets.push_back({"Standard", 0, 128, {{sftest::instrument(0)}}});
        robustness::CScratchBank file("faults");
        ASSERT_TRUE(file.Load(sftest::Build(description), m_bank));
        m_settings.m_strModuleName = "Module";
        m_settings.m_strMapName = "Map";
#ifndef _WIN32
        // An unprivileged child must reach everything that is not taken away on purpose.
        fs::permissions(m_dir, fs::perms::all);
        fs::permissions(m_dir / "out", fs::perms::all);
        fs::permissions(m_dir / "templates", fs::perms::all);
#endif
    }

    void TearDown() override
    {
        std::error_code error;
        fs::permissions(m_dir / "out", fs::perms::all, error);
        fs::permissions(m_dir / "templates" / "TiMidityGS.xml", fs::perms::owner_all, error);
        fs::remove_all(m_dir, error);
    }

    // The messages of one export, as UTF-8 texts.
    std::vector<std::string> Export(const fs::path& output)
    {
        sftest::RecordingSink sink;
        ExportDefinition(m_settings, m_bank, CString(output.string()), CString((m_dir / "templates").string()));
        return sink.Texts();
    }

    static inline int s_counter = 0;
    fs::path m_dir;
    CSoundFont m_bank;
    ConversionSettings m_settings;
};

#ifndef _WIN32

struct ChildSetup {
    bool unprivileged = false;   // as root, drop to nobody so that mode bits apply
    rlim_t fileSizeLimit = 0;    // RLIMIT_FSIZE when not 0, with SIGXFSZ ignored
};

// Runs one export in a forked child; the messages come back through a pipe, one a line.
std::vector<std::string> ExportInChild(const std::function<std::vector<std::string>()>& body, ChildSetup setup)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {"pipe failed"};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (setup.unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        if (setup.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(4);
        }
        std::string text;
        for (const std::string& message : body())
            text += message + "\n";
        const ssize_t written = ::write(fds[1], text.data(), text.size());
        ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 5);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[1024];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = -1;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {"child failed with status " + std::to_string(status)};
    std::vector<std::string> messages;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        messages.push_back(text.substr(at, end - at));
    return messages;
}

struct FaultCase {
    const char* name;
    bool oldFileAtTarget;
    ChildSetup child;
    // Takes away what the case takes away; returns the output path.
    std::function<fs::path(const fs::path& dir)> arrange;
    std::vector<std::string> expected; // empty: one report of the platform, and no success
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class PosixExportFaults : public ExportFaults, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(PosixExportFaults, GivesItsMessageAndKeepsTheOldFile)
{
    const FaultCase& c = GetParam();
    const fs::path target = m_dir / "out" / "module.xml";
    if (c.oldFileAtTarget)
        WriteFile(target, kOldContent);
    const fs::path output = c.arrange(m_dir);
    const std::set<std::string> before = Listing(m_dir / "out");

    const std::vector<std::string> messages = ExportInChild([&] { return Export(output); }, c.child);

    if (c.expected.empty()) {
        ASSERT_EQ(1u, messages.size()) << c.name;
        EXPECT_NE(kWrittenMessage, messages[0]);
        EXPECT_NE(std::string::npos, messages[0].find_first_not_of(' ')) << "an empty report";
    } else {
        EXPECT_EQ(c.expected, messages) << c.name;
    }
    std::error_code error;
    fs::permissions(m_dir / "out", fs::perms::all, error);
    if (c.oldFileAtTarget)
        EXPECT_EQ(kOldContent, ReadFile(target)) << c.name;
    else
        EXPECT_FALSE(fs::exists(target)) << c.name;
    // No temporary file is left behind.
    EXPECT_EQ(before, Listing(m_dir / "out")) << c.name;
}

const FaultCase kPosixFaults[] = {
    {"DiskFullKeepsTheOldFile", true, {false, 4096}, [](const fs::path& d) { return d / "out" / "module.xml"; }, {}},
    {"DiskFullCreatesNothing", false, {false, 4096}, [](const fs::path& d) { return d / "out" / "module.xml"; }, {}},
    {"ReadOnlyTarget", true, {true, 0},
     [](const fs::path& d) {
         fs::permissions(d / "out" / "module.xml", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         return d / "out" / "module.xml";
     },
     {kOutputMessage}},
    {"ReadOnlyFolderWithTheTarget", true, {true, 0},
     [](const fs::path& d) {
         fs::permissions(d / "out" / "module.xml", fs::perms::all);
         fs::permissions(d / "out", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                        fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec);
         return d / "out" / "module.xml";
     },
     {kOutputMessage}},
    {"ReadOnlyFolderWithoutTheTarget", false, {true, 0},
     [](const fs::path& d) {
         fs::permissions(d / "out", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                        fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec);
         return d / "out" / "module.xml";
     },
     {kOutputMessage}},
    {"MissingFolder", false, {false, 0}, [](const fs::path& d) { return d / "out" / "missing" / "module.xml"; },
     {kOutputMessage}},
    {"TemplateWithoutReadPermission", true, {true, 0},
     [](const fs::path& d) {
         fs::permissions(d / "templates" / "TiMidityGS.xml", fs::perms::none);
         return d / "out" / "module.xml";
     },
     {kTemplateMessage}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PosixExportFaults, ::testing::ValuesIn(kPosixFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

TEST_F(ExportFaults, TheTemplateAsTheOutputIsReplacedByTheResult)
{
    const fs::path templ = m_dir / "templates" / "TiMidityGS.xml";
    const std::string before = ReadFile(templ);
    EXPECT_EQ(std::vector<std::string>{kWrittenMessage}, Export(templ));
    const std::string after = ReadFile(templ);
    EXPECT_NE(before, after);
    EXPECT_EQ(before.substr(0, before.find("%MODULENAME%")), after.substr(0, before.find("%MODULENAME%")));
    EXPECT_NE(std::string::npos, after.find("<PC Name=\"Long Preset Name\" PC=\"128\">"));
    EXPECT_EQ(std::string::npos, after.find("%DRUMSETLIST%"));
    EXPECT_EQ((std::set<std::string>{"TiMidityGS.xml", "TiMidityXG.xml", "sfz.xml"}), Listing(m_dir / "templates"));
}

#else // _WIN32

// Another program's handle, held for the length of a scope.
class CHeldFile {
public:
    CHeldFile(const fs::path& path, DWORD access, DWORD share)
        : m_handle(::CreateFileA(path.string().c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~CHeldFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

struct ShareCase {
    const char* name;
    DWORD access;
    DWORD share;
    bool templateReadable; // for a held template: whether a reader that denies writing may still open it
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

const ShareCase kShareCases[] = {
    {"ReadSharingAll", GENERIC_READ, kShareAll, true},
    {"ReadSharingRead", GENERIC_READ, FILE_SHARE_READ, true},
    {"ReadSharingReadWrite", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    {"ReadSharingNothing", GENERIC_READ, 0, false},
    {"ReadSharingWrite", GENERIC_READ, FILE_SHARE_WRITE, false},
    {"WriteSharingAll", GENERIC_WRITE, kShareAll, false},
    {"WriteSharingRead", GENERIC_WRITE, FILE_SHARE_READ, false},
    {"ReadWriteSharingNothing", GENERIC_READ | GENERIC_WRITE, 0, false},
    {"ReadWriteSharingAll", GENERIC_READ | GENERIC_WRITE, kShareAll, false},
};

void PrintTo(const ShareCase& c, std::ostream* os) { *os << c.name; }

class WindowsShareModes : public ExportFaults, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(WindowsShareModes, AHeldTargetIsRefusedAndKeepsItsContent)
{
    const ShareCase& c = GetParam();
    const fs::path target = m_dir / "out" / "module.xml";
    WriteFile(target, kOldContent);
    std::vector<std::string> messages;
    {
        const CHeldFile held(target, c.access, c.share);
        ASSERT_TRUE(held.IsOpen());
        messages = Export(target);
    }
    EXPECT_EQ(std::vector<std::string>{kOutputMessage}, messages);
    EXPECT_EQ(kOldContent, ReadFile(target));
    EXPECT_EQ(std::set<std::string>{"module.xml"}, Listing(m_dir / "out"));
}

TEST_P(WindowsShareModes, AHeldTemplateIsReadOnlyWhenItsHolderLetsReadersInAndWritesNothing)
{
    const ShareCase& c = GetParam();
    const fs::path target = m_dir / "out" / "module.xml";
    WriteFile(target, kOldContent);
    std::vector<std::string> messages;
    {
        const CHeldFile held(m_dir / "templates" / "TiMidityGS.xml", c.access, c.share);
        ASSERT_TRUE(held.IsOpen());
        messages = Export(target);
    }
    if (c.templateReadable) {
        EXPECT_EQ(std::vector<std::string>{kWrittenMessage}, messages);
        EXPECT_NE(kOldContent, ReadFile(target));
    } else {
        EXPECT_EQ(std::vector<std::string>{kTemplateMessage}, messages);
        EXPECT_EQ(kOldContent, ReadFile(target));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowsShareModes, ::testing::ValuesIn(kShareCases),
                         [](const ::testing::TestParamInfo<ShareCase>& param) { return std::string(param.param.name); });

TEST_F(ExportFaults, TheTemplateAsTheOutputIsReplacedByTheResult)
{
    const fs::path templ = m_dir / "templates" / "TiMidityGS.xml";
    const std::string before = ReadFile(templ);
    EXPECT_EQ(std::vector<std::string>{kWrittenMessage}, Export(templ));
    EXPECT_NE(std::string::npos, ReadFile(templ).find("<PC Name=\"Long Preset Name\" PC=\"128\">"));
}

#endif

} // namespace
