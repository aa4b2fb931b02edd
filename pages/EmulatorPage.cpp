#include "EmulatorPage.h"

#include "app/LauncherApp.h"
#include "framework/File.h"
#include "res/resource.h"

// Every detected type except these two is taken for the Win32 build, even one
// the detection could not name.
static BOOL IsWin32Build(const CString& strEmulatorType)
{
    return strEmulatorType != CLauncherApp::TEXT_DOS_BUILD && strEmulatorType != CLauncherApp::TEXT_NOT_FOUND;
}

static LPCSTR BuildMarker(const CString& strEmulatorType)
{
    return IsWin32Build(strEmulatorType) ? CLauncherApp::TYPE_WIN32 : CLauncherApp::TYPE_DOS;
}

BEGIN_MESSAGE_MAP(CEmulatorPage, CSettingsPage)
    ON_MESSAGE(WM_SLIDERCHANGE, OnSliderMoved)
    ON_BN_CLICKED(IDC_EMULATOR_BROWSE, OnBrowseEmulator)
    ON_EN_KILLFOCUS(IDC_EMULATOR_PATH, OnKillfocusEmulatorPath)
END_MESSAGE_MAP()

CEmulatorPage::CEmulatorPage() : CSettingsPage(IDD_EMULATOR_PAGE)
{
}

UINT CEmulatorPage::GetTemplateID()
{
    return IDD_EMULATOR_PAGE;
}

void CEmulatorPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EMULATOR_PRIORITY, m_sliderPriority);
    DDX_Control(pDX, IDC_EMULATOR_SPEED, m_sliderSpeed);
    DDX_Text(pDX, IDC_EMULATOR_PATH, m_strEmulatorPath);
    DDX_Text(pDX, IDC_EMULATOR_TYPE, m_strEmulatorType);
    DDX_Text(pDX, IDC_EMULATOR_SPEED_VALUE, m_strSpeed);
    DDX_Text(pDX, IDC_EMULATOR_PRIORITY_VALUE, m_strPriority);
}

BOOL CEmulatorPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    CMapStringToString& mapOptions = App().m_mapOptions;
    m_sliderSpeed.SetRange(1, 50);
    m_sliderSpeed.SetPos(7);
    m_sliderSpeed.SetNotifyID(SLIDER_SPEED);
    mapOptions["CpuSpeed"] = "-w 7";
    m_sliderPriority.SetRange(1, 256);
    m_sliderPriority.SetPos(64);
    m_sliderPriority.SetNotifyID(SLIDER_PRIORITY);
    mapOptions["CpuPriority"] = "-P 64";

    UpdateData(FALSE);
    OnSliderMoved(SLIDER_SPEED, 0);
    OnSliderMoved(SLIDER_PRIORITY, 0);
    return TRUE;
}

LRESULT CEmulatorPage::OnSliderMoved(WPARAM wParam, LPARAM)
{
    UpdateData(TRUE);
    switch ((short)wParam)
    {
    case SLIDER_SPEED:
        m_strSpeed.Format("%d", m_sliderSpeed.GetPos());
        break;
    case SLIDER_PRIORITY:
        m_strPriority.Format("%d", m_sliderPriority.GetPos());
        break;
    }
    UpdateData(FALSE);
    return 0;
}

void CEmulatorPage::LoadFromProfile()
{
    CLauncherApp& app = App();
    m_strEmulatorPath = app.ReadConfigValue("EmulatorPath");
    m_strEmulatorType = app.GetEmulatorType(m_strEmulatorPath);
    app.m_mapOptions["EmulatorType"] = BuildMarker(m_strEmulatorType);
    EnableSliders();

    m_sliderSpeed.SetPos(FragmentNumber(app.ReadConfigValue("CpuSpeed")));
    m_sliderPriority.SetPos(FragmentNumber(app.ReadConfigValue("CpuPriority")));

    UpdateData(FALSE);
    OnSliderMoved(SLIDER_SPEED, 0);
    OnSliderMoved(SLIDER_PRIORITY, 0);
}

void CEmulatorPage::SaveToProfile()
{
    CLauncherApp& app = App();
    app.WriteConfigValue("EmulatorPath");
    app.WriteConfigValue("EmulatorType");
    app.WriteConfigValue("CpuSpeed");
    app.WriteConfigValue("CpuPriority");
}

void CEmulatorPage::UpdateOptions()
{
    UpdateData(TRUE);
    CString strSpeed, strPriority;
    BuildFragments(strSpeed, strPriority);

    // The marker follows the last detection; leaving the edit or Browse detects
    // again, collecting the options does not.
    CMapStringToString& mapOptions = App().m_mapOptions;
    mapOptions["EmulatorPath"] = m_strEmulatorPath;
    mapOptions["EmulatorType"] = BuildMarker(m_strEmulatorType);
    mapOptions["CpuSpeed"] = strSpeed;
    mapOptions["CpuPriority"] = strPriority;
}

BOOL CEmulatorPage::IsModified()
{
    UpdateData(TRUE);
    CString strSpeed, strPriority;
    BuildFragments(strSpeed, strPriority);

    return OptionValue("EmulatorPath") != m_strEmulatorPath
        || OptionValue("CpuSpeed") != strSpeed
        || OptionValue("CpuPriority") != strPriority;
}

void CEmulatorPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    // The DOS build takes no CPU options.
    if (OptionValue("EmulatorType") != CLauncherApp::TYPE_WIN32)
        return;
    AppendOption(strLine, pszSeparator, "CpuSpeed");
    AppendOption(strLine, pszSeparator, "CpuPriority");
}

void CEmulatorPage::OnBrowseEmulator()
{
    CFileDialog dlg(TRUE, "exe", "zot.exe", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Executables (*.exe)|*.exe|");
    CString strInitialDir = CLauncherApp::FolderOf(m_strEmulatorPath);
    if (!strInitialDir.IsEmpty())
        dlg.m_ofn.lpstrInitialDir = strInitialDir;

    if (dlg.DoModal() != IDOK)
        return;
    m_strEmulatorPath = dlg.GetPathName();
    m_strEmulatorType = App().GetEmulatorType(m_strEmulatorPath);
    EnableSliders();
    UpdateData(FALSE);
}

void CEmulatorPage::OnKillfocusEmulatorPath()
{
    // Detected on every exit from the edit: the file may have changed on disk.
    UpdateData(TRUE);
    m_strEmulatorType = App().GetEmulatorType(m_strEmulatorPath);
    EnableSliders();
    UpdateData(FALSE);
}

void CEmulatorPage::EnableSliders()
{
    BOOL bEnable = IsWin32Build(m_strEmulatorType);
    m_sliderPriority.EnableWindow(bEnable);
    m_sliderSpeed.EnableWindow(bEnable);
}

void CEmulatorPage::BuildFragments(CString& strSpeed, CString& strPriority) const
{
    strSpeed.Format("-w %d", m_sliderSpeed.GetPos());
    strPriority.Format("-P %d", m_sliderPriority.GetPos());
}
