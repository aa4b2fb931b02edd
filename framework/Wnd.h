// Classes in this file:
//   CWnd    - holder of an HWND; each method sends one message or calls one function
//   CWinApp - the application object: instance handle, command line, dialog colours
#pragma once

#include "String.h"

class CWnd
{
public:
    HWND m_hWnd = nullptr;

    CWnd() {}
    CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd() {}

    operator HWND() const { return m_hWnd; }

    // Binds the wrapper to an existing window. Controls that must see their
    // own messages first (the notifying slider) subclass the window here.
    virtual void SubclassWindow(HWND hWnd) { m_hWnd = hWnd; }

// Attributes
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    CString GetWindowText() const { return AfxGetWindowText(m_hWnd); }
    // GetWindowPlacement, with the rectangle in the parent's client coordinates
    BOOL GetWindowPlacement(WINDOWPLACEMENT* pwp) const { pwp->length = sizeof(*pwp); return ::GetWindowPlacement(m_hWnd, pwp); }

// Operations
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    void SetWindowText(LPCSTR psz) { ::SetWindowTextA(m_hWnd, psz); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* pwp) { return ::SetWindowPlacement(m_hWnd, pwp); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    // WM_SETICON
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon); }
    BOOL DestroyWindow() { BOOL b = ::DestroyWindow(m_hWnd); m_hWnd = nullptr; return b; }
    // Message box owned by this window, through the prompt seam
    int MessageBox(LPCSTR pszText, LPCSTR pszCaption, UINT nType);
};

class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();

    HINSTANCE m_hInstance = nullptr;
    LPCSTR m_lpCmdLine = "";
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    // Runs the message loop while a modeless main window lives.
    virtual int Run();

    // Background and text colour of the dialogs that open from now on
    void SetDialogBkColor(COLORREF clrCtlBk = RGB(192, 192, 192), COLORREF clrCtlText = RGB(0, 0, 0));
    COLORREF GetDialogBkColor() const { return m_crDlgBk; }
    COLORREF GetDialogTextColor() const { return m_crDlgText; }
    // The brush that dialogs paint their background with; null until SetDialogBkColor is called.
    HBRUSH GetDialogBkBrush() const { return m_hbrDlgBk; }

private:
    COLORREF m_crDlgBk = 0;
    COLORREF m_crDlgText = 0;
    HBRUSH m_hbrDlgBk = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// LoadLibraryEx from the system folder, for what is loaded when first needed
HMODULE AfxLoadSystemLibrary(LPCSTR pszName);
// LoadImage of the icon resource's image in the size that the system gives a
// window's big (SM_CXICON) or small (SM_CXSMICON) icon: each size has an image
// of its own, where LoadIcon would give the big one to be shrunk. Shared: never destroyed.
HICON AfxLoadWindowIcon(UINT nIDResource, BOOL bBigIcon);

// Entry point body: runs the global application object's InitInstance.
int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine);
