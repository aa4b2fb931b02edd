// Classes in this file:
//   CCatalogThread - lists the Amiga disk images of a folder in a text report
#pragma once

#include "framework/Thread.h"

#include <atomic>

// Sent to m_hWndNotify, synchronously: the images found (wParam), each image
// listed, and the end of the run
#define WM_CATALOG_BEGIN (WM_USER + 1)
#define WM_CATALOG_STEP (WM_USER + 2)
#define WM_CATALOG_DONE (WM_USER + 3)

class CCatalogThread : public CWinThread
{
public:
    // Starts the text editor on a command line; WinExec unless replaced
    typedef UINT (*EditorStarter)(LPCSTR pszCommandLine, UINT nCmdShow);
    static EditorStarter s_pfnStartEditor;

    CCatalogThread() {}

    HWND m_hWndNotify = nullptr;
    CString m_strImagePath;   // the folder of this image is catalogued
    CString m_strReportPath;
    std::atomic<BOOL> m_bStop{ FALSE };

    // The whole run: report, messages, editor
    BOOL InitInstance() override;

    // One report line: the three cells cut or padded to their widths
    static CString FormatRow(LPCSTR pszFirst, LPCSTR pszSecond, LPCSTR pszThird);
    static CString FormatSeparator();
};
