// Classes in this file:
//   CMemoryPage - sizes of the fast, chip and slow memory
#pragma once

#include "NotifySliderCtrl.h"
#include "KeyedPage.h"

class CMemoryPage : public CKeyedPage
{
public:
    // Notify ids of the three sliders, also the order of the page's keys
    enum { SLIDER_FAST = 1, SLIDER_CHIP = 2, SLIDER_SLOW = 3, SLIDER_COUNT = 3 };

    CMemoryPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Memory"; }
    void LoadFromProfile() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The slider with that notify id; nullptr for any other id
    CNotifySliderCtrl* Slider(int nID);
    // The "-F", "-c" or "-s" fragment of a slider's current position
    BOOL BuildFragment(int nKey, CString& strFragment) override;

    CNotifySliderCtrl m_sliderSlow;
    CNotifySliderCtrl m_sliderFast;
    CNotifySliderCtrl m_sliderChip;
    CString m_strChipSize;
    CString m_strFastSize;
    CString m_strSlowSize;
};
