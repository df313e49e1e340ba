#include "ui/CConverterDlg.h"

#include "app/CAboutDlg.h"
#include "definition/ExportDefinition.h"
#include "definition/ValidateSettings.h"
#include "platform/CFileDialog_win32.h"
#include "platform/CPaintDC_win32.h"
#include "platform/CWinApp_win32.h"
#include "platform/CodePage.h"
#include "platform/DataExchange_win32.h"
#include "platform/MessageBox.h"
#include "platform/Path.h"
#include "res/resource.h"

#include <string>

namespace {

// The system command that opens the About box; the lowest four bits are the system's own.
constexpr UINT kAboutBoxCommand = 0x0010;

// Releases a drop handle on every way out.
class CDropHandle {
public:
    explicit CDropHandle(HDROP hDrop) : m_hDrop(hDrop) {}
    ~CDropHandle() { ::DragFinish(m_hDrop); }
    CDropHandle(const CDropHandle&) = delete;
    CDropHandle& operator=(const CDropHandle&) = delete;

    // The path of the file at `index`, at the length the drop reports.
    CString GetPath(UINT index) const
    {
        const UINT length = ::DragQueryFileA(m_hDrop, index, nullptr, 0);
        std::string buffer(length + 1, '\0');
        const UINT copied = ::DragQueryFileA(m_hDrop, index, buffer.data(), length + 1);
        buffer.resize(copied);
        return CString(std::move(buffer));
    }

private:
    HDROP m_hDrop;
};

} // namespace

CConverterDlg::CConverterDlg(CWnd* pParent)
    : CDialog(IDD_CONVERTER_DIALOG, pParent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

CConverterDlg::~CConverterDlg() = default;

const MessageMap& CConverterDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        {WM_SYSCOMMAND,    0,           0,          Handler<&CConverterDlg::OnSysCommand>},
        {WM_PAINT,         0,           0,          Handler<&CConverterDlg::OnPaint>},
        {WM_QUERYDRAGICON, 0,           0,          Handler<&CConverterDlg::OnQueryDragIcon>},
        {WM_DROPFILES,     0,           0,          Handler<&CConverterDlg::OnDropFiles>},
        {WM_COMMAND,       IDC_BROWSE,  BN_CLICKED, Handler<&CConverterDlg::OnBrowse>},
        {WM_COMMAND,       IDC_EXPORT,  BN_CLICKED, Handler<&CConverterDlg::OnExport>},
    };
    static const MessageMap map = MakeHandlerTable(entries);
    return map;
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PLAYER_TIMIDITY_GS, m_nPlayer);
    DDX_Text(pDX, IDC_MAP_NAME, m_strMapName);
    DDX_Text(pDX, IDC_MODULE_NAME, m_strModuleName);
    DDX_CBIndex(pDX, IDC_TONE_MAP_MODE, m_nToneMapMode);
    DDX_CBIndex(pDX, IDC_DRUM_MAP_MODE, m_nDrumMapMode);
}

ConversionSettings CConverterDlg::GetSettings() const
{
    ConversionSettings settings;
    settings.m_nPlayer = m_nPlayer;
    settings.m_strMapName = m_strMapName;
    settings.m_strModuleName = m_strModuleName;
    settings.m_nToneMapMode = m_nToneMapMode;
    settings.m_nDrumMapMode = m_nDrumMapMode;
    return settings;
}

BOOL CConverterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (const HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::DeleteMenu(hSysMenu, SC_MAXIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(hSysMenu, SC_SIZE, MF_BYCOMMAND);
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    UpdateControlStates();
    return TRUE;
}

void CConverterDlg::UpdateControlStates()
{
    const BOOL enable = m_pSoundFont != nullptr;
    for (HWND hCtrl = GetDlgItem(IDC_STEP2_TEXT); hCtrl; hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT))
        ::EnableWindow(hCtrl, enable);
}

void CConverterDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == kAboutBoxCommand) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CConverterDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}

HCURSOR CConverterDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CConverterDlg::OnDropFiles(HDROP hDropInfo)
{
    CString path;
    {
        const CDropHandle drop(hDropInfo);
        path = drop.GetPath(0);
    }
    LoadSoundFont(path);
}

void CConverterDlg::OnBrowse()
{
    CFileDialog dlg(true, "sf2", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Soundfont(*.sf2)|*.sf2||");
    if (dlg.DoModal() == IDOK)
        LoadSoundFont(dlg.GetPathName());
}

void CConverterDlg::LoadSoundFont(CString path)
{
    auto pSoundFont = std::make_unique<CSoundFont>();
    if (pSoundFont->Load(path)) {
        m_pSoundFont.reset();
        m_pSoundFont = std::move(pSoundFont);
        SetDlgItemText(IDC_SOUNDFONT_PATH, path);
        // The player and groupings on screen must survive the copy back below.
        UpdateData(true);
        m_strModuleName = m_pSoundFont->GetName();
        m_strMapName = m_pSoundFont->GetName();
        UpdateData(false);
    }
    UpdateControlStates();
}

void CConverterDlg::OnExport()
{
    // The button is disabled without a bank, but a message can still name it.
    if (!m_pSoundFont)
        return;

    UpdateData(true);
    if (!ValidateSettings(GetSettings()))
        return;

    // The bank's own path with ".xml" for its last extension: same folder, same base name. Only
    // the last extension goes, so "bank.old.sf2" gives "bank.old.xml"; adding ".xml" only to a
    // name without extension would leave "bank.old" as it is.
    const CString proposed = PathRemoveExtension(GetDlgItemText(IDC_SOUNDFONT_PATH)) + ".xml";
    CFileDialog dlg(false, "xml", proposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    FixedText(u8"Zelmor用音源定義ファイル(*.xml)|*.xml||"));
    if (dlg.DoModal() != IDOK)
        return;
    ExportDefinition(GetSettings(), *m_pSoundFont, dlg.GetPathName());
}
