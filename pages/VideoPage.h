// Classes in this file:
//   CVideoPage - screen mode, frame rate, 1081 monitor emulation and desktop window
#pragma once

#include "NotifySliderCtrl.h"
#include "KeyedPage.h"

class CVideoPage : public CKeyedPage
{
public:
    // Notify id of the frame-rate slider
    enum { SLIDER_FRAME_RATE = 1 };

    CVideoPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    // Shows a typed resolution as the emulator will get it, or refuses a text
    // that names none and shows the last resolution again
    void OnKillfocusResolution();

    DECLARE_MESSAGE_MAP()

private:
    static constexpr LPCSTR DEFAULT_RESOLUTION = "800:600";
    // The resolution of the screen mode in the option map, or the default
    CString LastResolution() const;

    BOOL BuildFragment(int nKey, CString& strFragment) override;

    CNotifySliderCtrl m_sliderFrameRate;
    BOOL m_b1081Emulation = FALSE;
    BOOL m_bDoubleHeight = FALSE;
    BOOL m_bDesktopWindow = FALSE;
    BOOL m_bLowRes = FALSE;
    BOOL m_bCenterVertically = FALSE;
    BOOL m_bCenterHorizontally = FALSE;
    CString m_strResolution;
    CString m_strFrameRate;
    BOOL m_bCorrectAspect = FALSE;
};
