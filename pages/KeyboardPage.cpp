#include "KeyboardPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

static LPCSTR const s_pszKeys[] = { "Keyboard" };
static LPCSTR const s_pszKey = s_pszKeys[0];

CKeyboardPage::CKeyboardPage() : CKeyedPage(IDD_KEYBOARD_PAGE, s_pszKeys)
{
}

void CKeyboardPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEYBOARD_LAYOUT, m_comboLayout);
}

BOOL CKeyboardPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    // Inserted, not added: the list has the sorted style, and "US" stays first.
    m_comboLayout.InsertString(-1, "US");
    m_comboLayout.InsertString(-1, "DE");
    m_comboLayout.SelectString(-1, "US");
    App().m_mapOptions[s_pszKey] = "-L US";
    return TRUE;
}

UINT CKeyboardPage::GetTemplateID()
{
    return IDD_KEYBOARD_PAGE;
}

CString CKeyboardPage::GetPageName()
{
    return "Keyboard";
}

void CKeyboardPage::LoadFromProfile()
{
    CLauncherApp& app = App();
    CString strLayout = FragmentValue(app.ReadConfigValue(s_pszKey));
    // Every layout begins with the empty text, but Wine's list finds no entry
    // for it: the first entry is the one.
    if (strLayout.IsEmpty())
        m_comboLayout.SetCurSel(0);
    else
        m_comboLayout.SelectString(-1, strLayout);
    // The map keeps the layout as stored, so a layout the list cannot show
    // exactly counts as a change until the options are collected again.
    app.m_mapOptions[s_pszKey] = "-L " + strLayout;
}

BOOL CKeyboardPage::BuildFragment(int, CString& strFragment)
{
    CString strLayout;
    m_comboLayout.GetLBText(m_comboLayout.GetCurSel(), strLayout);
    strFragment = "-L " + strLayout;
    return TRUE;
}
