// A scratch folder with templates and an output folder, the bank of the worked example, and an
// export that returns what the user was shown.
#pragma once

#include "definition/ExportDefinition.h"
#include "definition/MapListBuilder.h"
#include "platform/WaitCursor.h"
#include "tests/definition/TestBanks.h"
#include "tests/definition/TestFiles.h"
#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace deftest {

inline const std::string kTemplateMessage = u8"デフォルトxmlファイルの読み込みに失敗しました。";
inline const std::string kOutputMessage = u8"保存先のファイルを開けませんでした。";
inline const std::string kWrittenMessage = u8"書き出しました。";

// A message as the tests compare it: its text and type, marked when the wait cursor was not up.
inline std::string Shown(const std::string& text, unsigned type)
{
    return text + " [type " + std::to_string(type) + "]";
}
inline std::string Written() { return Shown(kWrittenMessage, MB_ICONINFORMATION); }
inline std::string NotOpened() { return Shown(kOutputMessage, MB_OK); }
inline std::string TemplateNotRead() { return Shown(kTemplateMessage, MB_OK); }

// Every message of an export, and a last entry should the export leave its wait cursor up.
inline std::vector<std::string> Describe(const sftest::RecordingSink& sink)
{
    std::vector<std::string> shown;
    for (const sftest::RecordedMessage& m : sink.messages)
        shown.push_back(Shown(m.text, m.type) + (m.waitCursorUp ? "" : " (without the wait cursor)"));
    if (CWaitCursor::ActiveCount() != 0)
        shown.push_back("the wait cursor is still up");
    return shown;
}

inline std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ExportTest : public ::testing::Test {
protected:
    ExportTest()
    {
        std::filesystem::create_directory(m_templates);
        std::filesystem::create_directory(m_outDir);
        m_settings.m_nPlayer = kPlayerTiMidityGS;
        m_settings.m_strModuleName = "My Module";
        m_settings.m_strMapName = "My Map";
    }

    std::string TemplatePath(int player = kPlayerTiMidityGS) const { return m_dir / ("templates/" + std::string(TemplateFileName(player))); }
    void WriteTemplate(const std::string& bytes, int player = kPlayerTiMidityGS) const
    {
        WriteBytes(TemplatePath(player), bytes);
    }

    std::vector<std::string> Export(const std::string& output) const
    {
        const sftest::RecordingSink sink;
        ExportDefinition(m_settings, *m_bank, CString(output), CString(m_templates));
        return Describe(sink);
    }
    std::vector<std::string> Export() const { return Export(m_output); }

    std::string Instruments() const { return CMapListBuilder(*m_bank, m_settings).BuildMapList(m_settings.m_nToneMapMode, false).Str(); }
    std::string Drums() const { return CMapListBuilder(*m_bank, m_settings).BuildMapList(m_settings.m_nDrumMapMode, true).Str(); }

    TempDir m_dir;
    std::string m_templates = m_dir / "templates";
    std::string m_outDir = m_dir / "out";
    std::string m_output = m_dir / "out/definition.xml";
    std::unique_ptr<CSoundFont> m_bank = WorkedExampleBank();
    ConversionSettings m_settings;
};

} // namespace deftest
