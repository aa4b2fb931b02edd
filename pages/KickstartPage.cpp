#include "KickstartPage.h"

#include "app/FileScan.h"
#include "app/LauncherApp.h"
#include "res/resource.h"

// The texts that tell the releases apart, tried in this order at each offset,
// and the release each one stands for
static const LPCSTR s_pszVersionMarkers[] = { "release 1.2", "2.0 Roms", "3.00 ROM" };
static const LPCSTR s_pszVersions[] = { "1.x", "2.x", "3.x" };

BEGIN_MESSAGE_MAP(CKickstartPage, CSettingsPage)
    ON_BN_CLICKED(IDC_KICKSTART_BROWSE, OnBrowseKickstart)
    ON_EN_KILLFOCUS(IDC_KICKSTART_PATH, OnKillfocusKickstartPath)
END_MESSAGE_MAP()

CKickstartPage::CKickstartPage() : CSettingsPage(IDD_KICKSTART_PAGE)
{
}

UINT CKickstartPage::GetTemplateID()
{
    return IDD_KICKSTART_PAGE;
}

void CKickstartPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_KICKSTART_PATH, m_strKickstartPath);
    DDX_Text(pDX, IDC_KICKSTART_VERSION, m_strKickstartVersion);
}

BOOL CKickstartPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    App().m_mapOptions["KickstartPath"] = "";
    return TRUE;
}

void CKickstartPage::LoadFromProfile()
{
    CLauncherApp& app = App();
    m_strKickstartPath = FragmentValue(app.ReadConfigValue("KickstartPath"));
    // The profile drops the blank of an empty path's "-r "; the map keeps the
    // fragment as the controls would build it.
    app.m_mapOptions["KickstartPath"] = BuildFragment(m_strKickstartPath);
    DetectKickstartVersion(m_strKickstartPath);
    UpdateData(FALSE);
}

void CKickstartPage::SaveToProfile()
{
    App().WriteConfigValue("KickstartPath");
}

void CKickstartPage::UpdateOptions()
{
    UpdateData(TRUE);
    CLauncherApp& app = App();
    app.m_mapOptions["KickstartPath"] = BuildFragment(m_strKickstartPath);
    app.m_mapOptions["KickstartPathDOS"] = BuildFragment(app.GetShortPath(m_strKickstartPath, TRUE));
}

BOOL CKickstartPage::IsModified()
{
    UpdateData(TRUE);
    return OptionValue("KickstartPath") != BuildFragment(m_strKickstartPath);
}

void CKickstartPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    AppendOption(strLine, pszSeparator, "KickstartPathDOS");
}

void CKickstartPage::DetectKickstartVersion(const CString& strPath)
{
    // Shared reading: a ROM that the running emulator holds open is still there.
    CMarkerScan scan;
    if (!scan.Open(strPath, CFile::shareDenyNone))
    {
        m_strKickstartVersion = CLauncherApp::TEXT_NOT_FOUND;
        return;
    }
    int nFound = scan.Find(s_pszVersionMarkers, sizeof(s_pszVersionMarkers) / sizeof(s_pszVersionMarkers[0]));
    m_strKickstartVersion = nFound < 0 ? CLauncherApp::TEXT_UNKNOWN : s_pszVersions[nFound];
}

void CKickstartPage::OnBrowseKickstart()
{
    CFileDialog dlg(TRUE, "rom", "kick.rom", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Kickstart ROM (*.rom)|*.rom|");
    // The folder of the path as it was last taken from or put into the edit
    CString strInitialDir = CLauncherApp::FolderOf(m_strKickstartPath);
    if (!strInitialDir.IsEmpty())
        dlg.m_ofn.lpstrInitialDir = strInitialDir;

    if (dlg.DoModal() != IDOK)
        return;
    m_strKickstartPath = dlg.GetPathName();
    DetectKickstartVersion(m_strKickstartPath);
    UpdateData(FALSE);
}

void CKickstartPage::OnKillfocusKickstartPath()
{
    // Detected on every exit from the edit: the file may have changed on disk.
    UpdateData(TRUE);
    DetectKickstartVersion(m_strKickstartPath);
    UpdateData(FALSE);
}

CString CKickstartPage::BuildFragment(const CString& strPath)
{
    return "-r " + strPath;
}
