// Classes in this file:
//   CString - ANSI string with value semantics and MFC's clamping rules
#pragma once

#include <windows.h>
#include <string>

class CString
{
public:
    CString() {}
    CString(LPCSTR psz) : m_str(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::string& str) : m_str(str) {}

// Attributes
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char operator[](int nIndex) const { return m_str[nIndex]; }
    operator LPCSTR() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

// Comparison
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(LPCSTR a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator!=(LPCSTR a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

// Concatenation
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCSTR b) { CString s(a); s += b; return s; }
    friend CString operator+(LPCSTR a, const CString& b) { CString s(a); s += b; return s; }
    friend CString operator+(const CString& a, char ch) { CString s(a); s += ch; return s; }

// Extraction: out-of-range arguments are clamped, never an error
    CString Mid(int nFirst) const { return Mid(nFirst, GetLength()); }
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const { return Mid(0, nCount); }
    CString Right(int nCount) const;

// Searching: -1 when not found
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

// Formatting and editing
    void Format(LPCSTR pszFormat, ...);
    int Replace(char chOld, char chNew);
    void TrimLeft();
    void TrimRight();
    void Trim() { TrimRight(); TrimLeft(); }

// Raw buffer access for Win32 calls that fill a caller's buffer
    LPSTR GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

// Reads a window's text into a CString (GetWindowTextLength + GetWindowText).
CString AfxGetWindowText(HWND hWnd);

// Sets a window's text only when it differs from the text there, as data
// exchange does: a control is spared its flicker and its caret, and Wine a
// request to its server for every field that stays as it was.
void AfxSetWindowText(HWND hWnd, LPCSTR pszNew);
