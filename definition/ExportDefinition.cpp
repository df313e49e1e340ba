#include "definition/ExportDefinition.h"

#include "definition/MapListBuilder.h"
#include "definition/XmlText.h"
#include "platform/CFile.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/Path.h"
#include "platform/WaitCursor.h"

namespace {

// The template's whole content, byte for byte; empty when it could not be read.
CString ReadTemplate(const CString& path)
{
    CString text;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return text;
    const bool read = ReportPlatformExceptions([&] {
        const std::uint64_t length = file.GetLength();
        if (length > SIZE_MAX)
            throw std::bad_alloc();
        char* buffer = text.GetBufferSetLength(static_cast<std::size_t>(length));
        text.ReleaseBuffer(file.Read(buffer, text.GetLength()));
    });
    if (!read)
        text.Empty();
    return text;
}

// A file beside `target` that nobody else uses, created empty and held open for writing. Its
// name is short, so that a target whose name is as long as the file system allows still gets one.
bool CreateTemporaryBeside(const CString& target, CFile& file, CString& path)
{
    const CString folder = PathRemoveFileSpec(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        CString name;
        name.Format("~quintaro-%d.tmp", attempt);
        const CString candidate = PathCombine(folder, name);
        CFileException error(CFileException::none, 0, candidate);
        if (file.Open(candidate, CFile::modeCreateNew | CFile::modeWrite | CFile::shareExclusive, &error)) {
            path = candidate;
            return true;
        }
        if (error.m_cause != CFileException::accessDenied)
            return false;
    }
    return false;
}

void RemoveQuietly(const CString& path)
{
    try {
        CFile::Remove(path);
    } catch (const CFileException&) {
        // Nothing more can be done about a leftover temporary file.
    }
}

// Writes `text` to `outputPath` so that the file that stood there is replaced only by the
// whole result: a failed write leaves it as it was.
void WriteOutput(const CString& outputPath, const CString& text)
{
    const auto refuse = [] { AfxMessageBox(FixedText(u8"保存先のファイルを開けませんでした。"), MB_OK); };

    // Holding the target keeps other programs out of it while the result is written, and shows
    // at once whether it can be written at all.
    CFile target;
    CFileException targetError(CFileException::none, 0, outputPath);
    if (!target.Open(outputPath, CFile::modeWrite | CFile::modeNoTruncate | CFile::shareExclusive, &targetError) &&
        targetError.m_cause != CFileException::fileNotFound) {
        refuse();
        return;
    }
    CFile temporary;
    CString temporaryPath;
    if (!CreateTemporaryBeside(outputPath, temporary, temporaryPath)) {
        refuse();
        return;
    }
    const bool written = ReportPlatformExceptions([&] {
        try {
            temporary.Write(text.GetString(), text.GetLength());
            temporary.Close();
            target.Close();
            CFile::ReplaceWith(temporaryPath, outputPath);
        } catch (CFileException& e) {
            // The user knows nothing of the temporary file: the report names the file they chose.
            e.m_strFileName = outputPath;
            throw;
        }
    });
    if (!written) {
        temporary.Abort();
        RemoveQuietly(temporaryPath);
        return;
    }
    AfxMessageBox(FixedText(u8"書き出しました。"), MB_ICONINFORMATION);
}

} // namespace

const char* TemplateFileName(int player)
{
    switch (player) {
    case kPlayerTiMidityGS: return "TiMidityGS.xml";
    case kPlayerTiMidityXG: return "TiMidityXG.xml";
    case kPlayerSfz: return "sfz.xml";
    default: return nullptr;
    }
}

void ExportDefinition(const ConversionSettings& settings, const CSoundFont& bank, const CString& outputPath)
{
    ExportDefinition(settings, bank, outputPath, PathRemoveFileSpec(GetModuleFilePath()));
}

void ExportDefinition(const ConversionSettings& settings, const CSoundFont& bank, const CString& outputPath,
                      const CString& templateDir)
{
    const CWaitCursor wait;
    const char* templateName = TemplateFileName(settings.m_nPlayer);
    if (!templateName)
        return;
    const CMapListBuilder builder(bank, settings);
    const CString instrumentList = builder.BuildMapList(settings.m_nToneMapMode, false);
    const CString drumSetList = builder.BuildMapList(settings.m_nDrumMapMode, true);

    CString text = ReadTemplate(PathCombine(templateDir, templateName));
    if (text.IsEmpty()) {
        AfxMessageBox(FixedText(u8"デフォルトxmlファイルの読み込みに失敗しました。"), MB_OK);
        return;
    }
    // Each pass scans what the earlier ones inserted, but never its own insertions.
    text.Replace("%MODULENAME%", EscapeXml(settings.m_strModuleName).View());
    text.Replace("%INSTRUMENTLIST%", instrumentList.View());
    text.Replace("%DRUMSETLIST%", drumSetList.View());

    WriteOutput(outputPath, text);
}
