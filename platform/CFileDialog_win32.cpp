#include "platform/CFileDialog_win32.h"

#include "platform/CWinApp_win32.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

FileDialogHook g_hook;

// Room for paths far beyond MAX_PATH: the dialogs return what the user picked, however deep.
constexpr std::size_t kPathBufferSize = 32768;

} // namespace

std::string FilterToNulSeparated(const CString& filter)
{
    std::string result(filter.GetString(), filter.GetLength());
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (IsAnsiLeadByte(static_cast<unsigned char>(result[i])) && i + 1 < result.size())
            ++i;
        else if (result[i] == '|')
            result[i] = '\0';
    }
    // Closed by an empty string even when the caller left out the final bars.
    result.append(2, '\0');
    return result;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    FileDialogHook previous = std::move(g_hook);
    g_hook = std::move(hook);
    return previous;
}

CFileDialog::CFileDialog(bool bOpenFileDialog, const char* pszDefExt, const char* pszFileName, DWORD dwFlags,
                         const char* pszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(pszDefExt), m_strFileName(pszFileName), m_dwFlags(dwFlags),
      m_strFilter(pszFilter), m_pParentWnd(pParentWnd)
{
}

INT_PTR CFileDialog::DoModal()
{
    if (g_hook) {
        FileDialogAnswer answer = g_hook(*this);
        if (answer.nResult == IDOK)
            m_strPathName = answer.strPathName;
        return answer.nResult;
    }

    const std::string filter = FilterToNulSeparated(m_strFilter);
    std::vector<char> file(kPathBufferSize, '\0');
    std::memcpy(file.data(), m_strFileName.GetString(), std::min(m_strFileName.GetLength(), file.size() - 1));

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = CWnd::GetSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    if (ofn.hwndOwner && !::IsWindow(ofn.hwndOwner))
        ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    ofn.Flags = m_dwFlags | OFN_EXPLORER;

    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!chosen)
        return IDCANCEL;
    m_strPathName = CString(file.data());
    return IDOK;
}
