#include "TestSupport.h"

#include "framework/Prompt.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

static CPromptRecorder* s_pRecorder = nullptr;

CString ProfileValue(LPCSTR pszProfile, LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault)
{
    char szValue[4096] = "";
    ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, szValue, sizeof(szValue), pszProfile);
    return CString(szValue);
}

CPromptRecorder::CPromptRecorder()
{
    s_pRecorder = this;
    CPrompt::SetMessageBoxResponder(OnMessageBox);
    CPrompt::SetFileDialogResponder(OnFileDialog);
}

CPromptRecorder::~CPromptRecorder()
{
    CPrompt::SetMessageBoxResponder(nullptr);
    CPrompt::SetFileDialogResponder(nullptr);
    s_pRecorder = nullptr;
}

int CPromptRecorder::OnMessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    CPromptRecorder& r = *s_pRecorder;
    r.boxes.push_back({ hWndOwner, pszText ? pszText : "", pszCaption ? pszCaption : "", nType });
    size_t nIndex = r.boxes.size() - 1;
    if (nIndex < r.answers.size())
        return r.answers[nIndex];
    return (nType & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL;
}

BOOL CPromptRecorder::OnFileDialog(BOOL, OPENFILENAMEA& ofn)
{
    CPromptRecorder& r = *s_pRecorder;
    r.fileDialogs.push_back(ofn);
    r.fileDialogInitialDirs.push_back(ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "");
    r.fileDialogFileNames.push_back(ofn.lpstrFile ? ofn.lpstrFile : "");
    size_t nIndex = r.fileDialogs.size() - 1;
    if (nIndex >= r.files.size())
        return FALSE;
    // A multiple choice is the folder and the names, each ended by a NUL
    // inside the answer; the list ends with one more NUL.
    const std::string& answer = r.files[nIndex];
    if (ofn.nMaxFile < 2)
        return FALSE;
    size_t nCopy = std::min<size_t>(answer.size(), ofn.nMaxFile - 2);
    memcpy(ofn.lpstrFile, answer.data(), nCopy);
    ofn.lpstrFile[nCopy] = ofn.lpstrFile[nCopy + 1] = '\0';
    return TRUE;
}

static LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

CTestHost::CTestHost()
{
    static ATOM s_atom = 0;
    if (!s_atom)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostWndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "KovanaTestHost";
        s_atom = ::RegisterClassA(&wc);
    }
    m_hWnd = ::CreateWindowExA(WS_EX_CONTROLPARENT, "KovanaTestHost", "Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               0, 0, 600, 500, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

CTestHost::~CTestHost()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BOOL CreatePageWindows(CLauncherApp& app, CWnd& host)
{
    for (CSettingsPage* pPage : app.m_pPages)
        if (!pPage->Create(pPage->GetTemplateID(), &host))
            return FALSE;
    return TRUE;
}

void SaveDefaultConfiguration(CLauncherApp& app, LPCSTR pszName)
{
    ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", "1", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "Config#1", pszName, app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "CurrentConfigName", pszName, app.m_strProfile);
    CTestHost host;
    CreatePageWindows(app, host);
    app.m_mapOptions["CurrentConfigName"] = pszName;
    app.SaveConfig();
}

int ShownPage(CLauncherApp& app)
{
    int nShown = -1;
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        if (!(::GetWindowLongA(app.m_pPages[i]->m_hWnd, GWL_STYLE) & WS_VISIBLE))
            continue;
        if (nShown >= 0)
            return -1;
        nShown = i;
    }
    return nShown;
}
