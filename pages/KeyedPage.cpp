#include "KeyedPage.h"

#include "app/LauncherApp.h"

void CKeyedPage::SaveToProfile()
{
    for (int nKey = 0; nKey < m_nKeys; nKey++)
        App().WriteConfigValue(m_ppszKeys[nKey]);
}

void CKeyedPage::UpdateOptions()
{
    UpdateData(TRUE);
    CString strFragment;
    for (int nKey = 0; nKey < m_nKeys; nKey++)
        if (BuildFragment(nKey, strFragment))
            App().m_mapOptions[m_ppszKeys[nKey]] = strFragment;
}

BOOL CKeyedPage::IsModified()
{
    UpdateData(TRUE);
    CString strFragment;
    for (int nKey = 0; nKey < m_nKeys; nKey++)
        if (BuildFragment(nKey, strFragment) && strFragment != OptionValue(m_ppszKeys[nKey]))
            return TRUE;
    return FALSE;
}

void CKeyedPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    for (int nKey = 0; nKey < m_nKeys; nKey++)
        AppendOption(strLine, pszSeparator, m_ppszKeys[nKey]);
}
