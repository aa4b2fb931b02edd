// Classes in this file:
//   CPrompt - the one place where modal message boxes, file dialogs and the
//             folder picker are shown
//
// The program always shows the real ones. A test installs a responder that
// answers in their place and sees exactly what would have been shown.
#pragma once

#include "String.h"

#include <windows.h>
#include <commdlg.h>

class CPrompt
{
public:
    // Answers a message box instead of showing it; returns IDYES, IDOK...
    typedef int (*MessageBoxResponder)(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);
    // Answers a file dialog instead of showing it: fills ofn.lpstrFile and returns TRUE for OK.
    typedef BOOL (*FileDialogResponder)(BOOL bOpenFileDialog, OPENFILENAMEA& ofn);
    // Answers the folder picker, which opens in pszInitialFolder ("" for the
    // system's choice): sets strFolder and returns TRUE for OK.
    typedef BOOL (*FolderDialogResponder)(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder);

    static int MessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);
    static BOOL FileDialog(BOOL bOpenFileDialog, OPENFILENAMEA& ofn);
    static BOOL FolderDialog(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder);

    static void SetMessageBoxResponder(MessageBoxResponder pfn) { s_pfnMessageBox = pfn; }
    static void SetFileDialogResponder(FileDialogResponder pfn) { s_pfnFileDialog = pfn; }
    static void SetFolderDialogResponder(FolderDialogResponder pfn) { s_pfnFolderDialog = pfn; }

private:
    static MessageBoxResponder s_pfnMessageBox;
    static FileDialogResponder s_pfnFileDialog;
    static FolderDialogResponder s_pfnFolderDialog;
};
