#include "Wnd.h"
#include "Prompt.h"

static CWinApp* s_pApp = nullptr;

CPrompt::MessageBoxResponder CPrompt::s_pfnMessageBox = nullptr;
CPrompt::FileDialogResponder CPrompt::s_pfnFileDialog = nullptr;

int CPrompt::MessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    if (s_pfnMessageBox)
        return s_pfnMessageBox(hWndOwner, pszText, pszCaption, nType);
    return ::MessageBoxA(hWndOwner, pszText, pszCaption, nType);
}

BOOL CPrompt::FileDialog(BOOL bOpenFileDialog, OPENFILENAMEA& ofn)
{
    if (s_pfnFileDialog)
        return s_pfnFileDialog(bOpenFileDialog, ofn);
    return bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
}

int CWnd::MessageBox(LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    return CPrompt::MessageBox(m_hWnd, pszText, pszCaption, nType);
}

CWinApp::CWinApp()
{
    // The most recently constructed application object is the current one,
    // so a test can make its own while the program has its global instance.
    s_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (m_hbrDlgBk)
        ::DeleteObject(m_hbrDlgBk);
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::SetDialogBkColor(COLORREF clrCtlBk, COLORREF clrCtlText)
{
    if (m_hbrDlgBk)
        ::DeleteObject(m_hbrDlgBk);
    m_crDlgBk = clrCtlBk;
    m_crDlgText = clrCtlText;
    m_hbrDlgBk = ::CreateSolidBrush(clrCtlBk);
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    return s_pApp ? s_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine ? lpCmdLine : "";
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
