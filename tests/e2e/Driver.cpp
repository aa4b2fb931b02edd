#include "Driver.h"

#include <commctrl.h>

CProgramRun::CProgramRun()
{
    static int s_nCounter = 0;
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(szTemp), szTemp);
    for (;;)
    {
        m_strFolder.Format("%skovana-run-%lu-%d", szTemp, ::GetCurrentProcessId(), ++s_nCounter);
        if (::CreateDirectoryA(m_strFolder, nullptr))
            break;
    }
    ::CopyFileA(KOVANA_EXE, File("Kovana.exe"), FALSE);
    ::CopyFileA(KOVANA_STANDIN_EXE, File("zot.exe"), FALSE);
}

static void RemoveFolder(const CString& strFolder)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString strName(fd.cFileName);
            if (strName == "." || strName == "..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(strFolder + "\\" + strName);
            else
                ::DeleteFileA(strFolder + "\\" + strName);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strFolder);
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
    RemoveFolder(m_strFolder);
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
    return ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, m_strFolder, &si, &m_pi) != 0;
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

CString WindowText(HWND hWnd)
{
    char szText[1024] = "";
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_ABORTIFHUNG, 5000, &dwResult);
    return CString(szText);
}

void TypeText(HWND hWnd, LPCSTR pszText)
{
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_SETTEXT, 0, (LPARAM)pszText, SMTO_ABORTIFHUNG, 5000, &dwResult);
}

void ClickButton(HWND hDlg, int nID)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
}

void PressKey(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
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
