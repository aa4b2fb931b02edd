#include "KickstartPage.h"

#include "app/LauncherApp.h"
#include "framework/File.h"
#include "res/resource.h"

#include <cstring>
#include <vector>

// The ROM is scanned in chunks of this size, each by itself: a marker that
// crosses two chunks is not seen.
static const UINT KICKSTART_SCAN_CHUNK = 102400;

// The texts that tell the releases apart, tried in this order at each offset
static const struct
{
    LPCSTR pszMarker;
    LPCSTR pszVersion;
} s_versionMarkers[] = {
    { "release 1.2", "1.x" },
    { "2.0 Roms", "2.x" },
    { "3.00 ROM", "3.x" },
};

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
    // Shared reading: a ROM that the running emulator holds open is still
    // there. A pipe or a device opens like a file, but a read from it can wait
    // forever.
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone) || file.GetFileType() != FILE_TYPE_DISK)
    {
        m_strKickstartVersion = "Not found";
        return;
    }

    std::vector<char> chunk(KICKSTART_SCAN_CHUNK);
    for (;;)
    {
        UINT nRead = file.Read(chunk.data(), KICKSTART_SCAN_CHUNK);
        for (UINT nPos = 0; nPos < nRead; nPos++)
            for (const auto& marker : s_versionMarkers)
            {
                UINT nLength = (UINT)strlen(marker.pszMarker);
                if (nLength <= nRead - nPos && memcmp(chunk.data() + nPos, marker.pszMarker, nLength) == 0)
                {
                    m_strKickstartVersion = marker.pszVersion;
                    return;
                }
            }
        if (nRead < KICKSTART_SCAN_CHUNK)
        {
            m_strKickstartVersion = "Unknown";
            return;
        }
    }
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
