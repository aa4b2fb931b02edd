#include "NotifySliderCtrl.h"

#include <map>

// The subclassed trackbars and their objects. The window procedure is
// replaced rather than chained with SetWindowSubclass, which looks up a
// window property on every message: a server call each under Wine.
static std::map<HWND, CNotifySliderCtrl*>& Sliders()
{
    static std::map<HWND, CNotifySliderCtrl*> s_sliders;
    return s_sliders;
}

void CNotifySliderCtrl::SubclassWindow(HWND hWnd)
{
    CSliderCtrl::SubclassWindow(hWnd);
    if (!hWnd || Sliders().count(hWnd))
        return;
    Sliders()[hWnd] = this;
    m_pfnTrackbarProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)SliderProc);
}

LRESULT CALLBACK CNotifySliderCtrl::SliderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto found = Sliders().find(hWnd);
    if (found == Sliders().end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    CNotifySliderCtrl* pSlider = found->second;
    WNDPROC pfnTrackbarProc = pSlider->m_pfnTrackbarProc;
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
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnTrackbarProc);
        Sliders().erase(found);
        if (pSlider->m_hWnd == hWnd)
            pSlider->m_hWnd = nullptr;
        break;
    }
    return ::CallWindowProcA(pfnTrackbarProc, hWnd, message, wParam, lParam);
}
