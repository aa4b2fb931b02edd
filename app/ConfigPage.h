// Classes in this file:
//   CConfigPage - the list of named configurations: New, Load, Save, Delete
#pragma once

#include "ProfileSection.h"
#include "framework/Controls.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

#include <vector>

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

    CListBox m_listConfigs;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnNew();
    void OnLoad();
    void OnSave();
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    // The names the numbered entries of the profile hold, in number order
    std::vector<CString> ReadEntries();
    // The names in the list, in its order
    std::vector<CString> ListedNames() const;
    // What makes the numbered entries hold these names, numbered from 1
    // without a gap, with every later entry empty
    std::vector<CProfileWrite> EntryWrites(const std::vector<CString>& names);
};
