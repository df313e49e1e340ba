// The path helpers on both systems; on Windows also with Shift-JIS names whose second byte is the
// byte of a backslash.
#include "platform/CFile.h"
#include "platform/CodePage.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* path;
    const char* expected;
};

void ExpectEach(const char* what, CString (*op)(const CString&), std::initializer_list<PathCase> cases)
{
    for (const PathCase& c : cases)
        EXPECT_EQ(op(CString(c.path)).Str(), c.expected) << what << "(\"" << c.path << "\")";
}

CString AddXml(const CString& path)
{
    return PathAddExtension(path, ".xml");
}

TEST(Path, RemoveExtensionTakesOnlyTheLastExtensionOfTheLastComponent)
{
    ExpectEach("PathRemoveExtension", PathRemoveExtension, {
        {"bank.old.sf2", "bank.old"},
        {"bank", "bank"},
        {"bank.", "bank"},
        {"a.b c", "a.b c"}, // a dot followed by a space starts no extension
        {"", ""},
#ifdef _WIN32
        {"D:\\sf\\piano.sf2", "D:\\sf\\piano"},
        {"D:\\sf.d\\piano", "D:\\sf.d\\piano"},
        {"D:/sf.d/piano", "D:/sf.d/piano"},
        {"D:\\sf\\bank.old.sf2", "D:\\sf\\bank.old"},
#else
        {"/home/u/piano.sf2", "/home/u/piano"},
        {"/home/u.d/piano", "/home/u.d/piano"},
        {"dir.d\\piano", "dir"}, // a backslash is an ordinary byte of a name here
#endif
    });
}

TEST(Path, AddExtensionOnlyWhereTheLastComponentHasNone)
{
    ExpectEach("PathAddExtension", AddXml, {
        {"out", "out.xml"},
        {"out.txt", "out.txt"},
#ifdef _WIN32
        {"D:\\a.b\\out", "D:\\a.b\\out.xml"},
#else
        {"/a.b/out", "/a.b/out.xml"},
#endif
    });
}

TEST(Path, RemoveFileSpecKeepsTheFolderAndTheRoot)
{
    ExpectEach("PathRemoveFileSpec", PathRemoveFileSpec, {
        {"b.exe", ""},
#ifdef _WIN32
        {"C:\\a\\b.exe", "C:\\a"},
        {"C:\\b.exe", "C:\\"},
        {"C:/a/b.exe", "C:/a"},
#else
        {"/a/b", "/a"},
        {"/b", "/"},
        {"/a/b\\c", "/a"},
#endif
    });
}

TEST(Path, CombineJoinsWithOneSeparator)
{
    EXPECT_EQ(PathCombine("", "t.xml"), "t.xml");
#ifdef _WIN32
    EXPECT_EQ(PathCombine("C:\\a", "t.xml"), "C:\\a\\t.xml");
    EXPECT_EQ(PathCombine("C:\\a\\", "t.xml"), "C:\\a\\t.xml");
    EXPECT_EQ(PathCombine("C:\\", "t.xml"), "C:\\t.xml");
#else
    EXPECT_EQ(PathCombine("/a", "t.xml"), "/a/t.xml");
    EXPECT_EQ(PathCombine("/a/", "t.xml"), "/a/t.xml");
    EXPECT_EQ(PathCombine("/", "t.xml"), "/t.xml");
#endif
}

#ifdef _WIN32
TEST(Path, AShiftJisTrailByteOf0x5CIsNoSeparator)
{
    if (AnsiCodePage() != 932)
        GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 under Wine)";
    // "\x95\x5C" is one character (U+8868).
    ExpectEach("PathRemoveFileSpec", PathRemoveFileSpec, {
        {"C:\\dir\\\x95\x5C.sf2", "C:\\dir"},
        {"C:\\dir\\\x95\x5C", "C:\\dir"},
        {"C:\\\x95\x5C\\b.sf2", "C:\\\x95\x5C"},
    });
    ExpectEach("PathRemoveExtension", PathRemoveExtension, {
        {"C:\\ver1.\x95\x5C", "C:\\ver1"},
        {"C:\\\x95\x5C.sf2", "C:\\\x95\x5C"},
    });
    ExpectEach("PathAddExtension", AddXml, {
        {"C:\\ver1.\x95\x5C", "C:\\ver1.\x95\x5C"},
    });
    EXPECT_EQ(PathCombine("C:\\\x95\x5C", "a.xml"), "C:\\\x95\x5C\\a.xml");
}
#endif

TEST(Path, ModuleFilePathNamesThisProgram)
{
    const CString path = GetModuleFilePath();
    EXPECT_NE(path.View().find("platform_tests"), std::string_view::npos) << path.GetString();
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyNone)) << path.GetString();
}

} // namespace
