#include "CatalogThread.h"

#include "app/FileScan.h"
#include "app/LauncherApp.h"
#include "framework/Prompt.h"

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

BOOL CCatalogThread::Start(HWND hWndPage)
{
    static const LPCSTR s_pszClass = "KovanaCatalogRun";
    static ATOM s_atom = 0;
    if (!s_atom)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = NotifyProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = s_pszClass;
        s_atom = ::RegisterClassA(&wc);
    }
    m_hWndNotify = ::CreateWindowExA(0, s_pszClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, AfxGetInstanceHandle(),
                                     nullptr);
    if (!m_hWndNotify)
        return FALSE;
    ::SetWindowLongPtrA(m_hWndNotify, GWLP_USERDATA, (LONG_PTR)this);
    m_hWndPage = hWndPage;
    AddRef();  // the run's own, given up when its thread ends
    if (CreateThread())
        return TRUE;
    Release();
    ::DestroyWindow(m_hWndNotify);
    m_hWndNotify = nullptr;
    return FALSE;
}

void CCatalogThread::Release()
{
    if (--m_nRefs == 0)
        delete this;
}

LRESULT CALLBACK CCatalogThread::NotifyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCatalogThread* pRun = (CCatalogThread*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (!pRun || message < WM_CATALOG_BEGIN || message > WM_CATALOG_DONE)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_CATALOG_BEGIN)
        pRun->m_nImages = (int)wParam;
    else if (message == WM_CATALOG_STEP)
        pRun->m_nListed++;
    else
        pRun->m_bDone = TRUE;
    if (pRun->m_hWndPage)
        ::SendMessageA(pRun->m_hWndPage, message, wParam, lParam);
    // Nothing is sent after the end. The run waits for this answer, so it
    // still holds the object while its window goes.
    if (message != WM_CATALOG_DONE)
        return 0;
    if (!pRun->m_strFailure.IsEmpty())
        CPrompt::MessageBox(pRun->m_hWndPage ? ::GetAncestor(pRun->m_hWndPage, GA_ROOT) : nullptr,
                            pRun->m_strFailure, "ERROR", MB_OK | MB_ICONEXCLAMATION);
    ::DestroyWindow(hWnd);
    return 0;
}

BOOL CCatalogThread::InitInstance()
{
    // A report that cannot be created leaves a report of that name as it was.
    CStdioFile report;
    const CString strNotWritten = "The catalog report could not be written:\n" + m_strReportPath;
    if (!report.Open(m_strReportPath, CFile::modeCreate | CFile::modeWrite))
    {
        m_strFailure = strNotWritten;
        ::SendMessageA(m_hWndNotify, WM_CATALOG_DONE, 0, 0);
        return FALSE;
    }
    BOOL bWritten = TRUE;
    auto write = [&](const CString& strLine) { bWritten = report.WriteString(strLine) && bWritten; };

    // The folder exactly as the path gives it: an image in a drive's root
    // gives "C:" in the report, and "C:\*.adf" to search.
    int nSlash = m_strImagePath.ReverseFind('\\');
    CString strFolder = nSlash >= 0 ? m_strImagePath.Left(nSlash) : CString("");
    CString strPattern = strFolder + "\\*.adf";

    write(FormatSeparator());
    write(FormatRow(CLauncherApp::PROGRAM_TITLE, "Amiga Disk File Catalog", ""));
    write(FormatRow("Directory", strFolder, ""));
    write(FormatSeparator());
    write(FormatRow("DOS Filename", "Amiga Filename", "File Length"));
    write(FormatSeparator());

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
            // One open gives the volume name and the length. A file held open
            // by another program still has the length its directory entry records.
            CString strName = CLauncherApp::TEXT_NOT_FOUND;
            ULONGLONG nLength = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
            CFile image;
            if (OpenPlainFile(image, strFolder + "\\" + fd.cFileName, CFile::shareExclusive))
            {
                nLength = image.GetLength();
                strName = ReadDiskName(image, nLength);
            }
            image.Close();
            write(FormatRow(fd.cFileName, strName, std::to_string(nLength).c_str()));
            nTotalSize += nLength;
            nListed++;
            ::SendMessageA(m_hWndNotify, WM_CATALOG_STEP, 0, 0);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }

    write(FormatSeparator());
    write(FormatRow("", "Total Size", std::to_string(nTotalSize).c_str()));
    write(FormatRow("", "Number Of Files", std::to_string(nListed).c_str()));
    write(FormatSeparator());
    if (!bWritten)
        m_strFailure = strNotWritten + "\n\nThe report is not complete.";
    ::SendMessageA(m_hWndNotify, WM_CATALOG_DONE, 0, 0);
    report.Close();

    s_pfnStartEditor("Notepad.exe " + m_strReportPath, SW_SHOW);
    return FALSE;
}
