#include "String.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    return CString(m_str.substr(nFirst, nCount));
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return CString(m_str.substr(nLength - nCount));
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t n = m_str.find(ch, nStart);
    return n == std::string::npos ? -1 : (int)n;
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t n = m_str.find(pszSub, nStart);
    return n == std::string::npos ? -1 : (int)n;
}

int CString::ReverseFind(char ch) const
{
    size_t n = m_str.rfind(ch);
    return n == std::string::npos ? -1 : (int)n;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int nLength = vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (nLength < 0)
        m_str.clear();
    else
    {
        std::string buffer(nLength + 1, '\0');
        vsnprintf(&buffer[0], buffer.size(), pszFormat, args);
        buffer.resize(nLength);
        m_str.swap(buffer);
    }
    va_end(args);
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    for (char& ch : m_str)
        if (ch == chOld)
        {
            ch = chNew;
            nCount++;
        }
    return nCount;
}

void CString::TrimLeft()
{
    size_t n = m_str.find_first_not_of(" \t\r\n");
    m_str.erase(0, n == std::string::npos ? m_str.size() : n);
}

void CString::TrimRight()
{
    size_t n = m_str.find_last_not_of(" \t\r\n");
    m_str.erase(n == std::string::npos ? 0 : n + 1);
}

LPSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(nMinLength);
    // Room for the terminator that Win32 writes after the last character.
    m_str.reserve(m_str.size() + 1);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    m_str.resize(nNewLength);
}

CString AfxGetWindowText(HWND hWnd)
{
    int nLength = GetWindowTextLengthA(hWnd);
    CString str;
    if (nLength > 0)
    {
        // GetWindowText needs room for the terminator too.
        std::string buffer(nLength + 1, '\0');
        int nCopied = GetWindowTextA(hWnd, &buffer[0], nLength + 1);
        buffer.resize(nCopied > 0 ? nCopied : 0);
        str = CString(buffer);
    }
    return str;
}

void AfxSetWindowText(HWND hWnd, LPCSTR pszNew)
{
    int nNewLength = lstrlenA(pszNew);
    char szOld[256];
    // Compared byte for byte: lstrcmp takes some texts that differ for equal.
    if (nNewLength >= (int)sizeof(szOld) || GetWindowTextA(hWnd, szOld, sizeof(szOld)) != nNewLength
        || strcmp(szOld, pszNew) != 0)
        SetWindowTextA(hWnd, pszNew);
}
