// Helpers shared by the tests: temporary folders, a test application object
// with a profile of the test's choosing, and answers for message boxes.
#pragma once

#include "app/LauncherApp.h"
#include "harness/TestFiles.h"

#include <string>
#include <vector>

// Reads the profile the way the program does (the real profile function).
CString ProfileValue(LPCSTR pszProfile, LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault = "");

// Every message box the code under test would have shown, answered in turn.
struct ShownBox
{
    HWND hWndOwner;
    std::string text;
    std::string caption;
    UINT type;
};

class CPromptRecorder
{
public:
    CPromptRecorder();   // installs itself as the responder
    ~CPromptRecorder();  // and removes itself
    CPromptRecorder(const CPromptRecorder&) = delete;
    CPromptRecorder& operator=(const CPromptRecorder&) = delete;

    std::vector<ShownBox> boxes;
    std::vector<int> answers;        // given in order; IDNO/IDCANCEL when they run out
    std::vector<std::string> files;  // paths chosen in file dialogs, in order; Cancel when they run out
    std::vector<OPENFILENAMEA> fileDialogs;  // what each file dialog was opened with
    std::vector<std::string> fileDialogInitialDirs;
    std::vector<std::string> fileDialogFileNames;

private:
    static int OnMessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);
    static BOOL OnFileDialog(BOOL bOpen, OPENFILENAMEA& ofn);
};

// An application object whose profile lies in a temporary folder.
class CTestApp : public CLauncherApp
{
public:
    explicit CTestApp(LPCSTR pszProfile) { m_strProfile = pszProfile; }
};

// A top-level window to parent page windows, destroyed at the end.
class CTestHost : public CWnd
{
public:
    CTestHost();
    ~CTestHost() override;
};

// Creates every page window as a child of the host, in page order, as a
// launcher window does; FALSE when one cannot be created.
BOOL CreatePageWindows(CLauncherApp& app, CWnd& host);

// Lists one configuration of that name in the profile and saves it from the
// pages' defaults, as New does on a first start: a section that the pages load
// without reporting a change. The page windows are gone again afterwards.
void SaveDefaultConfiguration(CLauncherApp& app, LPCSTR pszName);

// Runs the messages that are waiting for this thread's windows.
void PumpMessages();

// The one page whose window a launcher window shows; -1 when none or several are
int ShownPage(CLauncherApp& app);
