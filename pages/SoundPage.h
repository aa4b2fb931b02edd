// Classes in this file:
//   CSoundPage - sound emulation mode, sound bits, buffer size and frequency
#pragma once

#include "SettingsPage.h"
#include "framework/Controls.h"

class CSoundPage : public CSettingsPage
{
public:
    CSoundPage();

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

    void OnSelchangeSoundEmulation();

    DECLARE_MESSAGE_MAP()

private:
    enum { SETTING_COUNT = 4 };
    // The fragments the controls stand for, in the order of the page's keys
    void BuildFragments(CString strFragments[SETTING_COUNT]);

    CEdit m_editFrequency;
    CEdit m_editBufferSize;
    CComboBox m_comboSoundEmulation;
    CComboBox m_comboSoundBits;
    CString m_strBufferSize;
    CString m_strFrequency;
};
