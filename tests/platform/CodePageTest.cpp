// Conversions between the ANSI code page (932) and UTF-8, as the program needs them: names from a
// bank shown on a terminal, names typed by a user, and the program's own fixed texts.
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// On Windows the code page is the system's: the tests run under a Japanese locale.
#define REQUIRE_CODE_PAGE_932()                                                                      \
    do {                                                                                             \
        if (AnsiCodePage() != 932)                                                                   \
            GTEST_SKIP() << "needs code page 932 (LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 under Wine)"; \
    } while (0)

#ifndef _WIN32
TEST(CodePage, IsAlways932OutsideWindows)
{
    EXPECT_EQ(AnsiCodePage(), 932u);
}
#endif

TEST(CodePage, LeadBytesAreThoseOfShiftJis)
{
    REQUIRE_CODE_PAGE_932();
    for (unsigned b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsAnsiLeadByte(static_cast<unsigned char>(b)), lead) << std::hex << b;
    }
}

struct RoundTrip {
    const char* utf8;
    const char* ansi;
};

TEST(CodePage, ConvertsBothWaysAsCodePage932Does)
{
    REQUIRE_CODE_PAGE_932();
    const RoundTrip cases[] = {
        {"Piano 1", "Piano 1"},
        {u8"ピアノ", "\x83\x73\x83\x41\x83\x6D"},
        {u8"表", "\x95\x5C"},
        {u8"ｱｲｳ", "\xB1\xB2\xB3"},                 // half-width katakana, one byte each
        {u8"①", "\x87\x40"},                        // an NEC extension that Shift-JIS lacks
        {u8"～", "\x81\x60"},                       // U+FF5E in code page 932, not U+301C
        {u8"－", "\x81\x7C"},                       // U+FF0D
        {"C:\\a", "C:\\a"},                         // 0x5C stays the backslash
        {u8"ファイルが開けませんでした。",
         "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42"},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(AnsiToUtf8(CString(c.ansi)), c.utf8);
        const std::optional<CString> ansi = Utf8ToAnsi(c.utf8);
        ASSERT_TRUE(ansi.has_value());
        EXPECT_EQ(ansi->Str(), c.ansi);
        EXPECT_EQ(FixedText(c.utf8).Str(), c.ansi);
    }
    EXPECT_EQ(AnsiToUtf8(CString("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage, BytesThatDoNotConvertBecomeTheReplacementCharacter)
{
    REQUIRE_CODE_PAGE_932();
    EXPECT_EQ(AnsiToUtf8(CString("A\x83")), u8"A\uFFFD");           // a lead byte without its trail
    EXPECT_EQ(AnsiToUtf8(CString("\x83\x73\x83")), u8"\u30D4\uFFFD");
    EXPECT_EQ(AnsiToUtf8(CString("\x81\x20x")), u8"\uFFFD x");               // a lead byte before no trail byte
    EXPECT_EQ(AnsiToUtf8(CString("\x81\x45")), u8"\u30FB");                 // the real middle dot stays
}

TEST(CodePage, TypedNamesWithCharactersThatCodePage932LacksAreRefused)
{
    REQUIRE_CODE_PAGE_932();
    const char* const refused[] = {
        u8"😀",          // outside the basic plane
        u8"€",           // code page 932 has no euro sign
        u8"ü",           // no Latin-1 letters, and no best fit to "u"
        u8"¥",           // 0x5C is the backslash in code page 932, not the yen sign
        u8"〜",          // U+301C would come back as U+FF5E
        u8"ピアノ😀",
        "\xFF",          // not UTF-8
        "\xE3\x83",      // a UTF-8 sequence cut short
    };
    for (const char* text : refused)
        EXPECT_FALSE(Utf8ToAnsi(text).has_value()) << text;
    const std::optional<CString> empty = Utf8ToAnsi("");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->IsEmpty());
}

TEST(CodePage, FixedTextsShowAQuestionMarkForWhatTheCodePageLacks)
{
    REQUIRE_CODE_PAGE_932();
    EXPECT_EQ(FixedText(u8"a€b"), "a?b");
    EXPECT_EQ(FixedText(u8"ü ピ"), "? \x83\x73");
}

#ifdef _WIN32
TEST(CodePage, WideTextsForTheWideFunctionsOfWindows)
{
    REQUIRE_CODE_PAGE_932();
    EXPECT_EQ(AnsiToWide(CString("\x83\x73\x83\x41\x83\x6D\x95\x5C")), L"\u30D4\u30A2\u30CE\u8868");
    const std::optional<CString> back = WideToAnsi(L"\u30D4\u30A2\u30CE\u8868");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Str(), "\x83\x73\x83\x41\x83\x6D\x95\x5C");
    EXPECT_FALSE(WideToAnsi(L"\u00FC").has_value());
    EXPECT_FALSE(WideToAnsi(L"\u20AC").has_value());
}
#endif

} // namespace
