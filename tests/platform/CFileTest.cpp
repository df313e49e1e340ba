// CFile: reading and seeking at and past the end, open modes, the errors of Open and the
// exceptions of the other operations, the file closed with its object, and share modes on Windows.
#include "platform/CFile.h"
#include "platform/CodePage.h"
#include "tests/support/SoundFontWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace {

namespace fs = std::filesystem;

// A file name in the temporary folder that nothing uses; the file is removed at the end.
class ScratchPath {
public:
    ScratchPath()
    {
        const sftest::TempFile probe(sftest::Bytes{}, ".tmp"); // a unique name, removed again
        m_path = probe.Path() + ".scratch";
    }
    ~ScratchPath()
    {
        std::error_code ignored;
        fs::remove(fs::path(m_path), ignored);
    }
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;

    CString Path() const { return CString(m_path.c_str()); }
    const std::string& Str() const { return m_path; }

private:
    std::string m_path;
};

std::string Contents(const std::string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const CString& path, const std::string& bytes)
{
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    file.Write(bytes.data(), bytes.size());
    file.Close();
}

TEST(CFile, ReadsFewerBytesAtTheEndAndNonePastIt)
{
    ScratchPath scratch;
    WriteFile(scratch.Path(), "0123456789");

    CFile file;
    ASSERT_TRUE(file.Open(scratch.Path(), CFile::modeRead | CFile::shareExclusive));
    EXPECT_EQ(file.GetFilePath(), scratch.Path());
    EXPECT_EQ(file.GetLength(), 10u);
    char buffer[16] = {};
    const std::uint64_t before = CFile::GetTotalBytesRead();
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.Seek(8, CFile::begin), 8u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.Seek(100, CFile::begin), 100u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(CFile::GetTotalBytesRead() - before, 6u);
    EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
    EXPECT_EQ(file.Seek(1, CFile::current), 8u);
}

TEST(CFile, CreateTruncatesUnlessAskedNotToAndCreateNewRefusesAnExistingFile)
{
    ScratchPath scratch;
    WriteFile(scratch.Path(), "long old contents");
    {
        CFile file;
        ASSERT_TRUE(file.Open(scratch.Path(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
        EXPECT_EQ(file.GetLength(), 17u);
        file.Write("LONG", 4);
    }
    EXPECT_EQ(Contents(scratch.Str()), "LONG old contents");
    WriteFile(scratch.Path(), "new");
    EXPECT_EQ(Contents(scratch.Str()), "new");

    CFile again;
    CFileException error(CFileException::none, 0, "");
    EXPECT_FALSE(again.Open(scratch.Path(), CFile::modeCreateNew | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(again.IsOpen());
}

struct OpenFailure {
    const char* title;
    std::string path;
    unsigned flags;
    CFileException::Cause cause;
};

TEST(CFile, AFailedOpenFillsInTheCauseAndTheFileName)
{
    ScratchPath scratch;
    const std::string missingFolder = scratch.Str() + ".d/inner.sf2";
    const OpenFailure cases[] = {
        {"missing file", scratch.Str(), CFile::modeRead, CFileException::fileNotFound},
        {"folder", fs::temp_directory_path().string(), CFile::modeRead, CFileException::accessDenied},
#ifdef _WIN32
        {"missing folder", missingFolder, CFile::modeRead, CFileException::badPath},
#else
        {"missing folder", missingFolder, CFile::modeRead, CFileException::fileNotFound},
#endif
    };
    for (const OpenFailure& c : cases) {
        SCOPED_TRACE(c.title);
        CFile file;
        CFileException error(CFileException::none, 0, "");
        EXPECT_FALSE(file.Open(CString(c.path.c_str()), c.flags, &error));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_NE(error.m_lOsError, 0);
        EXPECT_EQ(error.m_strFileName.Str(), c.path);
        EXPECT_FALSE(file.Open(CString(c.path.c_str()), c.flags)); // without a place for the error
    }
}

TEST(CFile, FailuresAfterOpenRaiseAFileExceptionWithACause)
{
    ScratchPath scratch;
    WriteFile(scratch.Path(), "data");
    CFile file;
    ASSERT_TRUE(file.Open(scratch.Path(), CFile::modeRead));
    try {
        file.Write("x", 1);
        ADD_FAILURE() << "a write to a file opened for reading succeeded";
    } catch (const CFileException& e) {
#ifdef _WIN32
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
#else
        EXPECT_EQ(e.m_cause, CFileException::invalidFile);
#endif
        EXPECT_EQ(e.m_strFileName, scratch.Path());
        EXPECT_NE(AnsiToUtf8(e.GetErrorMessage()).find(scratch.Str()), std::string::npos);
    }
    try {
        file.Seek(-10, CFile::begin);
        ADD_FAILURE() << "a seek before the start succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
}

#ifndef _WIN32
TEST(CFile, AFullDiskRaisesDiskFull)
{
    CFile file;
    if (!file.Open("/dev/full", CFile::modeWrite))
        GTEST_SKIP() << "/dev/full is not available";
    const std::string block(4096, 'x');
    try {
        file.Write(block.data(), block.size());
        ADD_FAILURE() << "a write to /dev/full succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(AnsiToUtf8(e.GetErrorMessage()), u8"ディスクがいっぱいのため、/dev/full に書き込めません。");
    }
}

int OpenDescriptors()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir))
            ++count;
        ::closedir(dir);
    }
    return count;
}
#endif

TEST(CFile, TheFileIsClosedWithItsObject)
{
    ScratchPath scratch;
    WriteFile(scratch.Path(), "data");
#ifndef _WIN32
    const int before = OpenDescriptors();
#endif
    {
        CFile file;
        ASSERT_TRUE(file.Open(scratch.Path(), CFile::modeRead | CFile::shareExclusive));
#ifndef _WIN32
        EXPECT_EQ(OpenDescriptors(), before + 1);
#endif
    }
#ifndef _WIN32
    EXPECT_EQ(OpenDescriptors(), before);
#endif
    // Only a closed file can be opened without sharing on Windows, and removed.
    CFile again;
    ASSERT_TRUE(again.Open(scratch.Path(), CFile::modeRead | CFile::shareExclusive));
    again.Close();
    EXPECT_FALSE(again.IsOpen());
    again.Close(); // closing twice is harmless
    again.Abort();
    CFile::Remove(scratch.Path());
    EXPECT_FALSE(fs::exists(fs::path(scratch.Str())));
}

TEST(CFile, RemoveAndReplaceWith)
{
    ScratchPath from;
    ScratchPath to;
    WriteFile(from.Path(), "new");
    WriteFile(to.Path(), "old contents");
    CFile::ReplaceWith(from.Path(), to.Path());
    EXPECT_EQ(Contents(to.Str()), "new");
    EXPECT_FALSE(fs::exists(fs::path(from.Str())));

    try {
        CFile::Remove(from.Path());
        ADD_FAILURE() << "removing a missing file succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, from.Path());
    }
    EXPECT_THROW(CFile::ReplaceWith(from.Path(), to.Path()), CFileException);
    EXPECT_EQ(Contents(to.Str()), "new");
}

#ifdef _WIN32
struct ShareCase {
    const char* title;
    unsigned first;
    unsigned second;
    bool secondOpens;
};

TEST(CFile, ShareModesDecideWhetherASecondOpenGetsIn)
{
    ScratchPath scratch;
    WriteFile(scratch.Path(), "data");
    const ShareCase cases[] = {
        {"exclusive, then a reader", CFile::modeRead | CFile::shareExclusive, CFile::modeRead | CFile::shareDenyNone, false},
        {"deny write, then a reader", CFile::modeRead | CFile::shareDenyWrite, CFile::modeRead | CFile::shareDenyNone, true},
        {"deny write, then a writer", CFile::modeRead | CFile::shareDenyWrite, CFile::modeWrite | CFile::shareDenyNone, false},
        {"deny none, then a reader-writer", CFile::modeRead | CFile::shareDenyNone, CFile::modeReadWrite | CFile::shareDenyNone, true},
        {"a reader, then exclusive", CFile::modeRead | CFile::shareDenyNone, CFile::modeRead | CFile::shareExclusive, false},
    };
    for (const ShareCase& c : cases) {
        SCOPED_TRACE(c.title);
        CFile first;
        ASSERT_TRUE(first.Open(scratch.Path(), c.first));
        CFile second;
        CFileException error(CFileException::none, 0, "");
        EXPECT_EQ(second.Open(scratch.Path(), c.second, &error), c.secondOpens);
        if (!c.secondOpens) {
            EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
        }
    }
}
#endif

} // namespace
