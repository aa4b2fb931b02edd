#include "SettingsPage.h"

#include "app/LauncherApp.h"

#include <climits>
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

int CSettingsPage::TextNumber(LPCSTR pszText)
{
    long long nValue = strtoll(pszText, nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return (int)nValue;
}

CString CSettingsPage::OptionValue(LPCSTR pszKey)
{
    CString strValue;
    App().m_mapOptions.Lookup(pszKey, strValue);
    return strValue;
}
