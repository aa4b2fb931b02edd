#include "ProfileLock.h"

#include <vector>

// How long a second copy waits for the first to publish its process id, and
// for the first to show a window when it has none yet
static const DWORD PUBLISH_WAIT_MS = 5000;
static const DWORD WINDOW_WAIT_MS = 5000;

CProfileLock::~CProfileLock()
{
    if (m_hProcessId)
        ::CloseHandle(m_hProcessId);
    if (m_hMutex)
        ::CloseHandle(m_hMutex);
}

CString CProfileLock::FolderIdentity(LPCSTR pszProfile)
{
    CString strFolder(pszProfile);
    strFolder = strFolder.Left(strFolder.ReverseFind('\\') + 1);
    CString strIdentity;
    // Another drive letter, a short name or other case for the same folder
    // all open the same file.
    HANDLE hFolder = ::CreateFileA(strFolder, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFolder != INVALID_HANDLE_VALUE)
    {
        BY_HANDLE_FILE_INFORMATION info;
        if (::GetFileInformationByHandle(hFolder, &info) && (info.nFileIndexHigh || info.nFileIndexLow))
            strIdentity.Format("%08lX-%08lX%08lX", info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
        ::CloseHandle(hFolder);
    }
    if (!strIdentity.IsEmpty())
        return strIdentity;

    // Without an index, the path as the file system resolves it
    char szFull[MAX_PATH * 2] = "";
    DWORD nLength = ::GetFullPathNameA(strFolder, sizeof(szFull), szFull, nullptr);
    CString strPath = nLength > 0 && nLength < sizeof(szFull) ? CString(szFull) : strFolder;
    char szLong[MAX_PATH * 2] = "";
    nLength = ::GetLongPathNameA(strPath, szLong, sizeof(szLong));
    if (nLength > 0 && nLength < sizeof(szLong))
        strPath = szLong;
    std::vector<char> upper(strPath.GetLength() + 1);
    lstrcpyA(upper.data(), strPath);
    ::CharUpperBuffA(upper.data(), (DWORD)strPath.GetLength());
    // A kernel object's name is short and holds no backslash: the path is
    // hashed (64-bit FNV-1a).
    unsigned long long nHash = 14695981039346656037ull;
    for (int i = 0; i < strPath.GetLength(); i++)
        nHash = (nHash ^ (BYTE)upper[i]) * 1099511628211ull;
    strIdentity.Format("P%016llX", nHash);
    return strIdentity;
}

BOOL CProfileLock::Take(LPCSTR pszProfile)
{
    CString strName = "Kovana-Profile-" + FolderIdentity(pszProfile);
    // The first copy owns the mutex until its process id is published.
    m_hMutex = ::CreateMutexA(nullptr, TRUE, strName);
    if (!m_hMutex)
        // A copy that another user started keeps the name to itself.
        return ::GetLastError() != ERROR_ACCESS_DENIED;
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
    {
        DWORD dwWait = ::WaitForSingleObject(m_hMutex, PUBLISH_WAIT_MS);
        if (dwWait != WAIT_OBJECT_0 && dwWait != WAIT_ABANDONED)
        {
            ::CloseHandle(m_hMutex);
            m_hMutex = nullptr;
            return FALSE;
        }
        // Abandoned: the other copy ended before it published anything, and
        // this one takes its place.
        if (dwWait == WAIT_OBJECT_0)
        {
            DWORD dwProcessId = 0;
            HANDLE hMapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, strName + "-Process");
            if (hMapping)
            {
                if (const DWORD* pId = (const DWORD*)::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, sizeof(DWORD)))
                {
                    dwProcessId = *pId;
                    ::UnmapViewOfFile(pId);
                }
                ::CloseHandle(hMapping);
            }
            ::ReleaseMutex(m_hMutex);
            ::CloseHandle(m_hMutex);
            m_hMutex = nullptr;
            if (dwProcessId)
                ShowCopy(dwProcessId);
            return FALSE;
        }
    }
    m_hProcessId = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                        strName + "-Process");
    if (m_hProcessId)
    {
        if (DWORD* pId = (DWORD*)::MapViewOfFile(m_hProcessId, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)))
        {
            *pId = ::GetCurrentProcessId();
            ::UnmapViewOfFile(pId);
        }
    }
    ::ReleaseMutex(m_hMutex);
    return TRUE;
}

struct CCopyWindow
{
    DWORD dwProcessId;
    HWND hWnd;
};

// The topmost visible top-level window of the process
static BOOL CALLBACK FindCopyWindow(HWND hWnd, LPARAM lParam)
{
    CCopyWindow& sought = *(CCopyWindow*)lParam;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != sought.dwProcessId || !::IsWindowVisible(hWnd))
        return TRUE;
    sought.hWnd = hWnd;
    return FALSE;
}

void CProfileLock::ShowCopy(DWORD dwProcessId)
{
    // A copy that is still starting has no window yet; it has one when it
    // first waits for input.
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, dwProcessId);
    if (!hProcess)
        return;
    ::WaitForInputIdle(hProcess, WINDOW_WAIT_MS);
    ::CloseHandle(hProcess);
    CCopyWindow sought = { dwProcessId, nullptr };
    ::EnumWindows(FindCopyWindow, (LPARAM)&sought);
    if (!sought.hWnd)
        return;
    // The launcher window, or the window that owns a dialog
    HWND hOwner = ::GetAncestor(sought.hWnd, GA_ROOTOWNER);
    if (::IsIconic(hOwner))
        ::ShowWindow(hOwner, SW_RESTORE);
    // The dialog or message box that the user last worked in, if any
    HWND hPopup = ::GetLastActivePopup(hOwner);
    ::SetForegroundWindow(hPopup && ::IsWindowVisible(hPopup) ? hPopup : sought.hWnd);
}
