#include "JoystickPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

static LPCSTR const s_pszKey = "Joystick";

CJoystickPage::CJoystickPage() : CSettingsPage(IDD_JOYSTICK_PAGE), m_bJoystick(0)
{
}

void CJoystickPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_JOYSTICK_EMULATION, m_bJoystick);
}

BOOL CJoystickPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    App().m_mapOptions[s_pszKey] = "";
    return TRUE;
}

UINT CJoystickPage::GetTemplateID()
{
    return IDD_JOYSTICK_PAGE;
}

CString CJoystickPage::GetPageName()
{
    return "Joystick";
}

void CJoystickPage::LoadFromProfile()
{
    // Whatever is stored switches emulation on; only an absent or empty value leaves it off.
    m_bJoystick = App().ReadConfigValue(s_pszKey).IsEmpty() ? 0 : 1;
    UpdateData(FALSE);
}

void CJoystickPage::SaveToProfile()
{
    App().WriteConfigValue(s_pszKey);
}

void CJoystickPage::UpdateOptions()
{
    App().m_mapOptions[s_pszKey] = BuildFragment();
}

BOOL CJoystickPage::IsModified()
{
    return BuildFragment() != OptionValue(s_pszKey);
}

void CJoystickPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    AppendOption(strLine, pszSeparator, s_pszKey);
}

CString CJoystickPage::BuildFragment()
{
    UpdateData(TRUE);
    return m_bJoystick ? "-J" : "";
}
