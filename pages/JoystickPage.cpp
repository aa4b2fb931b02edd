#include "JoystickPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

static LPCSTR const s_pszKeys[] = { "Joystick" };
static LPCSTR const s_pszKey = s_pszKeys[0];

CJoystickPage::CJoystickPage() : CKeyedPage(IDD_JOYSTICK_PAGE, s_pszKeys), m_bJoystick(0)
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

BOOL CJoystickPage::BuildFragment(int, CString& strFragment)
{
    strFragment = m_bJoystick ? "-J" : "";
    return TRUE;
}
