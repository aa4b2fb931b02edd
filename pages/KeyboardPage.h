// Classes in this file:
//   CKeyboardPage - the keyboard layout
#pragma once

#include "SettingsPage.h"
#include "framework/Controls.h"

class CKeyboardPage : public CSettingsPage
{
public:
    CKeyboardPage();

    BOOL OnInitDialog() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The fragment the selected layout stands for
    CString BuildFragment();

    CComboBox m_comboLayout;
};
