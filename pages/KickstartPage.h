// Classes in this file:
//   CKickstartPage - the Kickstart ROM image the emulator boots from, and its release
#pragma once

#include "SettingsPage.h"

class CKickstartPage : public CSettingsPage
{
public:
    CKickstartPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Kickstart"; }
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

    // Sets m_strKickstartVersion to the release the ROM file holds; the
    // callers move it into the control.
    void DetectKickstartVersion(const CString& strPath);

    CString m_strKickstartVersion;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBrowseKickstart();
    void OnKillfocusKickstartPath();

    DECLARE_MESSAGE_MAP()

private:
    // The "-r" fragment of a ROM path, long or short
    static CString BuildFragment(const CString& strPath);

    CString m_strKickstartPath;
};
