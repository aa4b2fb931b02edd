// Classes in this file:
//   CKeyedPage - base of the pages whose settings are one fragment per key, each built from the controls
#pragma once

#include "SettingsPage.h"

class CKeyedPage : public CSettingsPage
{
public:
// Page operations: every key in the page's order
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    template <int N>
    CKeyedPage(UINT nIDTemplate, LPCSTR const (&pszKeys)[N]) : CSettingsPage(nIDTemplate), m_ppszKeys(pszKeys), m_nKeys(N)
    {
    }

    // The fragment of the key at that place in the page's order, built from
    // the members as the controls left them; FALSE when the controls give
    // none, and the key's option is then left as it is
    virtual BOOL BuildFragment(int nKey, CString& strFragment) = 0;

private:
    const LPCSTR* m_ppszKeys;
    int m_nKeys;
};
