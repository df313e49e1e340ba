// The standard reports of the platform's exceptions, the one place that turns them into
// messages, and the message sink and wait cursor that messages are seen through.
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <stdexcept>
#include <string>

namespace {

#ifdef _WIN32
constexpr long kNotFound = ERROR_FILE_NOT_FOUND;
#else
constexpr long kNotFound = ENOENT;
#endif

TEST(CFileException, TheReportNamesTheFileAsBytesNeverAsAFormat)
{
    const CFileException e(CFileException::fileNotFound, 2, "C:\\%s%d\x95\x5C.sf2");
    EXPECT_EQ(e.GetErrorMessage(), FixedText(u8"C:\\%s%d表.sf2 が見つかりません。"));
    const CFileException unnamed(CFileException::fileNotFound, 2, "");
    EXPECT_EQ(AnsiToUtf8(unnamed.GetErrorMessage()), u8"ファイル が見つかりません。");
}

TEST(CFileException, EveryCauseHasItsOwnSentence)
{
    std::set<std::string> sentences;
    for (int cause = CFileException::fileNotFound; cause <= CFileException::endOfFile; ++cause) {
        const CFileException e(static_cast<CFileException::Cause>(cause), 1, "bank.sf2");
        const std::string text = AnsiToUtf8(e.GetErrorMessage());
        EXPECT_NE(text.find("bank.sf2"), std::string::npos) << cause;
        sentences.insert(text);
    }
    const std::string generic = AnsiToUtf8(CFileException(CFileException::genericException, 1, "bank.sf2").GetErrorMessage());
    EXPECT_EQ(generic, u8"bank.sf2 へのアクセス中に予期しないエラーが発生しました。");
    sentences.insert(generic);
    EXPECT_EQ(sentences.size(), 1u + CFileException::endOfFile - CFileException::fileNotFound + 1);
    EXPECT_EQ(AnsiToUtf8(CFileException(CFileException::none, 0, "x").GetErrorMessage()), AnsiToUtf8(CFileException(CFileException::genericException, 0, "x").GetErrorMessage()));
}

TEST(CFileException, SystemErrorNumbersMapToCauses)
{
#ifdef _WIN32
    EXPECT_EQ(CFileException::OsErrorToCause(ERROR_FILE_NOT_FOUND), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToCause(ERROR_PATH_NOT_FOUND), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToCause(ERROR_ACCESS_DENIED), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToCause(ERROR_SHARING_VIOLATION), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToCause(ERROR_DISK_FULL), CFileException::diskFull);
#else
    EXPECT_EQ(CFileException::OsErrorToCause(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToCause(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToCause(ESPIPE), CFileException::badSeek);
    EXPECT_EQ(CFileException::OsErrorToCause(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToCause(EIO), CFileException::hardIO);
#endif
    EXPECT_EQ(CFileException::OsErrorToCause(987654), CFileException::genericException);
}

TEST(ReportPlatformExceptions, ShowsTheStandardReportOfFileAndMemoryExceptions)
{
    sftest::RecordingSink sink;
    EXPECT_FALSE(ReportPlatformExceptions([] { CFileException::ThrowOsError(kNotFound, "a.sf2"); }));
    EXPECT_FALSE(ReportPlatformExceptions([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(ReportPlatformExceptions([] {}));
    EXPECT_THROW(ReportPlatformExceptions([] { throw std::runtime_error("not ours"); }), std::runtime_error);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].text, u8"a.sf2 が見つかりません。");
    EXPECT_EQ(sink.messages[0].type, MB_OK);
    EXPECT_EQ(sink.messages[1].text, u8"メモリが不足しています。");
    EXPECT_EQ(sink.messages[1].type, MB_OK);
}

TEST(MessageSink, TheInnermostSinkReceivesMessagesAndTheOuterOneComesBack)
{
    sftest::RecordingSink outer;
    {
        sftest::RecordingSink inner;
        CWaitCursor wait;
        AfxMessageBox("inner", MB_ICONINFORMATION);
        ASSERT_EQ(inner.messages.size(), 1u);
        EXPECT_EQ(inner.messages[0].type, MB_ICONINFORMATION);
        EXPECT_TRUE(inner.messages[0].waitCursorUp);
    }
    EXPECT_EQ(CWaitCursor::ActiveCount(), 0);
    CFileException(CFileException::diskFull, 0, "out.xml").ReportError();
    ASSERT_EQ(outer.messages.size(), 1u);
    EXPECT_EQ(outer.messages[0].text, u8"ディスクがいっぱいのため、out.xml に書き込めません。");
    EXPECT_EQ(outer.messages[0].type, MB_OK);
    EXPECT_FALSE(outer.messages[0].waitCursorUp);
}

TEST(WaitCursor, CountsTheCursorsThatAreUp)
{
    EXPECT_EQ(CWaitCursor::ActiveCount(), 0);
    {
        CWaitCursor a;
        {
            CWaitCursor b;
            EXPECT_EQ(CWaitCursor::ActiveCount(), 2);
        }
        EXPECT_EQ(CWaitCursor::ActiveCount(), 1);
    }
    EXPECT_EQ(CWaitCursor::ActiveCount(), 0);
}

} // namespace
