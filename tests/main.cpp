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
        RestoreEnvironment();
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
        CheckThreads();
        CheckChildProcesses();
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

    void RestoreEnvironment()
    {
        std::map<std::string, std::string> now = Environment();
        for (const auto& variable : now)
            if (!m_environment.count(variable.first))
            {
                ADD_FAILURE() << "left the environment variable " << variable.first << " set";
                ::SetEnvironmentVariableA(variable.first.c_str(), nullptr);
            }
        for (const auto& variable : m_environment)
        {
            auto it = now.find(variable.first);
            if (it == now.end() || it->second != variable.second)
            {
                ADD_FAILURE() << "left the environment variable " << variable.first << " changed";
                ::SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
            }
        }
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

    template <class Visit>
    static void ForEachSnapshotEntry(DWORD nKind, Visit visit)
    {
        HANDLE hSnapshot = ::CreateToolhelp32Snapshot(nKind, 0);
        if (hSnapshot == INVALID_HANDLE_VALUE)
            return;
        if (nKind == TH32CS_SNAPTHREAD)
        {
            THREADENTRY32 entry = {};
            entry.dwSize = sizeof(entry);
            for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
                visit(entry.th32OwnerProcessID, entry.th32ThreadID);
        }
        else
        {
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof(entry);
            for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
                visit(entry.th32ParentProcessID, entry.th32ProcessID);
        }
        ::CloseHandle(hSnapshot);
    }

    // The threads of this process
    static std::set<DWORD> Threads()
    {
        std::set<DWORD> threads;
        ForEachSnapshotEntry(TH32CS_SNAPTHREAD, [&](DWORD nProcess, DWORD nThread) {
            if (nProcess == ::GetCurrentProcessId())
                threads.insert(nThread);
        });
        return threads;
    }

    static std::string StartModule(DWORD nThread)
    {
        typedef LONG(WINAPI * PFNQUERY)(HANDLE, int, PVOID, ULONG, PULONG);
        PFNQUERY pfnQuery = (PFNQUERY)(void*)::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread");
        HANDLE hThread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, nThread);
        void* pStart = nullptr;
        if (hThread && pfnQuery)
            pfnQuery(hThread, 9, &pStart, sizeof(pStart), nullptr);
        if (hThread)
            ::CloseHandle(hThread);
        HMODULE hModule = nullptr;
        char szName[MAX_PATH] = "?";
        if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 (LPCSTR)pStart, &hModule))
            ::GetModuleFileNameA(hModule, szName, sizeof(szName));
        char szAddress[32];
        snprintf(szAddress, sizeof(szAddress), "%p", pStart);
        return std::string(szName) + "@" + szAddress;
    }

    // A thread that a case started must have ended with it; one that has just
    // said so may take a moment to go.
    void CheckThreads()
    {
        for (int nWait = 0;; nWait++)
        {
            std::set<DWORD> left;
            for (DWORD nThread : Threads())
                if (!m_threads.count(nThread))
                    left.insert(nThread);
            if (left.empty())
                return;
            if (nWait == 100)
            {
                std::string names;
                for (DWORD nThread : left)
                    names += " " + StartModule(nThread);
                ADD_FAILURE() << "left " << left.size() << " thread(s) running:" << names;
                return;
            }
            ::Sleep(10);
        }
    }

    // What a case started (the stand-in emulator) ends by itself, soon after
    // its work; one still running after two seconds is ended here.
    static void CheckChildProcesses()
    {
        for (int nWait = 0;; nWait++)
        {
            std::set<DWORD> children;
            ForEachSnapshotEntry(TH32CS_SNAPPROCESS, [&](DWORD nParent, DWORD nProcess) {
                if (nParent == ::GetCurrentProcessId())
                    children.insert(nProcess);
            });
            if (children.empty())
                return;
            if (nWait == 200)
            {
                ADD_FAILURE() << "left " << children.size() << " process(es) running";
                for (DWORD nProcess : children)
                    if (HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE, FALSE, nProcess))
                    {
                        ::TerminateProcess(hProcess, 1);
                        ::CloseHandle(hProcess);
                    }
                return;
            }
            ::Sleep(10);
        }
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
