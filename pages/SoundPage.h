// Classes in this file:
//   CSoundPage - sound emulation mode, sound bits, buffer size and frequency
#pragma once

#include "KeyedPage.h"
#include "framework/Controls.h"

class CSoundPage : public CKeyedPage
{
public:
    CSoundPage();

    BOOL OnInitDialog() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelchangeSoundEmulation();

    DECLARE_MESSAGE_MAP()

private:
    BOOL BuildFragment(int nKey, CString& strFragment) override;

    CEdit m_editFrequency;
    CEdit m_editBufferSize;
    CComboBox m_comboSoundEmulation;
    CComboBox m_comboSoundBits;
    CString m_strBufferSize;
    CString m_strFrequency;
};
