#include "platform/Exceptions.h"

#include "platform/CodePage.h"

namespace {

const char* CauseSentence(CFileException::Cause cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return u8"%s が見つかりません。";
    case CFileException::badPath: return u8"%s のパスの全部または一部が正しくありません。";
    case CFileException::tooManyOpenFiles: return u8"開いているファイルが多すぎるため、%s を開けません。";
    case CFileException::accessDenied: return u8"%s へのアクセスが拒否されました。";
    case CFileException::invalidFile: return u8"%s に無効なハンドルが使われました。";
    case CFileException::removeCurrentDir: return u8"%s は現在のディレクトリのため削除できません。";
    case CFileException::directoryFull: return u8"ディレクトリがいっぱいのため、%s を作成できません。";
    case CFileException::badSeek: return u8"%s の読み書き位置を移動できませんでした。";
    case CFileException::hardIO: return u8"%s へのアクセス中にハードウェア入出力エラーが発生しました。";
    case CFileException::sharingViolation: return u8"%s は他のプログラムが使用中です。";
    case CFileException::lockViolation: return u8"%s のロックされた領域にアクセスしようとしました。";
    case CFileException::diskFull: return u8"ディスクがいっぱいのため、%s に書き込めません。";
    case CFileException::endOfFile: return u8"%s の終わりを越えてアクセスしようとしました。";
    case CFileException::none:
    case CFileException::genericException: break;
    }
    return u8"%s へのアクセス中に予期しないエラーが発生しました。";
}

} // namespace

CString CFileException::GetErrorMessage() const
{
    const CString sentence = FixedText(CauseSentence(m_cause));
    const CString name = m_strFileName.IsEmpty() ? FixedText(u8"ファイル") : m_strFileName;
    CString text;
    // The sentence is ours; the name is inserted as bytes, never as a format.
    const std::size_t at = sentence.View().find("%s");
    text.Append(sentence.GetString(), at);
    text += name;
    text.Append(sentence.GetString() + at + 2, sentence.GetLength() - at - 2);
    return text;
}

void CFileException::ThrowOsError(long osError, const CString& fileName)
{
    throw CFileException(OsErrorToCause(osError), osError, fileName);
}

void ReportOutOfMemory()
{
    AfxMessageBox(FixedText(u8"メモリが不足しています。"), MB_OK);
}
