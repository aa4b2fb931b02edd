// Classes in this file:
//   CNotifySliderCtrl - trackbar that tells its parent about each move
#pragma once

#include "framework/Controls.h"

// Sent to the slider's parent: wParam is the slider's notify id, lParam 0
#define WM_SLIDERCHANGE (WM_USER + 10)

class CNotifySliderCtrl : public CSliderCtrl
{
public:
    void SetNotifyID(short nID) { m_nNotifyID = nID; }

    // Subclasses the trackbar so that its input reaches this object first.
    void SubclassWindow(HWND hWnd) override;

private:
    static LRESULT CALLBACK SliderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    short m_nNotifyID = 0;
    WNDPROC m_pfnTrackbarProc = nullptr;
};
