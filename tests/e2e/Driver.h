// Drives the real Kovana.exe from outside, as a user would: the program runs
// in a folder of its own, and the driver finds its windows by caption, clicks
// buttons, types into edits and answers its dialogs with window messages.
#pragma once

#include "framework/String.h"

#include <string>
#include <vector>

class CProgramRun
{
public:
    // Copies Kovana.exe (and the Win32 stand-in emulator as zot.exe) into a
    // fresh folder; nothing runs yet.
    CProgramRun();
    ~CProgramRun();
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    const CString& Folder() const { return m_strFolder; }
    CString File(LPCSTR pszName) const { return m_strFolder + "\\" + pszName; }
    CString Profile() const { return File("Kovana.ini"); }
    CString Emulator() const { return File("zot.exe"); }

    // Starts Kovana.exe with the given command line arguments.
    bool Start(LPCSTR pszArguments = "");
    // Waits for the program to end; false when it is still running after the timeout.
    bool WaitForExit(DWORD dwTimeout = 10000);
    DWORD ExitCode() const;
    bool IsRunning() const;

    // A top-level window of the program whose caption is the text, or begins
    // with it when bPrefix; null after the timeout.
    HWND WaitForWindow(LPCSTR pszCaption, bool bPrefix = false, DWORD dwTimeout = 10000) const;
    // Every visible top-level window of the program, by caption
    std::vector<std::string> VisibleCaptions() const;

private:
    CString m_strFolder;
    PROCESS_INFORMATION m_pi = {};
};

// The first control with the id anywhere below a window (pages are children of the launcher)
HWND FindControl(HWND hTop, int nID);
// Window text read through a message, so it works across processes
CString WindowText(HWND hWnd);
// Types the text into a control (WM_SETTEXT)
void TypeText(HWND hWnd, LPCSTR pszText);
// Clicks a dialog's button as the dialog manager reports it (WM_COMMAND BN_CLICKED)
void ClickButton(HWND hDlg, int nID);
// Presses and releases a key on a control
void PressKey(HWND hWnd, UINT vk);
// Waits until a condition holds; false after the timeout
template <typename Condition>
bool WaitUntil(Condition condition, DWORD dwTimeout = 10000)
{
    DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeout)
            return false;
        ::Sleep(50);
    }
    return true;
}
// Answers the program's file dialog with the path (the real common dialog)
bool AnswerFileDialog(const CProgramRun& run, LPCSTR pszCaption, LPCSTR pszPath);
