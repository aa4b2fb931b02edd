#include "NotifySliderCtrl.h"

void CNotifySliderCtrl::SubclassWindow(HWND hWnd)
{
    CSliderCtrl::SubclassWindow(hWnd);
    if (hWnd)
        ::SetWindowSubclass(hWnd, SubclassProc, 0, (DWORD_PTR)this);
}

LRESULT CALLBACK CNotifySliderCtrl::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR dwRefData)
{
    CNotifySliderCtrl* pSlider = (CNotifySliderCtrl*)dwRefData;
    switch (message)
    {
    case WM_LBUTTONUP:
    case WM_KEYUP:
    case WM_KEYDOWN:
    case WM_MOUSEMOVE:
        // Sent before the trackbar acts, so the parent sees the position as it
        // stood before this event; the release that follows brings it up to date.
        ::SendMessageA(::GetParent(hWnd), WM_SLIDERCHANGE, (WPARAM)pSlider->m_nNotifyID, 0);
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hWnd, SubclassProc, 0);
        if (pSlider->m_hWnd == hWnd)
            pSlider->m_hWnd = nullptr;
        break;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
