#include "CatalogThread.h"

#include "app/LauncherApp.h"
#include "framework/File.h"

#include <string>

static UINT StartEditor(LPCSTR pszCommandLine, UINT nCmdShow)
{
    return ::WinExec(pszCommandLine, nCmdShow);
}

CCatalogThread::EditorStarter CCatalogThread::s_pfnStartEditor = StartEditor;

CString CCatalogThread::FormatRow(LPCSTR pszFirst, LPCSTR pszSecond, LPCSTR pszThird)
{
    CString strLine;
    strLine.Format("| %-20.20s | %-30.30s | %-15.15s |\n", pszFirst, pszSecond, pszThird);
    return strLine;
}

CString CCatalogThread::FormatSeparator()
{
    const char* pszDashes = "------------------------------";
    CString strLine;
    strLine.Format("+-%-20.20s-+-%-30.30s-+-%-15.15s-+\n", pszDashes, pszDashes, pszDashes);
    return strLine;
}

// Entries of the folder that may be images: folders named "*.adf" are not.
static BOOL IsImageEntry(const WIN32_FIND_DATAA& fd)
{
    return !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CCatalogThread::InitInstance()
{
    CStdioFile report;
    if (!report.Open(m_strReportPath, CFile::modeCreate | CFile::modeWrite))
    {
        ::SendMessageA(m_hWndNotify, WM_CATALOG_DONE, 0, 0);
        return FALSE;
    }

    int nSlash = m_strImagePath.ReverseFind('\\');
    CString strFolder = nSlash >= 0 ? m_strImagePath.Left(nSlash) : CString("");
    CString strPattern = strFolder + "\\*.adf";

    report.WriteString(FormatSeparator());
    report.WriteString(FormatRow("ZOT Brimlo", "Amiga Disk File Catalog", ""));
    report.WriteString(FormatRow("Directory", strFolder, ""));
    report.WriteString(FormatSeparator());
    report.WriteString(FormatRow("DOS Filename", "Amiga Filename", "File Length"));
    report.WriteString(FormatSeparator());

    WIN32_FIND_DATAA fd;
    int nFound = 0;
    HANDLE hFind = ::FindFirstFileA(strPattern, &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            if (IsImageEntry(fd))
                nFound++;
        while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::SendMessageA(m_hWndNotify, WM_CATALOG_BEGIN, nFound, 0);

    ULONGLONG nTotalSize = 0;
    int nListed = 0;
    hFind = ::FindFirstFileA(strPattern, &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (m_bStop)
                break;
            if (!IsImageEntry(fd))
                continue;
            CString strPath = strFolder + "\\" + fd.cFileName;
            CString strName = GetLauncherApp()->GetDiskName(strPath);
            // A file held open by another program still has the length its
            // directory entry records.
            ULONGLONG nLength = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
            CFile image;
            if (image.Open(strPath, CFile::modeRead | CFile::shareExclusive))
                nLength = image.GetLength();
            image.Close();
            report.WriteString(FormatRow(fd.cFileName, strName, std::to_string(nLength).c_str()));
            nTotalSize += nLength;
            nListed++;
            ::SendMessageA(m_hWndNotify, WM_CATALOG_STEP, 0, 0);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }

    report.WriteString(FormatSeparator());
    report.WriteString(FormatRow("", "Total Size", std::to_string(nTotalSize).c_str()));
    report.WriteString(FormatRow("", "Number Of Files", std::to_string(nListed).c_str()));
    report.WriteString(FormatSeparator());
    ::SendMessageA(m_hWndNotify, WM_CATALOG_DONE, 0, 0);
    report.Close();

    s_pfnStartEditor("Notepad.exe " + m_strReportPath, SW_SHOW);
    return FALSE;
}
