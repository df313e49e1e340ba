// The converter window: the one dialog through which the user loads a bank (by the open-file
// dialog or by dropping it), chooses the player, the names and the groupings, and exports. It owns
// the loaded bank; the settings controls and the export button are enabled only while one is
// loaded, and once one has loaded the window never goes back to having none.
#pragma once

#include "definition/ConversionSettings.h"
#include "platform/CDialog_win32.h"
#include "platform/CString.h"
#include "soundfont/CSoundFont.h"

#include <memory>

#include <windows.h>

#include <shellapi.h>

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* pParent = nullptr);
    ~CConverterDlg() override;

    // Loads the bank at `path`; on success it replaces the current one, shows the path and takes
    // the bank's name for both names. A failure changes nothing (Load has said why).
    void LoadSoundFont(CString path);

    const CSoundFont* GetSoundFont() const { return m_pSoundFont.get(); }
    // The five members that a conversion needs besides the bank.
    ConversionSettings GetSettings() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap& GetMessageMap() const override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDropFiles(HDROP hDropInfo);
    void OnBrowse();
    void OnExport();

    // Enables the controls from the step ② text on exactly while a bank is loaded.
    void UpdateControlStates();

private:
    std::unique_ptr<CSoundFont> m_pSoundFont;

public:
    // Exchanged with the controls (DoDataExchange); read by the export.
    int m_nPlayer = kPlayerTiMidityGS; // index of the checked player button, -1 for none
    CString m_strMapName;
    CString m_strModuleName;
    int m_nToneMapMode = kMapGroupingOne; // selection of the instrument-list grouping, -1 for none
    int m_nDrumMapMode = kMapGroupingOne;

protected:
    HICON m_hIcon;
};
