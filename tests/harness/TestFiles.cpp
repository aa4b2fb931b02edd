#include "TestFiles.h"

#include <cstdio>
#include <stdexcept>

CTempDir::CTempDir(LPCSTR pszPrefix)
{
    static int s_nCounter = 0;
    char szTemp[MAX_PATH] = "";
    DWORD nLength = ::GetTempPathA(sizeof(szTemp), szTemp);
    if (nLength == 0 || nLength >= sizeof(szTemp))
        throw std::runtime_error("no temporary folder");
    CString strBase(szTemp);
    if (strBase.Right(1) == "\\")
        strBase = strBase.Left(strBase.GetLength() - 1);
    // A name left by an earlier run of the same process id is skipped; any
    // other failure would repeat forever.
    for (int nTry = 0; nTry < 1000; nTry++)
    {
        m_strPath.Format("%s\\%s-%lu-%d", (LPCSTR)strBase, pszPrefix, ::GetCurrentProcessId(), ++s_nCounter);
        if (::CreateDirectoryA(m_strPath, nullptr))
            return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error(std::string("cannot make a temporary folder like ") + m_strPath.str());
}

CTempDir::~CTempDir()
{
    RemoveTree(m_strPath);
}

void RemoveTree(const CString& strPath)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strPath + "\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString strName(fd.cFileName);
            if (strName == "." || strName == "..")
                continue;
            CString strChild = strPath + "\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strChild);
            else
            {
                ::SetFileAttributesA(strChild, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(strChild);
            }
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strPath);
}

std::string ReadWholeFile(LPCSTR pszPath)
{
    // Sharing deletion too: a file that another process has just renamed into
    // place can still be open there for the rename, and the C library's open,
    // which does not share deletion, would fail and read nothing.
    std::string data;
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return data;
    char buffer[65536];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &nRead, nullptr) && nRead > 0)
        data.append(buffer, nRead);
    ::CloseHandle(hFile);
    return data;
}

BOOL WriteWholeFile(LPCSTR pszPath, const std::string& data)
{
    FILE* f = fopen(pszPath, "wb");
    if (!f)
        return FALSE;
    BOOL bWritten = fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && bWritten;
}

BOOL FileExists(LPCSTR pszPath)
{
    return ::GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}
