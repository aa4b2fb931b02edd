#include "File.h"

#include <shobjidl.h>

#include <cstring>
#include <string>

BOOL CFile::Open(LPCSTR pszFileName, UINT nOpenFlags)
{
    Close();
    DWORD dwAccess = GENERIC_READ;
    if (nOpenFlags & modeWrite)
        dwAccess = GENERIC_WRITE;
    else if (nOpenFlags & modeReadWrite)
        dwAccess = GENERIC_READ | GENERIC_WRITE;
    DWORD dwShare = 0;
    if (nOpenFlags & shareDenyNone)
        dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    else if (nOpenFlags & shareDenyWrite)
        dwShare = FILE_SHARE_READ;
    DWORD dwCreate = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile = ::CreateFileA(pszFileName, dwAccess, dwShare, nullptr, dwCreate, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* pBuffer, UINT nCount)
{
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, pBuffer, nCount, &dwRead, nullptr))
        return 0;
    return dwRead;
}

BOOL CFile::Write(const void* pBuffer, UINT nCount)
{
    DWORD dwWritten = 0;
    return ::WriteFile(m_hFile, pBuffer, nCount, &dwWritten, nullptr) && dwWritten == nCount;
}

LONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        return -1;
    return position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        return 0;
    return size.QuadPart;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::WriteString(LPCSTR psz)
{
    std::string text;
    for (; *psz; psz++)
    {
        if (*psz == '\n')
            text += '\r';
        text += *psz;
    }
    return Write(text.data(), (UINT)text.size());
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR pszDefExt, LPCSTR pszFileName, DWORD dwFlags,
                         LPCSTR pszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(pszDefExt)
{
    if (pszFilter)
    {
        m_strFilter = pszFilter;
        for (char& ch : m_strFilter)
            if (ch == '|')
                ch = '\0';
        m_strFilter += '\0';
    }
    if (pszFileName)
        lstrcpynA(m_szFileName, pszFileName, sizeof(m_szFileName));

    memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : (LPCSTR)m_strDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    return CPrompt::FileDialog(m_bOpenFileDialog, m_ofn) ? IDOK : IDCANCEL;
}

CPrompt::FolderDialogResponder CPrompt::s_pfnFolderDialog = nullptr;

// The path as this program's narrow strings hold it. A name that the ANSI
// code page cannot spell is given by its short name, which it can.
static CString NarrowPath(LPCWSTR pszPath)
{
    auto narrow = [](LPCWSTR psz, CString& strPath) {
        BOOL bLost = FALSE;
        int nLength = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, psz, -1, nullptr, 0, nullptr, &bLost);
        if (nLength <= 1 || bLost)
            return FALSE;
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, psz, -1, strPath.GetBuffer(nLength), nLength, nullptr,
                              nullptr);
        strPath.ReleaseBuffer(nLength - 1);
        return TRUE;
    };
    CString strPath;
    if (narrow(pszPath, strPath))
        return strPath;
    WCHAR szShort[MAX_PATH];
    DWORD nShort = ::GetShortPathNameW(pszPath, szShort, MAX_PATH);
    if (nShort > 0 && nShort < MAX_PATH && narrow(szShort, strPath))
        return strPath;
    return "";
}

// The folder picker belongs to the shell and runs on COM, both loaded the
// first time it opens, as comdlg32 is for the file dialogs.
static BOOL ShowFolderPicker(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder)
{
    static const HMODULE s_hOle = AfxLoadSystemLibrary("ole32.dll");
    static const HMODULE s_hShell = AfxLoadSystemLibrary("shell32.dll");
    if (!s_hOle || !s_hShell)
        return FALSE;
    typedef HRESULT(WINAPI * PFNCOINITIALIZEEX)(LPVOID, DWORD);
    typedef void(WINAPI * PFNCOUNINITIALIZE)();
    typedef HRESULT(WINAPI * PFNCOCREATEINSTANCE)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    typedef void(WINAPI * PFNCOTASKMEMFREE)(LPVOID);
    typedef HRESULT(WINAPI * PFNSHCREATEITEM)(PCWSTR, IBindCtx*, REFIID, void**);
    auto pfnInitialize = (PFNCOINITIALIZEEX)(void*)::GetProcAddress(s_hOle, "CoInitializeEx");
    auto pfnUninitialize = (PFNCOUNINITIALIZE)(void*)::GetProcAddress(s_hOle, "CoUninitialize");
    auto pfnCreateInstance = (PFNCOCREATEINSTANCE)(void*)::GetProcAddress(s_hOle, "CoCreateInstance");
    auto pfnTaskMemFree = (PFNCOTASKMEMFREE)(void*)::GetProcAddress(s_hOle, "CoTaskMemFree");
    auto pfnCreateItem = (PFNSHCREATEITEM)(void*)::GetProcAddress(s_hShell, "SHCreateItemFromParsingName");
    if (!pfnInitialize || !pfnUninitialize || !pfnCreateInstance || !pfnTaskMemFree || !pfnCreateItem)
        return FALSE;

    HRESULT hrInitialize = pfnInitialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    BOOL bChosen = FALSE;
    IFileOpenDialog* pDialog = nullptr;
    if (SUCCEEDED(pfnCreateInstance(__uuidof(FileOpenDialog), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IFileOpenDialog), (void**)&pDialog)))
    {
        FILEOPENDIALOGOPTIONS options = 0;
        pDialog->GetOptions(&options);
        pDialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        int nWide = *pszInitialFolder ? ::MultiByteToWideChar(CP_ACP, 0, pszInitialFolder, -1, nullptr, 0) : 0;
        if (nWide > 0)
        {
            std::wstring strWide(nWide, L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, pszInitialFolder, -1, &strWide[0], nWide);
            IShellItem* pFolder = nullptr;
            if (SUCCEEDED(pfnCreateItem(strWide.c_str(), nullptr, __uuidof(IShellItem), (void**)&pFolder)))
            {
                pDialog->SetFolder(pFolder);
                pFolder->Release();
            }
        }
        IShellItem* pChosen = nullptr;
        if (SUCCEEDED(pDialog->Show(hWndOwner)) && SUCCEEDED(pDialog->GetResult(&pChosen)))
        {
            LPWSTR pszPath = nullptr;
            if (SUCCEEDED(pChosen->GetDisplayName(SIGDN_FILESYSPATH, &pszPath)))
            {
                strFolder = NarrowPath(pszPath);
                bChosen = !strFolder.IsEmpty();
                pfnTaskMemFree(pszPath);
            }
            pChosen->Release();
        }
        pDialog->Release();
    }
    if (SUCCEEDED(hrInitialize))
        pfnUninitialize();
    return bChosen;
}

BOOL CPrompt::FolderDialog(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder)
{
    if (s_pfnFolderDialog)
        return s_pfnFolderDialog(hWndOwner, pszInitialFolder, strFolder);
    return ShowFolderPicker(hWndOwner, pszInitialFolder, strFolder);
}

CFolderPickerDialog::CFolderPickerDialog(LPCSTR pszFolder, CWnd* pParentWnd)
    : m_strInitialFolder(pszFolder), m_hWndOwner(pParentWnd ? ::GetAncestor(*pParentWnd, GA_ROOT) : nullptr)
{
}

INT_PTR CFolderPickerDialog::DoModal()
{
    return CPrompt::FolderDialog(m_hWndOwner, m_strInitialFolder, m_strFolder) ? IDOK : IDCANCEL;
}
