// CString: printf-style formatting, zero bytes inside a text, and replace-all.
#include "platform/CString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CString, FormatsLikePrintfAndCopiesStringArgumentsByteForByte)
{
    CString text("old contents");
    text.Format("%s|%d|%03d|%03d|%u", "Piano", -5, 7, 1234, 65535u);
    EXPECT_EQ(text, "Piano|-5|007|1234|65535");

    text.Format("<%s>", "\x83\x73\x83\x41\x83\x6D\x95\x5C");
    EXPECT_EQ(text, "<\x83\x73\x83\x41\x83\x6D\x95\x5C>");

    text.AppendFormat("%c%d", ' ', 42);
    EXPECT_EQ(text, "<\x83\x73\x83\x41\x83\x6D\x95\x5C> 42");
}

TEST(CString, FormatsTextsLongerThanAnyLine)
{
    const std::string name(5000, 'n');
    CString text("prefix:");
    text.AppendFormat("[%s]%d", name.c_str(), 9);
    EXPECT_EQ(text.Str(), "prefix:[" + name + "]9");
    text.Format("%s", name.c_str());
    EXPECT_EQ(text.GetLength(), 5000u);
}

TEST(CString, HoldsZeroBytes)
{
    CString text("a\0b", 3);
    EXPECT_EQ(text.GetLength(), 3u);
    text += CString("\0c", 2);
    text.AppendChar('\0');
    EXPECT_EQ(text.Str(), std::string("a\0b\0c\0", 6));
    EXPECT_NE(text, "a");
    EXPECT_EQ(text.GetString()[1], '\0');

    CString copy = text;
    EXPECT_EQ(copy, text);
    EXPECT_NE(copy, CString("a\0b\0c", 5));
    EXPECT_EQ(copy.Replace(std::string_view("\0", 1), "0"), 3u);
    EXPECT_EQ(copy, "a0b0c0");
}

TEST(CString, ABufferFilledByAReadIsTrimmedToWhatWasFilled)
{
    CString text;
    char* buffer = text.GetBufferSetLength(10);
    ASSERT_EQ(text.GetLength(), 10u);
    buffer[0] = 'a';
    buffer[1] = '\0';
    buffer[2] = 'b';
    text.ReleaseBuffer(3);
    EXPECT_EQ(text.Str(), std::string("a\0b", 3));
    text.ReleaseBuffer(100); // never grows
    EXPECT_EQ(text.GetLength(), 3u);
}

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    const char* expected;
    std::size_t count;
};

TEST(CString, ReplaceReplacesEveryOccurrenceLeftToRightWithoutRescanningInsertions)
{
    const ReplaceCase cases[] = {
        {"a%X%b%X%", "%X%", "yy", "ayybyy", 2},
        {"aaa", "aa", "b", "ba", 1},                  // left to right, matches do not overlap
        {"aaaa", "aa", "a", "aa", 2},
        {"abc", "b", "bb", "abbc", 1},                // the insertion holds the pattern again
        {"aa", "a", "aa", "aaaa", 2},
        {"%M%%M%", "%M%", "%M%!", "%M%!%M%!", 2},
        {"a--b--", "--", "", "ab", 2},                // deletion
        {"xyz", "q", "r", "xyz", 0},
        {"abc", "", "r", "abc", 0},                   // an empty pattern replaces nothing
        {"", "a", "b", "", 0},
        {"\x95\x5C\x95\x5C", "\x5C", "/", "\x95/\x95/", 2}, // bytes, not characters
    };
    for (const ReplaceCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.from + " -> " + c.to);
        CString text(c.text);
        EXPECT_EQ(text.Replace(c.from, c.to), c.count);
        EXPECT_EQ(text, c.expected);
    }
}

} // namespace
