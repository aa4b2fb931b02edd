#include "SettingsPage.h"

#include "app/LauncherApp.h"

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
