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
        // The threads as the case before left them: a snapshot costs about
        // ten milliseconds under Wine.
        if (!m_bThreadsKnown)
            m_threads = Snapshot().threads;
        m_bThreadsKnown = true;
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
            ADD_FAILURE() << "left the current directory at " << CurrentDirectory().str();
            ::SetCurrentDirectoryA(m_strDirectory);
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
        CProcessState state = Snapshot();
        for (DWORD nStart = ::GetTickCount(); state.HasOtherThreads(m_threads) || !state.children.empty();)
        {
            if (::GetTickCount() - nStart > 2000)
            {
                ADD_FAILURE() << "left " << (state.HasOtherThreads(m_threads) ? "threads" : "no thread") << " and "
                              << state.children.size() << " started process(es) running";
                for (DWORD nProcess : state.children)
                    if (HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE, FALSE, nProcess))
                    {
                        ::TerminateProcess(hProcess, 1);
                        ::CloseHandle(hProcess);
                    }
                break;
            }
            ::Sleep(10);
            state = Snapshot();
        }
        m_threads = state.threads;
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

    // The top-level windows of every thread of this process, but the input
    // method's, which the system makes with a thread's first window
    static std::set<HWND> ProcessWindows()
    {
        std::set<HWND> windows;
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) {
                DWORD nProcess = 0;
                ::GetWindowThreadProcessId(hWnd, &nProcess);
                char szClass[8] = "";
                ::GetClassNameA(hWnd, szClass, sizeof(szClass));
                if (nProcess == ::GetCurrentProcessId() && lstrcmpA(szClass, "IME") != 0)
                    ((std::set<HWND>*)lParam)->insert(hWnd);
                return TRUE;
            },
            (LPARAM)&windows);
        return windows;
    }

    struct CProcessState
    {
        std::set<DWORD> threads;   // of this process
        std::set<DWORD> children;  // the processes it started that run
        bool HasOtherThreads(const std::set<DWORD>& known) const
        {
            for (DWORD nThread : threads)
                if (!known.count(nThread))
                    return true;
            return false;
        }
    };
    static CProcessState Snapshot()
    {
        CProcessState state;
        HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD | TH32CS_SNAPPROCESS, 0);
        if (hSnapshot == INVALID_HANDLE_VALUE)
            return state;
        THREADENTRY32 thread = {};
        thread.dwSize = sizeof(thread);
        for (BOOL bMore = ::Thread32First(hSnapshot, &thread); bMore; bMore = ::Thread32Next(hSnapshot, &thread))
            if (thread.th32OwnerProcessID == ::GetCurrentProcessId())
                state.threads.insert(thread.th32ThreadID);
        PROCESSENTRY32 process = {};
        process.dwSize = sizeof(process);
        for (BOOL bMore = ::Process32First(hSnapshot, &process); bMore; bMore = ::Process32Next(hSnapshot, &process))
            if (process.th32ParentProcessID == ::GetCurrentProcessId())
                state.children.insert(process.th32ProcessID);
        ::CloseHandle(hSnapshot);
        return state;
    }

    CString m_strDirectory;
    std::map<std::string, std::string> m_environment;
    std::set<HWND> m_windows;
    std::set<DWORD> m_threads;
    bool m_bThreadsKnown = false;
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
