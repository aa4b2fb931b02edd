// How the waits a user feels grow with the number of configurations: the
// start of Kovana.exe until its tab window shows the current configuration,
// and New, Load, Save and Delete on the Config page of the real tab launcher
// window in this process, each from the click until the window shows the
// result, over profiles of 500, 5,000 and 20,000 configurations whose every
// section is a full one as the program saves it.
// Before each click the benchmark waits as a user would, long enough for the
// profile functions to trust what they read of the profile before: they read
// a file that was written in the last two seconds again on every call.
//   usage: profile_scale_bench [rounds [configurations...]]
#include "BenchSupport.h"
#include "harness/TestFiles.h"
#include "harness/WindowDriving.h"
#include "launchers/TabLauncherDlg.h"
#include "res/resource.h"

#include <cstdio>
#include <cstdlib>

static CString ProgramCaption(const CString& strName)
{
    return CString(CLauncherApp::PROGRAM_TITLE) + " - " + strName;
}

// Seconds this thread has run: on a busy machine closer to what a quiet one
// shows than the time that passed
static double ThreadTime()
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    ::GetThreadTimes(::GetCurrentThread(), &ftCreation, &ftExit, &ftKernel, &ftUser);
    auto seconds = [](const FILETIME& ft) {
        return (double)(((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime) / 1e7;
    };
    return seconds(ftKernel) + seconds(ftUser);
}

// How long the platform takes a file written that long ago to be unchanged
// since it last read it
static const DWORD PAUSE_MS = 2200;

// Answers the Configuration name dialog from inside its modal loop, as the
// user would, and notes when OK was clicked: New is timed from there.
static CString s_strNewName;
static double s_dNameGiven = 0, s_dNameGivenThread = 0;
static BOOL CALLBACK FindNameDialog(HWND hWnd, LPARAM lParam)
{
    if (WindowText(hWnd) != "Configuration name")
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}
static void CALLBACK AnswerNameDialog(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    HWND hDialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindNameDialog, (LPARAM)&hDialog);
    if (!hDialog)
        return;
    ::KillTimer(nullptr, nTimer);
    ::SetDlgItemTextA(hDialog, IDC_CONFIG_NAME, s_strNewName);
    s_dNameGiven = Now();
    s_dNameGivenThread = ThreadTime();
    ::SendMessageA(::GetDlgItem(hDialog, IDOK), BM_CLICK, 0, 0);
}

struct COperation
{
    CTimes wall, thread;
};

struct CScaleFigures
{
    int nConfigs;
    ULONGLONG nBytes;
    CTimes start;
    COperation newConfig, load, save, deleteConfig;
};

static BOOL Measure(CScaleFigures& figures, const std::string& section, int nRounds)
{
    CTempDir dir("kovana-scale-bench");
    CString strProfile = dir.File("Kovana.ini");
    WriteOldProfile(strProfile, ProfileText(figures.nConfigs, section));
    figures.nBytes = ReadWholeFile(strProfile).size();

    ::CopyFileA(KOVANA_EXE, dir.File("Kovana.exe"), FALSE);
    CStartedProgram program("start", dir.File("Kovana.exe"), "1", ProgramCaption(ConfigName(figures.nConfigs)));
    for (int nRound = 0; nRound < nRounds; nRound++)
        if (!program.Run())
            return FALSE;
    figures.start = program.m_times;

    CLauncherApp app;
    app.m_strProfile = strProfile;
    CTabLauncherDlg launcher;
    app.m_pLauncher = &launcher;
    if (!launcher.Create(IDD_TAB_LAUNCHER))
        return FALSE;
    launcher.ShowWindow(SW_SHOW);
    HWND hConfigPage = app.m_pPages[CLauncherApp::PAGE_CONFIG]->m_hWnd;
    HWND hList = ::GetDlgItem(hConfigPage, IDC_CONFIG_LIST);
    HWND hDebugger = ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_MISC]->m_hWnd, IDC_MISC_DEBUGGER);
    // One click, timed until the window has painted what it shows
    auto click = [&](int nID, COperation& operation, const double* pdStart = nullptr,
                     const double* pdThreadStart = nullptr) {
        ::Sleep(PAUSE_MS);
        double dStart = Now(), dThreadStart = ThreadTime();
        ClickButton(hConfigPage, nID);
        ::RedrawWindow(launcher.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        operation.wall.Add(Now() - (pdStart ? *pdStart : dStart));
        operation.thread.Add(ThreadTime() - (pdThreadStart ? *pdThreadStart : dThreadStart));
    };
    BOOL bRight = TRUE;
    for (int nRound = 0; nRound < nRounds; nRound++)
    {
        // Save, one setting changed
        ::SendMessageA(hDebugger, BM_SETCHECK, nRound % 2 ? BST_UNCHECKED : BST_CHECKED, 0);
        click(IDC_CONFIG_SAVE, figures.save);

        // Load of a configuration from the middle of the list
        int nLoaded = figures.nConfigs / 2 + nRound;
        ::SendMessageA(hList, LB_SETCURSEL, nLoaded, 0);
        char szName[256] = "";
        ::SendMessageA(hList, LB_GETTEXT, nLoaded, (LPARAM)szName);
        click(IDC_CONFIG_LOAD, figures.load);
        bRight = bRight && launcher.GetWindowText() == ProgramCaption(szName);

        // New, from OK in the name dialog
        s_strNewName.Format("Bench %d", nRound);
        UINT_PTR nTimer = ::SetTimer(nullptr, 0, 1, AnswerNameDialog);
        click(IDC_CONFIG_NEW, figures.newConfig, &s_dNameGiven, &s_dNameGivenThread);
        ::KillTimer(nullptr, nTimer);
        bRight = bRight && launcher.GetWindowText() == ProgramCaption(s_strNewName);

        // Delete of the first entry, which moves every later one
        ::SendMessageA(hList, LB_SETCURSEL, 0, 0);
        click(IDC_CONFIG_DELETE, figures.deleteConfig);
        ::SendMessageA(hList, LB_GETTEXT, 0, (LPARAM)szName);
        bRight = bRight && launcher.GetWindowText() == ProgramCaption(szName);
    }
    launcher.DestroyWindow();
    app.m_pLauncher = nullptr;
    if (!bRight)
        printf("  THE WINDOW DID NOT SHOW THE RESULT EXPECTED\n");
    return bRight;
}

int main(int argc, char** argv)
{
    // The figures go to a pipe when run from a script; show each at once.
    setvbuf(stdout, nullptr, _IONBF, 0);
    int nRounds = argc > 1 ? atoi(argv[1]) : 3;
    std::vector<int> sizes;
    for (int i = 2; i < argc; i++)
        sizes.push_back(atoi(argv[i]));
    if (sizes.empty())
        sizes = { 500, 5000, 20000 };
    std::string section;
    {
        CLauncherApp app;
        CTempDir scratch("kovana-scale-defaults");
        section = DefaultSection(app, scratch.Path());
    }

    printf("Median of %d rounds, in seconds, from the click until the window shows the result; in brackets\n"
           "the time the program's thread ran, which a busy machine stretches less:\n", nRounds);
    printf("  %14s %9s %8s %16s %16s %16s %16s\n", "configurations", "profile", "start", "New", "Load", "Save",
           "Delete");
    std::vector<CScaleFigures> all;
    for (int nConfigs : sizes)
    {
        CScaleFigures figures;
        figures.nConfigs = nConfigs;
        if (!Measure(figures, section, nRounds))
            return 1;
        printf("  %14d %6.1f MB %8.3f", nConfigs, (double)figures.nBytes / (1024.0 * 1024.0), figures.start.Median());
        for (const COperation* pOperation :
             { &figures.newConfig, &figures.load, &figures.save, &figures.deleteConfig })
            printf("  %6.3f (%6.3f)", pOperation->wall.Median(), pOperation->thread.Median());
        printf("\n");
        all.push_back(figures);
    }
    // The growth of each wait beside the growth of the profile, by the
    // thread's time, which the machine's load disturbs less
    printf("Growth from one size to the next:\n");
    for (size_t i = 1; i < all.size(); i++)
    {
        const CScaleFigures &a = all[i - 1], &b = all[i];
        printf("  %6d to %6d: profile %5.2fx, start %5.2fx", a.nConfigs, b.nConfigs, (double)b.nBytes / (double)a.nBytes,
               b.start.Median() / a.start.Median());
        const char* const names[] = { "New", "Load", "Save", "Delete" };
        const COperation* before[] = { &a.newConfig, &a.load, &a.save, &a.deleteConfig };
        const COperation* after[] = { &b.newConfig, &b.load, &b.save, &b.deleteConfig };
        for (int n = 0; n < 4; n++)
            printf(", %s %5.2fx", names[n], after[n]->thread.Median() / before[n]->thread.Median());
        printf("\n");
    }
    return 0;
}
