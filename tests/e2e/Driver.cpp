#include "Driver.h"

#include "res/resource.h"

#include <commctrl.h>

CProgramRun::CProgramRun()
{
    ::CopyFileA(KOVANA_EXE, File("Kovana.exe"), FALSE);
    ::CopyFileA(KOVANA_STANDIN_EXE, File("zot.exe"), FALSE);
}

CProgramRun::~CProgramRun()
{
    // Closing the job's last handle ends every process in it.
    if (m_hJob)
        ::CloseHandle(m_hJob);
    if (m_pi.hProcess)
    {
        ::WaitForSingleObject(m_pi.hProcess, 5000);
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

CString CProgramRun::StoredValue(LPCSTR pszSection, LPCSTR pszKey) const
{
    char szValue[1024] = "";
    ::GetPrivateProfileStringA(pszSection, pszKey, "(absent)", szValue, sizeof(szValue), Profile());
    return CString(szValue);
}

bool CProgramRun::Start(LPCSTR pszArguments, bool bEmulatorWindow)
{
    m_hJob = ::CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!m_hJob || !::SetInformationJobObject(m_hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        return false;
    // The program and what it starts inherit this.
    ::SetEnvironmentVariableA("ZOT_STANDIN_EXIT", bEmulatorWindow ? nullptr : "1");
    return StartInJob(File("Kovana.exe"), pszArguments, m_pi);
}

bool CProgramRun::StartInJob(LPCSTR pszExe, LPCSTR pszArguments, PROCESS_INFORMATION& pi)
{
    std::string command = "\"" + std::string(pszExe) + "\"";
    if (pszArguments && *pszArguments)
        command += std::string(" ") + pszArguments;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    // Suspended until it belongs to the job, so that nothing it starts escapes.
    if (!m_hJob || !::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, Folder(),
                                     &si, &pi))
        return false;
    if (!::AssignProcessToJobObject(m_hJob, pi.hProcess))
    {
        ::TerminateProcess(pi.hProcess, 99);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        pi = {};
        return false;
    }
    ::ResumeThread(pi.hThread);
    return true;
}

bool CProgramRun::WaitForExit(DWORD dwTimeout)
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, dwTimeout) == WAIT_OBJECT_0;
}

bool CProgramRun::RunAgain(LPCSTR pszExe, DWORD dwTimeout)
{
    PROCESS_INFORMATION pi = {};
    if (!StartInJob(pszExe, nullptr, pi))
        return false;
    bool bEnded = false;
    DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        DWORD dwWait = dwElapsed >= dwTimeout ? WAIT_TIMEOUT
                                              : ::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE,
                                                                            dwTimeout - dwElapsed, QS_ALLINPUT);
        if (dwWait != WAIT_OBJECT_0 + 1)
        {
            bEnded = dwWait == WAIT_OBJECT_0;
            break;
        }
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::TerminateProcess(pi.hProcess, 99);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return bEnded;
}

DWORD CProgramRun::ExitCode() const
{
    DWORD dwCode = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return dwCode;
}

bool CProgramRun::IsRunning() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

struct WindowSearch
{
    HANDLE hJob;
    std::vector<HWND> windows;
};

static BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* pSearch = (WindowSearch*)lParam;
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    // The job's own list of process ids is not to be trusted under Wine.
    HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, dwProcessId);
    BOOL bInJob = FALSE;
    if (hProcess && ::IsProcessInJob(hProcess, pSearch->hJob, &bInJob) && bInJob)
        pSearch->windows.push_back(hWnd);
    if (hProcess)
        ::CloseHandle(hProcess);
    return TRUE;
}

std::vector<HWND> CProgramRun::Windows() const
{
    WindowSearch search = { m_hJob, {} };
    if (m_hJob)
        ::EnumWindows(CollectWindow, (LPARAM)&search);
    return search.windows;
}

HWND CProgramRun::WaitForWindow(LPCSTR pszCaption, bool bPrefix, DWORD dwTimeout, HWND hExcept) const
{
    HWND hFound = nullptr;
    CString strCaption(pszCaption);
    WaitUntil([&] {
        for (HWND hWnd : Windows())
        {
            CString strText = WindowText(hWnd);
            if (hWnd != hExcept
                && (strText == strCaption || (bPrefix && strText.Left(strCaption.GetLength()) == strCaption)))
            {
                hFound = hWnd;
                return true;
            }
        }
        return false;
    }, dwTimeout);
    return hFound;
}

std::vector<std::string> CProgramRun::VisibleCaptions() const
{
    std::vector<std::string> captions;
    for (HWND hWnd : Windows())
        captions.push_back(WindowText(hWnd).str());
    return captions;
}

HWND PageOf(HWND hLauncher, int nPageOwnID)
{
    return ::GetParent(FindControl(hLauncher, nPageOwnID));
}

bool ShowPage(HWND hLauncher, int nPage, int nPageOwnID)
{
    // Each arrow key moves the selection by one; the tab control knows no Home.
    HWND hTabs = ::GetDlgItem(hLauncher, IDC_TAB_PAGES);
    HWND hList = ::GetDlgItem(hLauncher, IDC_LIST_PAGES);
    if (hTabs || hList)
    {
        HWND hSelector = hTabs ? hTabs : hList;
        // No list item is selected at first: the first Down arrow selects item 0.
        int nCurrent = hTabs ? (int)::SendMessageA(hTabs, TCM_GETCURSEL, 0, 0)
                             : (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        UINT vkForward = hTabs ? VK_RIGHT : VK_DOWN;
        UINT vkBack = hTabs ? VK_LEFT : VK_UP;
        for (; nCurrent < nPage; nCurrent++)
            PressKey(hSelector, vkForward);
        for (; nCurrent > nPage; nCurrent--)
            PressKey(hSelector, vkBack);
    }
    else
        ClickButton(hLauncher, IDC_MODERN_EMULATOR + nPage);
    HWND hPage = PageOf(hLauncher, nPageOwnID);
    return WaitUntil([&] { return ::IsWindowVisible(hPage) != 0; });
}

bool AnswerFileDialog(const CProgramRun& run, LPCSTR pszCaption, LPCSTR pszPath)
{
    HWND hDialog = run.WaitForWindow(pszCaption);
    if (!hDialog)
        return false;
    // The file name box of the explorer-style dialog, or of the old one
    HWND hName = nullptr;
    if (!WaitUntil([&] { return (hName = ::GetDlgItem(hDialog, 1148)) || (hName = ::GetDlgItem(hDialog, 1152)); }))
        return false;
    TypeText(hName, pszPath);
    ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntil([&] { return !::IsWindow(hDialog); });
}

bool AnswerMessageBox(const CProgramRun& run, LPCSTR pszCaption, int nButton)
{
    HWND hBox = run.WaitForWindow(pszCaption);
    if (!hBox || !::GetDlgItem(hBox, nButton))
        return false;
    ClickButton(hBox, nButton);
    return WaitUntil([&] { return !::IsWindow(hBox); });
}
