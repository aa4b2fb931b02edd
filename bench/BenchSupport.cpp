#include "BenchSupport.h"

#include "harness/TestFiles.h"

#include <algorithm>
#include <cstring>

double Now()
{
    static LARGE_INTEGER s_frequency;
    if (!s_frequency.QuadPart)
        ::QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)s_frequency.QuadPart;
}

double CTimes::Best() const
{
    return m_runs.empty() ? 0 : *std::min_element(m_runs.begin(), m_runs.end());
}

double CTimes::Quantile(double dFraction) const
{
    if (m_runs.empty())
        return 0;
    std::vector<double> sorted(m_runs);
    std::sort(sorted.begin(), sorted.end());
    return sorted[(size_t)(dFraction * (double)(sorted.size() - 1) + 0.5)];
}

struct CWindowSought
{
    CString strCaption;
    BOOL bFound;
};

static BOOL CALLBACK FindShownWindow(HWND hWnd, LPARAM lParam)
{
    CWindowSought& sought = *(CWindowSought*)lParam;
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    char szCaption[256] = "";
    ::GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    sought.bFound = sought.strCaption == szCaption;
    return !sought.bFound;
}

BOOL CStartedProgram::Run()
{
    CString strCommand = "\"" + m_strExe + "\" " + m_strArguments;
    CString strFolder = m_strExe.Left(m_strExe.ReverseFind('\\'));
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    double dStart = Now();
    if (!::CreateProcessA(nullptr, strCommand.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, strFolder, &si, &pi))
        return FALSE;
    CWindowSought sought = { m_strCaption, FALSE };
    DWORD dwStartTick = ::GetTickCount();
    // Another process: nothing to wait on but its windows. Wine sends no
    // event when a window is shown, so the loop looks every millisecond.
    // It looks at the started thread's windows alone: under Wine that is one
    // server request for the list, where all the session's top-level windows
    // cost one each, and the server that answers is the one the program
    // being measured waits on.
    while (!sought.bFound && ::GetTickCount() - dwStartTick < WINDOW_TIMEOUT_MS)
    {
        ::EnumThreadWindows(pi.dwThreadId, FindShownWindow, (LPARAM)&sought);
        if (!sought.bFound)
            ::Sleep(1);
    }
    double dTime = Now() - dStart;
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (sought.bFound)
        m_times.Add(dTime);
    return sought.bFound;
}

static LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

std::string DefaultSection(CLauncherApp& app, LPCSTR pszScratchFolder)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "KovanaBenchHost";
    ::RegisterClassA(&wc);
    CWnd host;
    host.m_hWnd = ::CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    // A profile that lists the configuration, or the Config page would ask
    // for the name of a first one.
    CString strSaved = app.m_strProfile;
    app.m_strProfile = CString(pszScratchFolder) + "\\defaults.ini";
    ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", "1", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "Config#1", "Defaults", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "CurrentConfigName", "Defaults", app.m_strProfile);
    for (CSettingsPage* pPage : app.m_pPages)
        pPage->Create(pPage->GetTemplateID(), &host);
    app.SaveConfig();
    std::vector<char> buffer(1 << 16);
    DWORD nLength = ::GetPrivateProfileSectionA("Defaults", buffer.data(), (DWORD)buffer.size(), app.m_strProfile);
    ::DeleteFileA(app.m_strProfile);
    app.m_strProfile = strSaved;
    ::DestroyWindow(host.m_hWnd);
    host.m_hWnd = nullptr;

    std::string section;
    for (DWORD i = 0; i < nLength; i += (DWORD)strlen(buffer.data() + i) + 1)
        section += std::string(buffer.data() + i) + "\r\n";
    return section;
}

CString ConfigName(int nConfig)
{
    CString strName;
    strName.Format("Config %d", nConfig);
    return strName;
}

std::string ProfileText(int nConfigs, const std::string& section)
{
    // The layout the platform's profile functions write: a blank line before
    // each section, keys in the order of their first write.
    std::string text = "\r\n[ConfigList]\r\n";
    CString strLine;
    strLine.Format("NumberOfConfig=%d\r\n", nConfigs);
    text += strLine.str();
    for (int n = 1; n <= nConfigs; n++)
    {
        strLine.Format("Config#%d=%s\r\n", n, (LPCSTR)ConfigName(n));
        text += strLine.str();
        if (n == 1)
            text += "CurrentConfigName=" + ConfigName(nConfigs).str() + "\r\n";
    }
    for (int n = 1; n <= nConfigs; n++)
        text += "\r\n[" + ConfigName(n).str() + "]\r\n" + section;
    return text;
}

void WriteOldProfile(LPCSTR pszPath, const std::string& text)
{
    WriteWholeFile(pszPath, text);
    HANDLE hFile = ::CreateFileA(pszPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    FILETIME ftNow;
    ::GetSystemTimeAsFileTime(&ftNow);
    ULARGE_INTEGER time;
    time.LowPart = ftNow.dwLowDateTime;
    time.HighPart = ftNow.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;
    FILETIME ftOld = { time.LowPart, time.HighPart };
    ::SetFileTime(hFile, nullptr, nullptr, &ftOld);
    ::CloseHandle(hFile);
}
