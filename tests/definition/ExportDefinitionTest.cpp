// The template merge: which bytes of the template survive, what replaces each placeholder, and
// what the user is told.
#include "tests/definition/ExportFixture.h"

#include "platform/Path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef QUINTARO_SOURCE_DIR
#error QUINTARO_SOURCE_DIR must name the source tree
#endif

namespace {

using deftest::ExportTest;
using deftest::ReadBytes;
using deftest::TemplateNotRead;
using deftest::Written;

// Replaces "{M}", "{I}" and "{D}" of a pattern with the escaped module name and the two lists.
std::string Expand(std::string pattern, const std::string& module, const std::string& instruments, const std::string& drums)
{
    const std::pair<const char*, const std::string*> tokens[] = {{"{M}", &module}, {"{I}", &instruments}, {"{D}", &drums}};
    for (const auto& [token, text] : tokens) {
        for (std::size_t at = pattern.find(token); at != std::string::npos; at = pattern.find(token, at + text->size()))
            pattern.replace(at, 3, *text);
    }
    return pattern;
}

std::string Utf16le(const std::string& ascii)
{
    std::string wide = "\xFF\xFE";
    for (const char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

TEST_F(ExportTest, MergesTheTemplate)
{
    struct Case {
        const char* what;
        std::string templ;
        std::string module;
        std::string expected; // {M}: "My Module"; {I}, {D}: the lists
    };
    const Case cases[] = {
        {"no placeholder: written unchanged", "<ModuleData />\r\n", "My Module", "<ModuleData />\r\n"},
        {"the usual layout",
         "<M Name=\"%MODULENAME%\">\r\n\t<I>\r\n%INSTRUMENTLIST%\t</I>\r\n\t<D>\r\n%DRUMSETLIST%\t</D>\r\n</M>\r\n", "My Module",
         "<M Name=\"{M}\">\r\n\t<I>\r\n{I}\t</I>\r\n\t<D>\r\n{D}\t</D>\r\n</M>\r\n"},
        {"every occurrence, also back to back", "%MODULENAME%|%MODULENAME%|%INSTRUMENTLIST%%INSTRUMENTLIST%|%DRUMSETLIST%",
         "My Module", "{M}|{M}|{I}{I}|{D}"},
        {"placeholders are matched with their case", "%modulename% %InstrumentList% %DRUMSETLIST", "My Module",
         "%modulename% %InstrumentList% %DRUMSETLIST"},
        {"byte-order mark and declaration stay in front",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<M N=\"%MODULENAME%\"/>", "My Module",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<M N=\"{M}\"/>"},
        {"LF-only template lines stay LF-only", "<M>\n<I>\n%INSTRUMENTLIST%</I>\n</M>\n", "My Module",
         "<M>\n<I>\n{I}</I>\n</M>\n"},
        {"UTF-16 holds no placeholder", Utf16le("<M N=\"%MODULENAME%\">%INSTRUMENTLIST%</M>\r\n"), "My Module",
         Utf16le("<M N=\"%MODULENAME%\">%INSTRUMENTLIST%</M>\r\n")},
        {"zero bytes do not end the scan", std::string("a\0%MODULENAME%\0b", 16), "My Module", std::string("a\0{M}\0b", 7)},
        {"the module name is escaped", "<M N=\"%MODULENAME%\"/>", "a&b<c>d\"e'f", "<M N=\"a&amp;b&lt;c&gt;d&quot;e'f\"/>"},
        {"the later passes scan the module name", "[%MODULENAME%]", "x%INSTRUMENTLIST%y%DRUMSETLIST%z", "[x{I}y{D}z]"},
        {"the module pass does not scan its own insertion", "[%MODULENAME%]", "%MODULENAME%", "[%MODULENAME%]"},
        {"Shift-JIS bytes pass untouched", "\x95\x5C%MODULENAME%\x83\x5C", "\x89\xB9\x8C\xB9", "\x95\x5C\x89\xB9\x8C\xB9\x83\x5C"},
    };
    for (const Case& c : cases) {
        m_settings.m_strModuleName = CString(c.module);
        WriteTemplate(c.templ);
        EXPECT_EQ(Export(), std::vector<std::string>{Written()}) << c.what;
        EXPECT_EQ(ReadBytes(m_output), Expand(c.expected, "My Module", Instruments(), Drums())) << c.what;
        EXPECT_EQ(deftest::ListDir(m_outDir), std::vector<std::string>{"definition.xml"}) << c.what;
    }
}

TEST_F(ExportTest, PlaceholdersInsideListsFollowThePassOrder)
{
    // The module pass is over when the lists go in; the drum pass still scans the instrument list.
    m_bank = deftest::LoadBank({{"%MODULENAME%", 0, 0, {}}, {"%DRUMSETLIST%", 1, 0, {}}, {"Kit", 0, 128, {{36, "K"}}}});
    WriteTemplate("%INSTRUMENTLIST%|%DRUMSETLIST%");
    ASSERT_EQ(Export(), std::vector<std::string>{Written()});
    std::string instruments = Instruments();
    // Its PC and its Bank line both carry the name.
    for (int i = 0; i < 2; ++i) {
        const std::size_t at = instruments.find("\"%DRUMSETLIST%\"");
        ASSERT_NE(at, std::string::npos);
        instruments.replace(at + 1, 13, Drums());
    }
    EXPECT_EQ(ReadBytes(m_output), instruments + "|" + Drums());
    EXPECT_NE(ReadBytes(m_output)->find("<PC Name=\"%MODULENAME%\" PC=\"1\">"), std::string::npos);
}

TEST_F(ExportTest, EachPlayerHasItsTemplateAndGroupings)
{
    struct Case {
        int player;
        int toneMode;
        int drumMode;
    };
    const Case cases[] = {{kPlayerTiMidityGS, kMapGroupingOne, kMapGroupingBy8},
                          {kPlayerTiMidityXG, kMapGroupingBy16, kMapGroupingOne},
                          {kPlayerSfz, kMapGroupingBy8, kMapGroupingBy16}};
    for (const Case& c : cases)
        WriteTemplate(std::string(TemplateFileName(c.player)) + "\r\n%INSTRUMENTLIST%%DRUMSETLIST%", c.player);
    for (const Case& c : cases) {
        m_settings.m_nPlayer = c.player;
        m_settings.m_nToneMapMode = c.toneMode;
        m_settings.m_nDrumMapMode = c.drumMode;
        ASSERT_EQ(Export(), std::vector<std::string>{Written()});
        // The lists are the builder's (tested there); here only which list, grouped how, went where.
        EXPECT_EQ(ReadBytes(m_output), TemplateFileName(c.player) + std::string("\r\n") + Instruments() + Drums());
    }
}

TEST_F(ExportTest, ReplacesALongerFileWhole)
{
    deftest::WriteBytes(m_output, std::string(100000, 'O'));
    WriteTemplate("short %MODULENAME%");
    ASSERT_EQ(Export(), std::vector<std::string>{Written()});
    EXPECT_EQ(ReadBytes(m_output), "short My Module");
}

TEST_F(ExportTest, WritesOverItsOwnTemplate)
{
    WriteTemplate("<M N=\"%MODULENAME%\"/>");
    EXPECT_EQ(Export(TemplatePath()), std::vector<std::string>{Written()});
    EXPECT_EQ(ReadBytes(TemplatePath()), "<M N=\"My Module\"/>");
    EXPECT_EQ(deftest::ListDir(m_templates), std::vector<std::string>{"TiMidityGS.xml"});
}

TEST_F(ExportTest, TemplateThatCannotBeReadWritesNothing)
{
    struct Case {
        const char* what;
        void (*prepare)(const std::string& templatePath);
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}},
        {"zero bytes", [](const std::string& path) { deftest::WriteBytes(path, ""); }},
        {"a folder of that name", [](const std::string& path) { std::filesystem::create_directory(path); }},
    };
    for (const Case& c : cases) {
        for (const bool oldFile : {false, true}) {
            std::filesystem::remove_all(m_templates);
            std::filesystem::create_directory(m_templates);
            c.prepare(TemplatePath());
            std::filesystem::remove(m_output);
            if (oldFile)
                deftest::WriteBytes(m_output, "old definition");
            EXPECT_EQ(Export(), std::vector<std::string>{TemplateNotRead()}) << c.what;
            EXPECT_EQ(ReadBytes(m_output), oldFile ? std::optional<std::string>("old definition") : std::nullopt) << c.what;
            EXPECT_EQ(deftest::ListDir(m_outDir).size(), oldFile ? 1u : 0u) << c.what;
        }
    }
}

TEST_F(ExportTest, PlayerKindWithoutTemplateDoesNothing)
{
    WriteTemplate("%MODULENAME%");
    for (const int player : {-1, 3, 1000}) {
        m_settings.m_nPlayer = player;
        EXPECT_EQ(Export(), std::vector<std::string>{}) << player;
        EXPECT_EQ(deftest::ListDir(m_outDir), std::vector<std::string>{}) << player;
    }
}

TEST_F(ExportTest, TemplatesBesideTheRunningProgram)
{
    // The build copies the templates beside every program; compare with the sources they came from.
    const CString programFolder = PathRemoveFileSpec(GetModuleFilePath());
    for (const int player : {kPlayerTiMidityGS, kPlayerTiMidityXG, kPlayerSfz}) {
        m_settings.m_nPlayer = player;
        const sftest::RecordingSink sink;
        ExportDefinition(m_settings, *m_bank, CString(m_output));
        ASSERT_EQ(deftest::Describe(sink), std::vector<std::string>{Written()}) << "templates in " << programFolder.Str();
        const std::optional<std::string> source =
            ReadBytes(std::string(QUINTARO_SOURCE_DIR) + "/res/" + TemplateFileName(player));
        ASSERT_TRUE(source);
        std::string expected = *source;
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"%MODULENAME%", "My Module"},
                                       {"%INSTRUMENTLIST%", Instruments()},
                                       {"%DRUMSETLIST%", Drums()}}) {
            const std::size_t at = expected.find(from);
            ASSERT_NE(at, std::string::npos) << TemplateFileName(player) << " lacks " << from;
            expected.replace(at, from.size(), to);
        }
        EXPECT_EQ(ReadBytes(m_output), expected) << TemplateFileName(player);
    }
}

} // namespace
