// Files and folders for tests, shared by the in-process tests and the driver
// of the real program.
#pragma once

#include "framework/String.h"

#include <string>

// A fresh folder under %TEMP%, removed with everything in it at the end.
// Throws when no folder can be made: the test then fails at once instead of
// writing somewhere else.
class CTempDir
{
public:
    explicit CTempDir(LPCSTR pszPrefix = "kovana");
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const CString& Path() const { return m_strPath; }  // without a trailing backslash
    CString File(LPCSTR pszName) const { return m_strPath + "\\" + pszName; }

private:
    CString m_strPath;
};

std::string ReadWholeFile(LPCSTR pszPath);
// TRUE when every byte was written
BOOL WriteWholeFile(LPCSTR pszPath, const std::string& data);
BOOL FileExists(LPCSTR pszPath);
// Removes a folder and everything in it
void RemoveTree(const CString& strPath);
