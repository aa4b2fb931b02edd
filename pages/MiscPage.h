// Classes in this file:
//   CMiscPage - accuracy, debugger, illegal instructions, blits and system clock
#pragma once

#include "SettingsPage.h"
#include "framework/Controls.h"

class CMiscPage : public CSettingsPage
{
public:
    CMiscPage();

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
    BOOL OnInitDialog() override;

private:
    enum { SETTING_COUNT = 6 };
    // The fragments the controls stand for, in the order of the page's keys;
    // FALSE when no clock entry is selected and the clock has no fragment
    BOOL BuildFragments(CString strFragments[SETTING_COUNT]);

    CComboBox m_comboSystemClock;
    CSliderCtrl m_sliderAccuracy;
    BOOL m_bDebugger = FALSE;
    BOOL m_bIllegalInstructions = FALSE;
    BOOL m_bImmediateBlits = FALSE;
    BOOL m_b32BitBlits = FALSE;
};
