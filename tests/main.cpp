#include "TestSupport.h"
#include "drives/CatalogThread.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <map>
#include <set>
#include <string>

namespace {

// The cases of a suite run one after another in one process (see
// SuiteTests.cmake), in any order (--gtest_shuffle). A case must leave the
// process as it found it: this listener looks after every case for what a
// case can leave behind, fails the case that left it, and clears it away so
// that the next case starts clean. Hooks and thread timers cannot be listed;
// those are the cases' own to remove.
class CLeftoverCheck : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_strDirectory = CurrentDirectory();
        m_environment = Environment();
        m_windows = ProcessWindows();
        m_threads = Threads();
        m_pfnStartEmulator = CLauncherApp::s_pfnStartEmulator;
        m_pfnStartEditor = CCatalogThread::s_pfnStartEditor;
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        for (HWND hWnd : ProcessWindows())
            if (!m_windows.count(hWnd))
            {
                ADD_FAILURE() << "left a window: \"" << AfxGetWindowText(hWnd).str() << "\"";
                if (::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId())
                    ::DestroyWindow(hWnd);
            }
        PumpMessages();
        if (CurrentDirectory() != m_strDirectory)
        {
            ADD_FAILURE() << "left the current directory at " << CurrentDirectory();
            ::SetCurrentDirectoryA(m_strDirectory.c_str());
        }
        std::map<std::string, std::string> environment = Environment();
        for (const auto& variable : environment)
            if (!m_environment.count(variable.first))
            {
                ADD_FAILURE() << "left the environment variable " << variable.first << " set";
                ::SetEnvironmentVariableA(variable.first.c_str(), nullptr);
            }
        for (const auto& variable : m_environment)
            if (environment[variable.first] != variable.second)
            {
                ADD_FAILURE() << "left the environment variable " << variable.first << " changed";
                ::SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
            }
        if (CPromptRecorder::IsInstalled())
            ADD_FAILURE() << "left its answers to message boxes and file dialogs installed";
        if (AfxGetApp())
            ADD_FAILURE() << "left an application object";
        if (CLauncherApp::s_pfnStartEmulator != m_pfnStartEmulator)
        {
            ADD_FAILURE() << "left the emulator start replaced";
            CLauncherApp::s_pfnStartEmulator = m_pfnStartEmulator;
        }
        if (CCatalogThread::s_pfnStartEditor != m_pfnStartEditor)
        {
            ADD_FAILURE() << "left the editor start replaced";
            CCatalogThread::s_pfnStartEditor = m_pfnStartEditor;
        }
        if (::GetCapture())
        {
            ADD_FAILURE() << "left the mouse captured";
            ::ReleaseCapture();
        }
        // A thread that has just said it ends may take a moment to go, and
        // what a case started (the stand-in emulator) ends by itself soon
        // after its work.
        std::set<DWORD> threads = Lingering(1000, [&] {
            std::set<DWORD> started;
            for (DWORD nThread : Threads())
                if (!m_threads.count(nThread))
                    started.insert(nThread);
            return started;
        });
        if (!threads.empty())
            ADD_FAILURE() << "left " << threads.size() << " thread(s) running";
        std::set<DWORD> children = Lingering(2000, [] { return Snapshot(TH32CS_SNAPPROCESS); });
        if (!children.empty())
            ADD_FAILURE() << "left " << children.size() << " process(es) running";
        for (DWORD nProcess : children)
            if (HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE, FALSE, nProcess))
            {
                ::TerminateProcess(hProcess, 1);
                ::CloseHandle(hProcess);
            }
    }

    static std::string CurrentDirectory()
    {
        char szDirectory[MAX_PATH] = "";
        ::GetCurrentDirectoryA(sizeof(szDirectory), szDirectory);
        return szDirectory;
    }

    static std::map<std::string, std::string> Environment()
    {
        std::map<std::string, std::string> variables;
        LPCH pBlock = ::GetEnvironmentStringsA();
        for (LPCSTR psz = pBlock; *psz; psz += strlen(psz) + 1)
        {
            // The hidden per-drive folders ("=C:=C:\...") begin with "=".
            LPCSTR pszEquals = strchr(psz + 1, '=');
            if (pszEquals && *psz != '=')
                variables[std::string(psz, pszEquals)] = pszEquals + 1;
        }
        ::FreeEnvironmentStringsA(pBlock);
        return variables;
    }

    // The top-level windows of every thread of this process
    static std::set<HWND> ProcessWindows()
    {
        std::set<HWND> windows;
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) {
                DWORD nProcess = 0;
                ::GetWindowThreadProcessId(hWnd, &nProcess);
                if (nProcess == ::GetCurrentProcessId())
                    ((std::set<HWND>*)lParam)->insert(hWnd);
                return TRUE;
            },
            (LPARAM)&windows);
        return windows;
    }

    // This process's threads, or with TH32CS_SNAPPROCESS the processes it started
    static std::set<DWORD> Snapshot(DWORD nKind)
    {
        std::set<DWORD> ids;
        HANDLE hSnapshot = ::CreateToolhelp32Snapshot(nKind, 0);
        if (hSnapshot == INVALID_HANDLE_VALUE)
            return ids;
        if (nKind == TH32CS_SNAPTHREAD)
        {
            THREADENTRY32 entry = {};
            entry.dwSize = sizeof(entry);
            for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
                if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
                    ids.insert(entry.th32ThreadID);
        }
        else
        {
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof(entry);
            for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
                if (entry.th32ParentProcessID == ::GetCurrentProcessId())
                    ids.insert(entry.th32ProcessID);
        }
        ::CloseHandle(hSnapshot);
        return ids;
    }
    static std::set<DWORD> Threads() { return Snapshot(TH32CS_SNAPTHREAD); }

    // What the list gives once it is empty, or after about nMs
    template <class List>
    static std::set<DWORD> Lingering(int nMs, List list)
    {
        std::set<DWORD> left = list();
        for (int nWaited = 0; !left.empty() && nWaited < nMs; nWaited += 10)
        {
            ::Sleep(10);
            left = list();
        }
        return left;
    }

    std::string m_strDirectory;
    std::map<std::string, std::string> m_environment;
    std::set<HWND> m_windows;
    std::set<DWORD> m_threads;
    CLauncherApp::EmulatorStarter m_pfnStartEmulator = nullptr;
    CCatalogThread::EditorStarter m_pfnStartEditor = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    // GoogleTest starts a thread that watches this one the first time this one
    // keeps a trace: started before the first case, it is not that case's.
    {
        SCOPED_TRACE("");
    }
    ::testing::UnitTest::GetInstance()->listeners().Append(new CLeftoverCheck);
    return RUN_ALL_TESTS();
}
