// Where the definition file goes: a file that stood at the path is replaced only by a whole
// result, an output that cannot be written is refused before anything changes, no temporary file
// is left behind, and paths of any length work.
#include "tests/definition/ChildProcess.h"
#include "tests/definition/ExportFixture.h"

#include "platform/CFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using deftest::ExportTest;
using deftest::ListDir;
using deftest::NotOpened;
using deftest::ReadBytes;
using deftest::TemplateNotRead;
using deftest::WriteBytes;
using deftest::Written;

const std::string kOld = "old definition, whole";

TEST_F(ExportTest, OutputThatCannotBeOpenedIsLeftAlone)
{
    WriteTemplate("%MODULENAME%");
    WriteBytes(m_dir / "plain", "a file, not a folder");
    std::filesystem::create_directory(m_dir / "out/taken.xml");
    struct Case {
        const char* what;
        std::string output;
    };
    const Case cases[] = {
        {"missing folder", m_dir / "missing/definition.xml"},
        {"a file in the way of a folder", m_dir / "plain/definition.xml"},
        {"a folder at the path", m_dir / "out/taken.xml"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Export(c.output), std::vector<std::string>{NotOpened()}) << c.what;
        EXPECT_EQ(ListDir(m_dir.Path()), (std::vector<std::string>{"out", "plain", "templates"})) << c.what;
        EXPECT_EQ(ListDir(m_outDir), std::vector<std::string>{"taken.xml"}) << c.what;
        EXPECT_EQ(ListDir(m_dir / "out/taken.xml"), std::vector<std::string>{}) << c.what;
        EXPECT_EQ(ReadBytes(m_dir / "plain"), "a file, not a folder") << c.what;
    }
}

// A folder path as the standard library takes it beyond 260 characters: on Windows, with the
// prefix that turns off the length limit.
std::filesystem::path Unlimited(const std::string& path)
{
#ifdef _WIN32
    return std::filesystem::path(L"\\\\?\\" + std::filesystem::absolute(path).make_preferred().wstring());
#else
    return path;
#endif
}

void WriteWithCFile(const std::string& path, const std::string& bytes)
{
    CFile file;
    ASSERT_TRUE(file.Open(CString(path), CFile::modeCreate | CFile::modeWrite)) << path;
    file.Write(bytes.data(), bytes.size());
    file.Close();
}

std::string ReadWithCFile(const std::string& path)
{
    CFile file;
    if (!file.Open(CString(path), CFile::modeRead))
        return "(does not open)";
    std::string bytes(static_cast<std::size_t>(file.GetLength()), '\0');
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    return bytes;
}

// The names in a folder and the removal of an empty folder, at any depth.
std::vector<std::string> ListUnlimited(const std::string& folder)
{
    std::vector<std::string> names;
#ifdef _WIN32
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((Unlimited(folder).wstring() + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(std::filesystem::path(name).string());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
#else
    names = ListDir(folder);
#endif
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveUnlimited(const std::string& folder)
{
#ifdef _WIN32
    return ::RemoveDirectoryW(Unlimited(folder).wstring().c_str()) != 0;
#else
    return ::rmdir(folder.c_str()) == 0;
#endif
}

TEST_F(ExportTest, LongPaths)
{
    // Far beyond the 260 bytes of MAX_PATH, and a file name as long as file systems allow.
    std::filesystem::path folder = m_dir.Path();
    for (int i = 0; i < 4; ++i)
        folder /= std::string(80, static_cast<char>('a' + i));
    std::filesystem::create_directories(Unlimited((folder / "t").string()));
    ASSERT_GT(folder.string().size(), 330u);
    m_templates = (folder / "t").string();
    WriteWithCFile((folder / "t" / "TiMidityGS.xml").string(), "<M N=\"%MODULENAME%\"/>");
    for (const std::string& name : {std::string("definition.xml"), std::string(251, 'n') + ".xml"}) {
        const std::string output = (folder / name).string();
        for (int round = 0; round < 2; ++round) { // the second replaces what the first wrote
            EXPECT_EQ(Export(output), std::vector<std::string>{Written()}) << name.size() << " bytes of name, round " << round;
            EXPECT_EQ(ReadWithCFile(output), "<M N=\"My Module\"/>");
        }
        EXPECT_EQ(ListUnlimited(folder.string()), (std::vector<std::string>{name, "t"}));
        CFile::Remove(CString(output));
    }
    // Deep folders are removed through the prefix as well.
    CFile::Remove(CString((folder / "t" / "TiMidityGS.xml").string()));
    for (std::filesystem::path at = folder / "t"; at != std::filesystem::path(m_dir.Path()) && at.has_relative_path();
         at = at.parent_path())
        EXPECT_TRUE(RemoveUnlimited(at.string())) << at.string();
}

#ifdef _WIN32

TEST_F(ExportTest, FilesHeldOpenByAnotherProgram)
{
    WriteTemplate("%MODULENAME%");
    WriteBytes(m_output, kOld);
    {
        // Denies everyone else every access, as a program holding the file would.
        CFile holder;
        ASSERT_TRUE(holder.Open(CString(m_output), CFile::modeRead | CFile::shareExclusive));
        EXPECT_EQ(Export(), std::vector<std::string>{NotOpened()});
    }
    EXPECT_EQ(ReadBytes(m_output), kOld);
    {
        // A writer keeps the template from being read.
        CFile holder;
        ASSERT_TRUE(holder.Open(CString(TemplatePath()), CFile::modeWrite | CFile::shareDenyNone));
        EXPECT_EQ(Export(), std::vector<std::string>{TemplateNotRead()});
    }
    EXPECT_EQ(ReadBytes(m_output), kOld);
    EXPECT_EQ(ListDir(m_outDir), std::vector<std::string>{"definition.xml"});
}

TEST_F(ExportTest, ReadOnlyFileIsLeftAlone)
{
    WriteTemplate("%MODULENAME%");
    WriteBytes(m_output, kOld);
    ASSERT_TRUE(::SetFileAttributesA(m_output.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        // Wine run by root lets root's rights win over the attribute; Windows never does.
        CFile probe;
        if (probe.Open(CString(m_output), CFile::modeWrite | CFile::modeNoTruncate)) {
            probe.Close();
            ::SetFileAttributesA(m_output.c_str(), FILE_ATTRIBUTE_NORMAL);
            GTEST_SKIP() << "this system opens a read-only file for writing (Wine run by root)";
        }
    }
    EXPECT_EQ(Export(), std::vector<std::string>{NotOpened()});
    ::SetFileAttributesA(m_output.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(m_output), kOld);
    EXPECT_EQ(ListDir(m_outDir), std::vector<std::string>{"definition.xml"});
}

#else

// Root is not held back by permissions, so these run in a child that has dropped root's rights.
class ExportAsUserTest : public ExportTest {
protected:
    ExportAsUserTest()
    {
        // The child must be able to walk to every file and to write where the test lets it.
        for (const std::string& path : {m_dir.Path(), m_outDir, m_templates})
            ::chmod(path.c_str(), 0777);
    }

    static deftest::ChildOptions AsUser()
    {
        deftest::ChildOptions options;
        options.unprivileged = true;
        return options;
    }

    std::vector<std::string> ExportInChild(const std::string& output, const deftest::ChildOptions& options = AsUser())
    {
        const deftest::ChildOutcome outcome = deftest::RunInChild(
            [&] {
                const sftest::RecordingSink sink;
                ExportDefinition(m_settings, *m_bank, CString(output), CString(m_templates));
                return deftest::Join(deftest::Describe(sink));
            },
            options);
        if (outcome.exitCode == deftest::kCannotDrop)
            m_skip = "the child could not drop root's rights";
        else
            EXPECT_EQ(outcome.exitCode, 0);
        return deftest::Split(outcome.text);
    }

    std::string m_skip;
};

TEST_F(ExportAsUserTest, OutputWithoutWriteAccessIsLeftAlone)
{
    WriteTemplate("%MODULENAME%");
    WriteBytes(m_output, kOld);
    ::chmod(m_output.c_str(), 0444);
    std::filesystem::create_directory(m_dir / "closed");
    WriteBytes(m_dir / "closed/definition.xml", kOld);
    std::filesystem::create_directory(m_dir / "sealed");
    ::chmod((m_dir / "closed").c_str(), 0555);
    ::chmod((m_dir / "sealed").c_str(), 0);
    struct Case {
        const char* what;
        std::string output;
        std::string folder;
        std::vector<std::string> listing;
    };
    const Case cases[] = {
        // Its folder could take a new file in its place, but the file itself may not be written.
        {"a read-only file", m_output, m_outDir, {"definition.xml"}},
        {"a new file in a folder without write access", m_dir / "closed/new.xml", m_dir / "closed", {"definition.xml"}},
        {"an existing file in a folder without write access", m_dir / "closed/definition.xml", m_dir / "closed",
         {"definition.xml"}},
        {"a folder without any access", m_dir / "sealed/new.xml", "", {}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> shown = ExportInChild(c.output);
        if (!m_skip.empty())
            GTEST_SKIP() << m_skip;
        EXPECT_EQ(shown, std::vector<std::string>{NotOpened()}) << c.what;
        if (!c.folder.empty()) {
            EXPECT_EQ(ListDir(c.folder), c.listing) << c.what;
        }
    }
    EXPECT_EQ(ReadBytes(m_output), kOld);
    EXPECT_EQ(ReadBytes(m_dir / "closed/definition.xml"), kOld);
    ::chmod((m_dir / "sealed").c_str(), 0700);
    EXPECT_EQ(ListDir(m_dir / "sealed"), std::vector<std::string>{});
}

TEST_F(ExportAsUserTest, TemplateWithoutReadAccess)
{
    WriteTemplate("%MODULENAME%");
    ::chmod(TemplatePath().c_str(), 0200);
    WriteBytes(m_output, kOld);
    const std::vector<std::string> shown = ExportInChild(m_output);
    if (!m_skip.empty())
        GTEST_SKIP() << m_skip;
    EXPECT_EQ(shown, std::vector<std::string>{TemplateNotRead()});
    EXPECT_EQ(ReadBytes(m_output), kOld);
}

TEST_F(ExportAsUserTest, FailedWriteKeepsTheOldFile)
{
    // The result is far beyond the child's file size limit, so its write fails with EFBIG.
    WriteTemplate(std::string(8000, ' ') + "%INSTRUMENTLIST%");
    WriteBytes(m_output, kOld + std::string(20000, '.'));
    deftest::ChildOptions options;
    options.fileSizeLimit = 4096; // root is held by this limit as well
    const std::vector<std::string> shown = ExportInChild(m_output, options);
    if (!m_skip.empty())
        GTEST_SKIP() << m_skip;
    // The standard report of a full disk, naming the file the user chose, and nothing else.
    EXPECT_EQ(shown, std::vector<std::string>{deftest::Shown(u8"ディスクがいっぱいのため、" + m_output + u8" に書き込めません。", MB_OK)});
    EXPECT_EQ(ReadBytes(m_output), kOld + std::string(20000, '.'));
    EXPECT_EQ(ListDir(m_outDir), std::vector<std::string>{"definition.xml"});
}

#endif

} // namespace
