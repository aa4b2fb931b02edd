#include "WindowDriving.h"

#include <cstdlib>

void ClickButton(HWND hDlg, int nID)
{
    HWND hButton = ::GetDlgItem(hDlg, nID);
    if (::GetWindowThreadProcessId(hDlg, nullptr) == ::GetCurrentThreadId())
        ::SendMessageA(hButton, BM_CLICK, 0, 0);
    else
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton);
}

void TypeText(HWND hWnd, LPCSTR pszText)
{
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_SETTEXT, 0, (LPARAM)pszText, SMTO_ABORTIFHUNG, 5000, &dwResult);
}

CString WindowText(HWND hWnd)
{
    char szText[1024] = "";
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_ABORTIFHUNG, 5000, &dwResult);
    return CString(szText);
}

void PressKey(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

struct ControlSearch
{
    int nID;
    HWND hFound;
};

static BOOL CALLBACK MatchControl(HWND hWnd, LPARAM lParam)
{
    ControlSearch* pSearch = (ControlSearch*)lParam;
    if (::GetDlgCtrlID(hWnd) != pSearch->nID)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

HWND FindControl(HWND hTop, int nID)
{
    ControlSearch search = { nID, nullptr };
    ::EnumChildWindows(hTop, MatchControl, (LPARAM)&search);
    return search.hFound;
}

bool IsRunning(HWND hWnd)
{
    return hWnd && ::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd);
}

bool IsCentredInWorkArea(HWND hWnd)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc) || !::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL), &monitor))
        return false;
    const RECT& rcWork = monitor.rcWork;
    return abs((rc.left - rcWork.left) - (rcWork.right - rc.right)) <= 1
           && abs((rc.top - rcWork.top) - (rcWork.bottom - rc.bottom)) <= 1;
}
