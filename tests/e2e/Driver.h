// Drives the real Kovana.exe from outside, as a user would: the program runs
// in a folder of its own, and the driver finds its windows by caption, clicks
// buttons, types into edits and answers its dialogs with window messages.
// The tests and the screenshot tool (tools/screenshots) both drive it so.
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
    // Ends Kovana.exe and everything it started (the emulator, the editor)
    ~CProgramRun();
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    const CString& Folder() const { return m_dir.Path(); }
    CString File(LPCSTR pszName) const { return m_dir.File(pszName); }
    CString Profile() const { return File("Kovana.ini"); }
    CString Emulator() const { return File("zot.exe"); }
    // A value of the program's profile, "(absent)" when it has none
    CString StoredValue(LPCSTR pszSection, LPCSTR pszKey) const;

    // Starts Kovana.exe with the given command line arguments. The stand-in
    // emulator that it starts ends right after its receipt unless
    // bEmulatorWindow, and then shows its window.
    bool Start(LPCSTR pszArguments = "", bool bEmulatorWindow = false);
    // Waits for the program to end; false when it is still running after the timeout.
    bool WaitForExit(DWORD dwTimeout = 10000);
    // Starts the program once more by the path given (the same file, spelled
    // as the test likes) and waits for that copy to end, while the windows of
    // this thread keep answering; false when it still runs after the timeout
    bool RunAgain(LPCSTR pszExe, DWORD dwTimeout = 10000);
    DWORD ExitCode() const;
    bool IsRunning() const;

    // A visible top-level window of the program or of a program it started,
    // whose caption is the text, or begins with it when bPrefix, other than
    // hExcept; null after the timeout.
    HWND WaitForWindow(LPCSTR pszCaption, bool bPrefix = false, DWORD dwTimeout = 10000,
                       HWND hExcept = nullptr) const;
    // Every visible top-level window of the program and of what it started, by caption
    std::vector<std::string> VisibleCaptions() const;

private:
    std::vector<HWND> Windows() const;
    // Starts the program (with quotes round its path) in the folder, as a
    // member of the job, which it joins before it runs. A process that cannot
    // join is ended, and false comes back with pi empty.
    bool StartInJob(LPCSTR pszExe, LPCSTR pszArguments, PROCESS_INFORMATION& pi);

    CTempDir m_dir{ "kovana-run" };
    // Everything the program starts belongs to this job and ends with it.
    HANDLE m_hJob = nullptr;
    PROCESS_INFORMATION m_pi = {};
};

// The launcher windows' pages share control ids: a page is found by a control
// that it alone has.
HWND PageOf(HWND hLauncher, int nPageOwnID);
// Shows a page of a launcher window as a user would: arrow keys on the tabs or
// the list, a picture button in the modern window. True once the page (found
// by a control of its own) is on view.
bool ShowPage(HWND hLauncher, int nPage, int nPageOwnID);

// Answers the program's file dialog or folder picker with the path (the real ones)
bool AnswerFileDialog(const CProgramRun& run, LPCSTR pszCaption, LPCSTR pszPath);
// Clicks a button (IDYES, IDNO, IDOK...) of the program's message box with
// that caption and waits until the box is gone; false when no box came.
bool AnswerMessageBox(const CProgramRun& run, LPCSTR pszCaption, int nButton);
