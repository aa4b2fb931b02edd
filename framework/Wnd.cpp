#include "Wnd.h"
#include "Prompt.h"

#include <algorithm>
#include <vector>

// The application objects alive, oldest first; the newest is the current one,
// so a test can make its own while the program has its global instance, and
// the one before it is current again once it is gone.
static std::vector<CWinApp*>& LiveApps()
{
    static std::vector<CWinApp*> s_apps;
    return s_apps;
}

CPrompt::MessageBoxResponder CPrompt::s_pfnMessageBox = nullptr;
CPrompt::FileDialogResponder CPrompt::s_pfnFileDialog = nullptr;

int CPrompt::MessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    if (s_pfnMessageBox)
        return s_pfnMessageBox(hWndOwner, pszText, pszCaption, nType);
    return ::MessageBoxA(hWndOwner, pszText, pszCaption, nType);
}

HMODULE AfxLoadSystemLibrary(LPCSTR pszName)
{
    HMODULE hModule = ::LoadLibraryExA(pszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the search flags refuse it; the system's own DLLs are
    // known DLLs there and come from the system folder all the same.
    return hModule ? hModule : ::LoadLibraryA(pszName);
}

// The file dialogs live in comdlg32, which brings the shell with it: imported
// at start-up, it kept every start of the program waiting about 60 ms longer
// under Wine.
// It is loaded the first time a file dialog opens, from the system folder.
static BOOL ShowFileDialog(BOOL bOpenFileDialog, OPENFILENAMEA& ofn)
{
    static const HMODULE s_hComdlg = AfxLoadSystemLibrary("comdlg32.dll");
    if (!s_hComdlg)
        return FALSE;
    typedef BOOL(WINAPI * PFNFILEDIALOG)(OPENFILENAMEA*);
    PFNFILEDIALOG pfnDialog = (PFNFILEDIALOG)(void*)::GetProcAddress(
        s_hComdlg, bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA");
    return pfnDialog && pfnDialog(&ofn);
}

BOOL CPrompt::FileDialog(BOOL bOpenFileDialog, OPENFILENAMEA& ofn)
{
    if (s_pfnFileDialog)
        return s_pfnFileDialog(bOpenFileDialog, ofn);
    return ShowFileDialog(bOpenFileDialog, ofn);
}

int CWnd::MessageBox(LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    return CPrompt::MessageBox(m_hWnd, pszText, pszCaption, nType);
}

CWinApp::CWinApp()
{
    LiveApps().push_back(this);
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (m_hbrDlgBk)
        ::DeleteObject(m_hbrDlgBk);
    std::vector<CWinApp*>& apps = LiveApps();
    apps.erase(std::remove(apps.begin(), apps.end(), this), apps.end());
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
    const std::vector<CWinApp*>& apps = LiveApps();
    return apps.empty() ? nullptr : apps.back();
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HICON AfxLoadWindowIcon(UINT nIDResource, BOOL bBigIcon)
{
    int cx = ::GetSystemMetrics(bBigIcon ? SM_CXICON : SM_CXSMICON);
    int cy = ::GetSystemMetrics(bBigIcon ? SM_CYICON : SM_CYSMICON);
    return (HICON)::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource), IMAGE_ICON, cx, cy, LR_SHARED);
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
