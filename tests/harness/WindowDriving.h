// Driving windows as a user would, in this process or in another one.
#pragma once

#include "framework/String.h"

// Clicks a dialog's button: BM_CLICK, sent when the dialog belongs to this
// thread (the click has acted when this returns), posted otherwise (a click
// that opens a modal dialog in another program must not block the driver).
void ClickButton(HWND hDlg, int nID);
// Types the text into a control (WM_SETTEXT, through a time-out across programs)
void TypeText(HWND hWnd, LPCSTR pszText);
// Window text read through a message, so it works across programs
CString WindowText(HWND hWnd);
// Presses and releases a key on a control (posted)
void PressKey(HWND hWnd, UINT vk);
// The first control with the id anywhere below a window
HWND FindControl(HWND hTop, int nID);
// A visible, enabled window: a modal loop has shown it and runs it.
bool IsRunning(HWND hWnd);
// The window stands in the middle of the work area of its monitor, to the
// pixel that halving rounds away
bool IsCentredInWorkArea(HWND hWnd);

// Waits until a condition holds, polling; false after the timeout. Only for
// what happens in another program: in this process, run the messages instead.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD dwTimeout = 10000)
{
    DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeout)
            return false;
        ::Sleep(20);
    }
    return true;
}
