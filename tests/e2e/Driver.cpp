#include "Driver.h"

#include <commctrl.h>

CProgramRun::CProgramRun()
{
    ::CopyFileA(KOVANA_EXE, File("Kovana.exe"), FALSE);
    ::CopyFileA(KOVANA_STANDIN_EXE, File("zot.exe"), FALSE);
}

CProgramRun::~CProgramRun()
{
    if (IsRunning())
    {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    if (m_pi.hProcess)
    {
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

bool CProgramRun::Start(LPCSTR pszArguments)
{
    CString strCommand = "\"" + File("Kovana.exe") + "\"";
    if (pszArguments && *pszArguments)
        strCommand += CString(" ") + pszArguments;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string command = strCommand.str();
    // The stand-in emulator ends right after its receipt instead of showing its window.
    ::SetEnvironmentVariableA("ZOT_STANDIN_EXIT", "1");
    return ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, Folder(), &si, &m_pi) != 0;
}

bool CProgramRun::WaitForExit(DWORD dwTimeout)
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, dwTimeout) == WAIT_OBJECT_0;
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
    DWORD dwProcessId;
    std::vector<HWND> windows;
};

static BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* pSearch = (WindowSearch*)lParam;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == pSearch->dwProcessId && ::IsWindowVisible(hWnd))
        pSearch->windows.push_back(hWnd);
    return TRUE;
}

static std::vector<HWND> ProgramWindows(DWORD dwProcessId)
{
    WindowSearch search = { dwProcessId, {} };
    ::EnumWindows(CollectWindow, (LPARAM)&search);
    return search.windows;
}

HWND CProgramRun::WaitForWindow(LPCSTR pszCaption, bool bPrefix, DWORD dwTimeout) const
{
    HWND hFound = nullptr;
    CString strCaption(pszCaption);
    WaitUntil([&] {
        for (HWND hWnd : ProgramWindows(m_pi.dwProcessId))
        {
            CString strText = WindowText(hWnd);
            if (strText == strCaption || (bPrefix && strText.Left(strCaption.GetLength()) == strCaption))
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
    for (HWND hWnd : ProgramWindows(m_pi.dwProcessId))
        captions.push_back(WindowText(hWnd).str());
    return captions;
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
