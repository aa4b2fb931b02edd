#include "SettingsPage.h"

#include "app/LauncherApp.h"

#include <cstdlib>

void CSettingsPage::AppendOption(CString& strLine, LPCSTR pszSeparator, LPCSTR pszKey)
{
    CString strValue = App().m_mapOptions[pszKey];
    if (strValue.IsEmpty())
        return;
    if (!strLine.IsEmpty())
        strLine += pszSeparator;
    strLine += strValue;
}

CLauncherApp& CSettingsPage::App()
{
    return *GetLauncherApp();
}

int CSettingsPage::FragmentNumber(const CString& strFragment)
{
    return (int)strtol(FragmentValue(strFragment), nullptr, 10);
}

CString CSettingsPage::OptionValue(LPCSTR pszKey)
{
    CString strValue;
    App().m_mapOptions.Lookup(pszKey, strValue);
    return strValue;
}

BOOL CSettingsPage::DiffersFromOptions(const LPCSTR* ppszKeys, const CString* pFragments, int nCount)
{
    for (int i = 0; i < nCount; i++)
        if (pFragments[i] != OptionValue(ppszKeys[i]))
            return TRUE;
    return FALSE;
}
