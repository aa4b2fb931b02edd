// Drives the real Kovana.exe from outside, as a user would: the program runs
// in a folder of its own, and the driver finds its windows by caption, clicks
// buttons, types into edits and answers its dialogs with window messages.
#pragma once

#include "harness/TestFiles.h"
#include "harness/WindowDriving.h"

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

    const CString& Folder() const { return m_dir.Path(); }
    CString File(LPCSTR pszName) const { return m_dir.File(pszName); }
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
    CTempDir m_dir{ "kovana-run" };
    PROCESS_INFORMATION m_pi = {};
};

// Answers the program's file dialog with the path (the real common dialog)
bool AnswerFileDialog(const CProgramRun& run, LPCSTR pszCaption, LPCSTR pszPath);
