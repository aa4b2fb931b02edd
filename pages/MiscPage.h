// Classes in this file:
//   CMiscPage - accuracy, debugger, illegal instructions, blits and system clock
#pragma once

#include "KeyedPage.h"
#include "framework/Controls.h"

class CMiscPage : public CKeyedPage
{
public:
    CMiscPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;
    // The system clock goes last, and to the Win32 build only.
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    BOOL BuildFragment(int nKey, CString& strFragment) override;

    CComboBox m_comboSystemClock;
    CSliderCtrl m_sliderAccuracy;
    BOOL m_bDebugger = FALSE;
    BOOL m_bIllegalInstructions = FALSE;
    BOOL m_bImmediateBlits = FALSE;
    BOOL m_b32BitBlits = FALSE;
};
