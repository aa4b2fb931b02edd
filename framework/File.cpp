#include "File.h"

#include <cstring>

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
