// The line writer and the escaping of names: every byte of the lists passes through these two.
#include "definition/XmlText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AppendLineTest, IndentsWithTabsAndEndsWithCrLf)
{
    struct Case {
        int level;
        std::string expected;
    };
    const Case cases[] = {
        {2, "\t\t</Map>\r\n"},
        {5, "\t\t\t\t\t</Map>\r\n"},
        {0, "</Map>\r\n"},
        {-3, "</Map>\r\n"},
    };
    for (const Case& c : cases) {
        CString out;
        AppendLine(out, c.level, "</Map>");
        EXPECT_EQ(out.Str(), c.expected) << "level " << c.level;
    }
}

TEST(AppendLineTest, OnlyAppends)
{
    CString out("\t\t<Map Name=\"A\">\r\n");
    AppendLine(out, 2, "</Map>");
    EXPECT_EQ(out.Str(), "\t\t<Map Name=\"A\">\r\n\t\t</Map>\r\n");
}

TEST(AppendLineTest, ConversionsOfTheListFormats)
{
    struct Case {
        const char* what;
        std::string (*write)();
        std::string expected;
    };
    const Case cases[] = {
        {"%03d pads to three digits", [] {
             CString out;
             AppendLine(out, 2, "<Map Name=\"  %03d-%03d\">", 1, 128);
             return out.Str();
         },
         "\t\t<Map Name=\"  001-128\">\r\n"},
        {"%d of 0 and of a 16-bit bank", [] {
             CString out;
             AppendLine(out, 4, "<Bank Name=\"%s\" LSB=\"%d\" MSB=\"%d\" />", "B", 0, 65535);
             return out.Str();
         },
         "\t\t\t\t<Bank Name=\"B\" LSB=\"0\" MSB=\"65535\" />\r\n"},
        {"%s is copied byte for byte: percent, tab, double-byte characters", [] {
             CString out;
             AppendLine(out, 3, "<PC Name=\"%s\" PC=\"%d\">", "50%d\t\x95\x5C\x83\x5C", 1);
             return out.Str();
         },
         "\t\t\t<PC Name=\"50%d\t\x95\x5C\x83\x5C\" PC=\"1\">\r\n"},
        {"an empty %s leaves the quotes empty", [] {
             CString out;
             AppendLine(out, 5, "<Tone Name=\"%s\" Key=\"%d\" />", "", 127);
             return out.Str();
         },
         "\t\t\t\t\t<Tone Name=\"\" Key=\"127\" />\r\n"},
        {"a long argument is not cut", [] {
             CString out;
             AppendLine(out, 0, "%s", std::string(5000, 'x').c_str());
             return out.Str();
         },
         std::string(5000, 'x') + "\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.write(), c.expected) << c.what;
}

struct EscapeCase {
    const char* what;
    std::string in;
    std::string out;
};

void ExpectEscapes(const EscapeCase& c)
{
    CString text(c.in);
    EXPECT_EQ(EscapeXml(text).Str(), c.out) << c.what;
    EXPECT_EQ(text.Str(), c.in) << c.what << ": the argument must stay as it was";
}

TEST(EscapeXmlTest, ReplacesTheFourMarkupCharacters)
{
    const EscapeCase cases[] = {
        {"empty", "", ""},
        {"nothing to escape", "Piano 1 (Wide)", "Piano 1 (Wide)"},
        {"all four, then an apostrophe", "&<>\"'", "&amp;&lt;&gt;&quot;'"},
        {"an entity reference is plain text", "&amp;&#38;", "&amp;amp;&amp;#38;"},
        {"several of each", "a<<b>>c&&d\"\"", "a&lt;&lt;b&gt;&gt;c&amp;&amp;d&quot;&quot;"},
        {"tab, LF and CR are allowed in XML", "a\tb\nc\rd", "a\tb\nc\rd"},
        {"DEL and bytes from 0x80 that begin no character", "\x7F\x80\xA0\xFD", "\x7F\x80\xA0\xFD"},
    };
    for (const EscapeCase& c : cases)
        ExpectEscapes(c);
}

TEST(EscapeXmlTest, ControlBytesThatXmlForbidsBecomeQuestionMarks)
{
    const EscapeCase cases[] = {
        {"zero byte", std::string("a\0b", 3), "a?b"},
        {"first and last C0 bytes", "\x01x\x1F", "?x?"},
        {"escape sequence", "\x1B[1mKick", "?[1mKick"},
        {"next to markup", "\x08&\x0B", "?&amp;?"},
    };
    for (const EscapeCase& c : cases)
        ExpectEscapes(c);
}

TEST(EscapeXmlTest, ShiftJisNames)
{
    if (AnsiCodePage() != 932)
        GTEST_SKIP() << "the ANSI code page is " << AnsiCodePage() << ", not Shift-JIS";
    const EscapeCase cases[] = {
        // 表 and ソ end in 0x5C, ー in 0x5B, 構 in 0x5C: second bytes are not markup.
        {"second bytes below 0x80", "\x95\x5C\x83\x5C\x81\x5B\x8D\x5C", "\x95\x5C\x83\x5C\x81\x5B\x8D\x5C"},
        {"a complete character at the end", "Piano \x82\xA0", "Piano \x82\xA0"},
        {"a character whose second byte could begin one", "A\x81\x81", "A\x81\x81"},
        {"half-width katakana are single bytes", "\xB1\xB2", "\xB1\xB2"},
        {"markup between double-byte characters", "\x82\xA0&\x82\xA2", "\x82\xA0&amp;\x82\xA2"},
        // A 20-byte name field can cut a double-byte character in two.
        {"a lone first byte at the end goes", "Piano\x82", "Piano"},
        {"only the lone first byte goes", "\x81\x81\x81", "\x81\x81"},
        {"after half-width katakana", "\xB1\x83", "\xB1"},
        {"a name that is only a lone first byte", "\x82", ""},
        {"escaping and the cut together", "A&B\x82", "A&amp;B"},
    };
    for (const EscapeCase& c : cases)
        ExpectEscapes(c);
}

} // namespace
