// Classes in this file:
//   CConfigPage - the list of named configurations: New, Load, Save, Delete
#pragma once

#include "framework/Controls.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

class CConfigPage : public CSettingsPage
{
public:
    CConfigPage() : CSettingsPage(IDD_CONFIG_PAGE) {}

// Page operations
    UINT GetTemplateID() override { return IDD_CONFIG_PAGE; }
    CString GetPageName() override { return "Config"; }
    void LoadFromProfile() override {}
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override { return FALSE; }
    void AppendOptions(CString& /*strLine*/, LPCSTR /*pszSeparator*/) override {}

    // Closes the gap that the name leaves in the numbered entries; TRUE when
    // the name was one of them
    BOOL RemoveConfigEntry(const CString& strName);

    CListBox m_listConfigs;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnNew();
    void OnLoad();
    void OnSave();
    void OnDelete();

    DECLARE_MESSAGE_MAP()
};
