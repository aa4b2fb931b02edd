#include "ConfigPage.h"

#include "ConfigNameDlg.h"
#include "LauncherApp.h"

#include <algorithm>
#include <map>

static const char ENTRY_PREFIX[] = "Config#";

static CString EntryKey(int nEntry)
{
    CString strKey;
    strKey.Format("%s%d", ENTRY_PREFIX, nEntry);
    return strKey;
}

// N of a key that reads as the entry "Config#N", or 0
static int EntryNumber(const CString& strKey)
{
    const int nPrefix = sizeof(ENTRY_PREFIX) - 1;
    const int nMaxDigits = 9;
    int nLength = strKey.GetLength();
    if (nLength <= nPrefix || nLength > nPrefix + nMaxDigits || !IsSameName(strKey.Left(nPrefix), ENTRY_PREFIX)
        || strKey[nPrefix] == '0')
        return 0;
    int nEntry = 0;
    for (int i = nPrefix; i < nLength; i++)
    {
        if (strKey[i] < '0' || strKey[i] > '9')
            return 0;
        nEntry = nEntry * 10 + (strKey[i] - '0');
    }
    return nEntry;
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
    std::vector<CString> names = ReadEntries();
    // Without redrawing the list box does not set its scroll bar after every
    // name: a long list fills several times faster.
    m_listConfigs.SetRedraw(FALSE);
    for (const CString& strName : names)
        m_listConfigs.AddString(strName);
    m_listConfigs.SetRedraw(TRUE);
    if (!names.empty())
    {
        CString strCurrent =
            app.ReadProfileString("ConfigList", "CurrentConfigName", "", CLauncherApp::PROFILE_BUFFER_SIZE);
        app.m_mapOptions["CurrentConfigName"] = strCurrent;
        // Every name begins with the empty text, but the list box finds no
        // entry for it: the first entry is the one.
        if (strCurrent.IsEmpty())
            m_listConfigs.SetCurSel(0);
        else
            m_listConfigs.SelectString(-1, strCurrent);
        app.m_mapOptions["NumberOfConfig"] = DecimalText((int)names.size());
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

// "NumberOfConfig" is not trusted: a damaged count must neither hide a
// configuration nor list thousands of empty ones. The entries that are there
// decide, read with one profile call. An empty entry names no configuration.
std::vector<CString> CConfigPage::ReadEntries()
{
    CLauncherApp& app = App();
    CProfileSection list = app.ReadProfileSection("ConfigList");
    std::map<int, CString> entries;
    for (const CProfileSection::CEntry& entry : list.m_entries)
    {
        int nEntry = EntryNumber(entry.strKey);
        if (nEntry > 0 && !entries.count(nEntry))
            entries[nEntry] =
                app.ReadProfileString(list, "ConfigList", EntryKey(nEntry), CLauncherApp::PROFILE_BUFFER_SIZE);
    }
    std::vector<CString> names;
    for (const auto& entry : entries)
        if (!entry.second.IsEmpty())
            names.push_back(entry.second);
    return names;
}

std::vector<CString> CConfigPage::ListedNames() const
{
    std::vector<CString> names(m_listConfigs.GetCount());
    for (int i = 0; i < (int)names.size(); i++)
        m_listConfigs.GetText(i, names[i]);
    return names;
}

std::vector<CProfileWrite> CConfigPage::EntryWrites(const std::vector<CString>& names)
{
    // Only the entries that change: every Save writes the list, and it may be
    // thousands of names long.
    CLauncherApp& app = App();
    CProfileSection list = app.ReadProfileSection("ConfigList");
    std::vector<CProfileWrite> writes;
    for (size_t i = 0; i < names.size(); i++)
    {
        CString strKey = EntryKey((int)i + 1);
        if (app.ReadProfileString(list, "ConfigList", strKey, CLauncherApp::PROFILE_BUFFER_SIZE) != names[i])
            writes.push_back({ "ConfigList", strKey, names[i] });
    }
    for (const CProfileSection::CEntry& entry : list.m_entries)
        if (EntryNumber(entry.strKey) > (int)names.size() && !entry.strValue.IsEmpty())
            writes.push_back({ "ConfigList", entry.strKey, "" });
    return writes;
}

void CConfigPage::SaveToProfile()
{
    CLauncherApp& app = App();
    app.WriteSectionValue("ConfigList", "CurrentConfigName");
    app.WriteSectionValue("ConfigList", "NumberOfConfig");
    // Entries that a damaged profile left out of order are numbered anew, so
    // that the count just written matches them; entries in order stay untouched.
    if (m_hWnd)
        app.WriteProfileStrings(EntryWrites(ListedNames()));
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
    CString strName = dlg.m_strName;
    std::vector<CString> names = ListedNames();
    // Names that differ in case only share one section.
    auto same = std::find_if(names.begin(), names.end(),
                             [&](const CString& strListed) { return IsSameName(strListed, strName); });
    if (same != names.end()
        && MessageBox("There is a configuration \"" + *same + "\" already. Do you want to replace it with the "
                      "current settings?", "Warning", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    names.push_back(strName);
    int nSelected = m_listConfigs.GetCurSel();
    // Kept to be put back should the profile refuse the new configuration:
    // the pages then still differ from what the current one holds.
    CMapStringToString mapBefore = app.m_mapOptions;
    BOOL bLoaded = app.m_bConfigLoaded;
    // The entry and the new section reach the profile together: an entry
    // without its section would name a configuration that cannot be loaded.
    CProfileTransaction transaction(app);
    app.WriteProfileString("ConfigList", "NumberOfConfig", DecimalText((int)names.size()));
    app.WriteProfileStrings(EntryWrites(names));
    int nAdded = m_listConfigs.AddString(strName);
    m_listConfigs.SetCurSel(nAdded);
    app.m_mapOptions["CurrentConfigName"] = strName;
    app.m_mapOptions["NumberOfConfig"] = DecimalText((int)names.size());
    // The new configuration starts as a copy of what the pages show now.
    app.SaveConfig();
    if (transaction.Commit())
    {
        app.LoadConfig();
        return;
    }
    m_listConfigs.DeleteString(nAdded);
    m_listConfigs.SetCurSel(nSelected);
    app.m_mapOptions = mapBefore;
    app.m_bConfigLoaded = bLoaded;
    app.ShowConfigName();
    app.ReportWriteFailure(m_hWnd, "The configuration \"" + strName + "\" was not created.");
}

void CConfigPage::OnLoad()
{
    int nIndex = m_listConfigs.GetCurSel();
    if (nIndex == LB_ERR)
        return;
    CLauncherApp& app = App();
    if (!app.OfferToSave(*this))
        return;
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
    // Of two entries of one name the first goes, from the profile and the
    // list alike.
    std::vector<CString> names = ListedNames();
    int nRemoved = (int)(std::find(names.begin(), names.end(), strName) - names.begin());
    names.erase(names.begin() + nRemoved);
    // With the last entry gone there is no current configuration.
    CString strCurrent = names.empty() ? CString() : names[0];

    // The list is read once, for the entries that change and for the update.
    CProfileTransaction transaction(app);
    std::vector<CProfileWrite> writes = EntryWrites(names);
    writes.push_back({ "ConfigList", "CurrentConfigName", strCurrent });
    writes.push_back({ "ConfigList", "NumberOfConfig", DecimalText((int)names.size()) });
    app.WriteProfileStrings(writes);
    if (!transaction.Commit())
    {
        app.ReportWriteFailure(m_hWnd, "The configuration \"" + strName + "\" was not deleted.");
        return;
    }
    m_listConfigs.DeleteString(nRemoved);
    if (!names.empty())
        m_listConfigs.SetCurSel(0);
    app.m_mapOptions["CurrentConfigName"] = strCurrent;
    app.m_mapOptions["NumberOfConfig"] = DecimalText((int)names.size());
    app.LoadConfig();
}
