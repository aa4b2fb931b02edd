#include "ConfigPage.h"

#include "ConfigNameDlg.h"
#include "LauncherApp.h"

// A damaged count must not keep the page reading empty entries for hours.
static const int nMaxConfigs = 2000;

static CString EntryKey(int nEntry)
{
    CString strKey;
    strKey.Format("Config#%d", nEntry);
    return strKey;
}

static CString DecimalText(int nValue)
{
    CString strValue;
    strValue.Format("%d", nValue);
    return strValue;
}

BEGIN_MESSAGE_MAP(CConfigPage, CSettingsPage)
    ON_BN_CLICKED(IDC_CONFIG_NEW, OnNew)
    ON_BN_CLICKED(IDC_CONFIG_LOAD, OnLoad)
    ON_BN_CLICKED(IDC_CONFIG_SAVE, OnSave)
    ON_BN_CLICKED(IDC_CONFIG_DELETE, OnDelete)
    ON_LBN_DBLCLK(IDC_CONFIG_LIST, OnLoad)
END_MESSAGE_MAP()

void CConfigPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CONFIG_LIST, m_listConfigs);
}

BOOL CConfigPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    CLauncherApp& app = App();
    UINT nStored = app.ReadProfileInt("ConfigList", "NumberOfConfig", 0);
    int nCount = nStored > (UINT)nMaxConfigs ? nMaxConfigs : (int)nStored;
    if (nCount >= 1)
    {
        for (int nEntry = 1; nEntry <= nCount; nEntry++)
            m_listConfigs.AddString(app.ReadProfileString("ConfigList", EntryKey(nEntry), "", 500));
        CString strCurrent = app.ReadProfileString("ConfigList", "CurrentConfigName", "", 500);
        app.m_mapOptions["CurrentConfigName"] = strCurrent;
        // Every name begins with the empty text, but the list box finds no
        // entry for it: the first entry is the one.
        if (strCurrent.IsEmpty())
            m_listConfigs.SetCurSel(0);
        else
            m_listConfigs.SelectString(-1, strCurrent);
        app.m_mapOptions["NumberOfConfig"] = DecimalText(nCount);
    }
    else
    {
        // A first start: the user names the first configuration before the
        // launcher window shows.
        app.m_mapOptions["NumberOfConfig"] = "0";
        OnNew();
    }
    return TRUE;
}

void CConfigPage::SaveToProfile()
{
    App().WriteSectionValue("ConfigList", "CurrentConfigName");
    App().WriteSectionValue("ConfigList", "NumberOfConfig");
}

void CConfigPage::UpdateOptions()
{
    if (m_hWnd)
        UpdateData(TRUE);
}

void CConfigPage::OnNew()
{
    CConfigNameDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    CLauncherApp& app = App();
    m_listConfigs.AddString(dlg.m_strName);
    m_listConfigs.SelectString(-1, dlg.m_strName);
    app.m_mapOptions["CurrentConfigName"] = dlg.m_strName;
    int nCount = TextNumber(app.m_mapOptions["NumberOfConfig"]) + 1;
    app.m_mapOptions["NumberOfConfig"] = DecimalText(nCount);
    app.WriteProfileString("ConfigList", "NumberOfConfig", DecimalText(nCount));
    app.WriteProfileString("ConfigList", EntryKey(nCount), dlg.m_strName);
    // The new configuration starts as a copy of what the pages show now.
    app.SaveConfig();
    app.LoadConfig();
}

void CConfigPage::OnLoad()
{
    int nIndex = m_listConfigs.GetCurSel();
    if (nIndex == LB_ERR)
        return;
    CLauncherApp& app = App();
    app.OfferToSave(*this);
    CString strName;
    m_listConfigs.GetText(nIndex, strName);
    app.m_mapOptions["CurrentConfigName"] = strName;
    app.LoadConfig();
}

void CConfigPage::OnSave()
{
    App().SaveConfig();
}

void CConfigPage::OnDelete()
{
    int nIndex = m_listConfigs.GetCurSel();
    if (nIndex == LB_ERR)
        return;
    CLauncherApp& app = App();
    CString strName;
    m_listConfigs.GetText(nIndex, strName);
    BOOL bListed = RemoveConfigEntry(strName);
    m_listConfigs.DeleteString(nIndex);

    // With the last entry gone there is no current configuration.
    CString strCurrent;
    if (m_listConfigs.GetCount() > 0)
    {
        m_listConfigs.SetCurSel(0);
        m_listConfigs.GetText(0, strCurrent);
    }
    app.m_mapOptions["CurrentConfigName"] = strCurrent;
    app.WriteSectionValue("ConfigList", "CurrentConfigName");

    // A name that another program took out of the profile meanwhile leaves
    // the count alone, or the last entry would be dropped with it.
    int nCount = TextNumber(app.m_mapOptions["NumberOfConfig"]);
    if (bListed && nCount > 0)
        nCount--;
    app.m_mapOptions["NumberOfConfig"] = DecimalText(nCount);
    app.WriteSectionValue("ConfigList", "NumberOfConfig");
    app.LoadConfig();
}

BOOL CConfigPage::RemoveConfigEntry(const CString& strName)
{
    CLauncherApp& app = App();
    int nCount = TextNumber(app.m_mapOptions["NumberOfConfig"]);
    BOOL bFound = FALSE;
    for (int nEntry = 1; nEntry <= nCount; nEntry++)
    {
        CString strEntry = app.ReadProfileString("ConfigList", EntryKey(nEntry), "", 500);
        if (bFound)
            app.WriteProfileString("ConfigList", EntryKey(nEntry - 1), strEntry);
        else if (strEntry == strName)
            bFound = TRUE;
    }
    if (bFound)
        app.WriteProfileString("ConfigList", EntryKey(nCount), "");
    return bFound;
}
