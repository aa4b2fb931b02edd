// Classes in this file:
//   CCatalogThread - lists the Amiga disk images of a folder in a text report
#pragma once

#include "framework/String.h"
#include "framework/Thread.h"

#include <atomic>

// Sent synchronously by the run: the images found (wParam), each image listed,
// and the end of the run
#define WM_CATALOG_BEGIN (WM_USER + 1)
#define WM_CATALOG_STEP (WM_USER + 2)
#define WM_CATALOG_DONE (WM_USER + 3)

// A run outlives the window that started it: a launcher window may close, and
// another open, while it goes on. Its messages go to a window of its own,
// made on the user-interface thread when it starts and destroyed there once
// the end has been handled, so that it never sends to a window that is gone
// (or to another window that has since got the same handle). That window
// keeps the progress and passes each message on, on the same thread, to the
// page window attached at that moment, if any: the page window is told of a
// run, and nobody waits for it.
//
// The object is shared by the page and the run's thread, each holding one
// reference; the last to let go deletes it.
class CCatalogThread : public CWinThread
{
public:
    // Starts the text editor on a command line; WinExec unless replaced
    typedef UINT (*EditorStarter)(LPCSTR pszCommandLine, UINT nCmdShow);
    static EditorStarter s_pfnStartEditor;

    // One reference, the creator's
    CCatalogThread() {}

    // Set before the start, read-only afterwards
    CString m_strImagePath;   // the folder of this image is catalogued
    CString m_strReportPath;
    // Read by the run before each image
    std::atomic<BOOL> m_bStop{ FALSE };

// User-interface thread
    // Starts the run, telling the window given; FALSE when it could not start
    BOOL Start(HWND hWndPage);
    // The page window told from now on; null while there is none
    void Attach(HWND hWndPage) { m_hWndPage = hWndPage; }
    // What the run has told so far: the images found (-1 before it counted
    // them), the images listed, and whether it has ended
    int GetImageCount() const { return m_nImages; }
    int GetListedCount() const { return m_nListed; }
    BOOL IsDone() const { return m_bDone; }

// Either thread
    void Release();

    // The whole run: report, messages, editor
    BOOL InitInstance() override;
    // The run's thread lets go of its reference.
    void Delete() override { Release(); }

private:
    // One report line: the three cells cut or padded to their widths
    static CString FormatRow(LPCSTR pszFirst, LPCSTR pszSecond, LPCSTR pszThird);
    static CString FormatSeparator();
    void AddRef() { m_nRefs++; }
    static LRESULT CALLBACK NotifyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::atomic<LONG> m_nRefs{ 1 };
    // The run's own window on the user-interface thread: set before the
    // start, valid until the end has been handled
    HWND m_hWndNotify = nullptr;
    // Touched on the user-interface thread only
    HWND m_hWndPage = nullptr;
    int m_nImages = -1;
    int m_nListed = 0;
    BOOL m_bDone = FALSE;
    // Why the report is missing or incomplete, for the user; set by the run
    // before it tells its end
    CString m_strFailure;
};
