#include "InfoPage.h"

#include "app/LauncherApp.h"
#include "framework/File.h"
#include "res/resource.h"

// The profile reads the path into a buffer of this size.
static const int DOS_EMULATOR_PATH_MAX = 255;

// The style list switches windows when a choice is made, not on every entry
// it passes: its entries can be browsed with the arrow keys or the open list.
BEGIN_MESSAGE_MAP(CInfoPage, CSettingsPage)
    ON_CBN_SELENDOK(IDC_INFO_STYLE, OnSelendokStyle)
    ON_CBN_CLOSEUP(IDC_INFO_STYLE, OnCloseupStyle)
    ON_CBN_KILLFOCUS(IDC_INFO_STYLE, OnKillfocusStyle)
    ON_BN_CLICKED(IDC_INFO_BROWSE, OnBrowse)
    ON_EN_KILLFOCUS(IDC_INFO_DOS_EMULATOR_PATH, OnKillfocusDosEmulatorPath)
END_MESSAGE_MAP()

CInfoPage::CInfoPage() : CSettingsPage(IDD_INFO_PAGE)
{
}

UINT CInfoPage::GetTemplateID()
{
    return IDD_INFO_PAGE;
}

void CInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INFO_STYLE, m_comboStyle);
    DDX_Control(pDX, IDC_INFO_DOS_EMULATOR_PATH, m_editDosEmulatorPath);
    DDX_Text(pDX, IDC_INFO_DOS_EMULATOR_PATH, m_strDosEmulatorPath);
}

BOOL CInfoPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    CLauncherApp& app = App();

    // The style of the window that is open, whether the profile or the
    // command line chose it
    int nStyle = app.m_nLauncherStyle;
    m_comboStyle.SetCurSel(nStyle >= 1 && nStyle <= m_comboStyle.GetCount() ? nStyle - 1 : -1);

    m_strDosEmulatorPath = app.ReadProfileString("ConfigList", "DosEmulatorPath", "", DOS_EMULATOR_PATH_MAX + 1);
    // A longer path would not read back whole.
    m_editDosEmulatorPath.LimitText(DOS_EMULATOR_PATH_MAX);
    UpdateData(FALSE);
    m_nStyleInUse = m_comboStyle.GetCurSel();
    return TRUE;
}

BOOL CInfoPage::PreTranslateMessage(MSG* pMsg)
{
    // Enter on the open list closes it with a choice. On the closed list it
    // takes the entry shown, and never launches the emulator: Wine closes the
    // open list as soon as a letter picks an entry, and the Enter that follows
    // meets a closed list even when the entry is the style in use.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_comboStyle
        && !m_comboStyle.GetDroppedState())
    {
        ChooseStyle();
        return TRUE;
    }
    return FALSE;
}

// The closed list reports the arrow keys' moves as well, under some systems
// with this very notification; only the open list is closing with a choice.
void CInfoPage::OnSelendokStyle()
{
    m_bStyleChosen = m_comboStyle.GetDroppedState();
}

void CInfoPage::OnCloseupStyle()
{
    BOOL bChosen = m_bStyleChosen;
    m_bStyleChosen = FALSE;
    if (bChosen)
        ChooseStyle();
    else
        m_comboStyle.SetCurSel(m_nStyleInUse);
}

// An entry only browsed to is not the style in use: the list shows that again.
void CInfoPage::OnKillfocusStyle()
{
    m_comboStyle.SetCurSel(m_nStyleInUse);
}

void CInfoPage::ChooseStyle()
{
    int nSel = m_comboStyle.GetCurSel();
    if (nSel < 0 || nSel == m_nStyleInUse)
        return;
    CLauncherApp& app = App();
    // The window of the new style loads the configuration from the profile
    // again: what the pages show and nobody saved would be lost. The list
    // keeps showing the choice while the question is open.
    int nInUse = m_nStyleInUse;
    m_nStyleInUse = nSel;
    if (!app.OfferToSave(*this))
    {
        m_nStyleInUse = nInUse;
        m_comboStyle.SetCurSel(nInUse);
        return;
    }
    CString strStyle;
    strStyle.Format("%d", nSel + 1);
    app.WriteProfileString("ConfigList", "BrimloStyle", strStyle);

    CDialog* pLauncher = app.m_pLauncher;
    if (pLauncher && pLauncher->m_hWnd)
        pLauncher->EndDialog(CLauncherApp::STYLE_CHANGED);
}

void CInfoPage::OnBrowse()
{
    UpdateData(TRUE);
    CFileDialog dlg(TRUE, "exe", "zot.exe", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Executables (*.exe)|*.exe");
    CString strInitialDir = CLauncherApp::FolderOf(m_strDosEmulatorPath);
    if (!strInitialDir.IsEmpty())
        dlg.m_ofn.lpstrInitialDir = strInitialDir;

    if (dlg.DoModal() != IDOK)
        return;
    StoreDosEmulatorPath(dlg.GetPathName());
    UpdateData(FALSE);
}

void CInfoPage::OnKillfocusDosEmulatorPath()
{
    // The focus passing through is no change: only a path the user typed is
    // checked and stored.
    if (!m_editDosEmulatorPath.GetModify())
        return;
    m_editDosEmulatorPath.SetModify(FALSE);
    // The edit keeps the text as typed; the short form shows at the next refresh.
    UpdateData(TRUE);
    StoreDosEmulatorPath(m_strDosEmulatorPath);
}

void CInfoPage::StoreDosEmulatorPath(const CString& strPath)
{
    CLauncherApp& app = App();
    // The short form leaves out what does not exist: a path typed before the
    // file is there would be stored as its folder.
    m_strDosEmulatorPath = ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES ? app.GetShortPath(strPath, TRUE)
                                                                                     : strPath;
    // No path is no mistake: the DOS build is not needed until one is chosen.
    if (!m_strDosEmulatorPath.IsEmpty() && app.GetEmulatorType(m_strDosEmulatorPath) != CLauncherApp::TEXT_DOS_BUILD)
        MessageBox("This is not a DOS version of the emulator!", "WARNING", MB_OK | MB_ICONEXCLAMATION);
    app.WriteProfileString("ConfigList", "DosEmulatorPath", m_strDosEmulatorPath);
}
