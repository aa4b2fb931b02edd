// Classes in this file:
//   CFile       - binary file on a Win32 file handle
//   CStdioFile  - text file: each "\n" written becomes CR LF
//   CFileDialog - common Open or Save As dialog, shown through the prompt seam
//   CFolderPickerDialog - the system's folder picker, shown through the prompt seam
#pragma once

#include "Prompt.h"
#include "Wnd.h"

class CFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,  // no other handle may read or write meanwhile
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,      // create, or truncate an existing file
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() {}
    virtual ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // CreateFile
    virtual BOOL Open(LPCSTR pszFileName, UINT nOpenFlags);
    // ReadFile: the number of bytes read, 0 at the end or on failure
    UINT Read(void* pBuffer, UINT nCount);
    // WriteFile: TRUE when every byte was written
    BOOL Write(const void* pBuffer, UINT nCount);
    // SetFilePointerEx: the new position, or -1 on failure
    LONGLONG Seek(LONGLONG lOff, UINT nFrom);
    // GetFileSizeEx
    ULONGLONG GetLength() const;
    // GetFileType: FILE_TYPE_DISK, FILE_TYPE_PIPE, FILE_TYPE_CHAR...
    DWORD GetFileType() const { return ::GetFileType(m_hFile); }
    // CloseHandle
    void Close();

protected:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

class CStdioFile : public CFile
{
public:
    // Writes the text with every "\n" as CR LF; TRUE when all of it was written
    BOOL WriteString(LPCSTR psz);
};

class CFileDialog
{
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR pszDefExt = nullptr, LPCSTR pszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR pszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    OPENFILENAMEA m_ofn;

    // GetOpenFileName or GetSaveFileName through the prompt seam: IDOK or IDCANCEL
    INT_PTR DoModal();
    CString GetPathName() const { return CString(m_szFileName); }

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::string m_strFilter;  // "|" turned into the NULs that OPENFILENAME wants
    char m_szFileName[MAX_PATH] = "";
};

class CFolderPickerDialog
{
public:
    // Opens in pszFolder when it names a folder
    explicit CFolderPickerDialog(LPCSTR pszFolder = nullptr, CWnd* pParentWnd = nullptr);

    // IFileOpenDialog with FOS_PICKFOLDERS, through the prompt seam: IDOK or IDCANCEL
    INT_PTR DoModal();
    // The chosen folder's path; a drive's root keeps its backslash ("C:\")
    CString GetFolderPath() const { return m_strFolder; }

private:
    CString m_strInitialFolder;
    HWND m_hWndOwner;
    CString m_strFolder;
};
