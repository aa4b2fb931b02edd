// Classes in this file:
//   CMemoryPage - sizes of the fast, chip and slow memory
#pragma once

#include "NotifySliderCtrl.h"
#include "SettingsPage.h"

class CMemoryPage : public CSettingsPage
{
public:
    // Notify ids of the three sliders, also the order of the page's keys
    enum { SLIDER_FAST = 1, SLIDER_CHIP = 2, SLIDER_SLOW = 3, SLIDER_COUNT = 3 };

    CMemoryPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Memory"; }
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The slider with that notify id; nullptr for any other id
    CNotifySliderCtrl* Slider(int nID);
    // "-F", "-c" and "-s" fragments of the sliders' current positions, in key order
    void BuildFragments(CString (&strFragments)[SLIDER_COUNT]);

    CNotifySliderCtrl m_sliderSlow;
    CNotifySliderCtrl m_sliderFast;
    CNotifySliderCtrl m_sliderChip;
    CString m_strChipSize;
    CString m_strFastSize;
    CString m_strSlowSize;
};
