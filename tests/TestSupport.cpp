#include "TestSupport.h"

#include "framework/Prompt.h"
#include "harness/DefaultProfile.h"
#include "launchers/ListLauncherDlg.h"
#include "launchers/ModernLauncherDlg.h"
#include "launchers/TabLauncherDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

static CPromptRecorder* s_pRecorder = nullptr;
static CLaunchRecorder* s_pLaunchRecorder = nullptr;

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
    CPrompt::SetFolderDialogResponder(OnFolderDialog);
}

CPromptRecorder::~CPromptRecorder()
{
    CPrompt::SetMessageBoxResponder(nullptr);
    CPrompt::SetFileDialogResponder(nullptr);
    CPrompt::SetFolderDialogResponder(nullptr);
    s_pRecorder = nullptr;
}

BOOL CPromptRecorder::IsInstalled()
{
    return s_pRecorder != nullptr;
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

BOOL CPromptRecorder::OnFileDialog(BOOL bOpen, OPENFILENAMEA& ofn)
{
    CPromptRecorder& r = *s_pRecorder;
    std::string filter;
    for (LPCSTR psz = ofn.lpstrFilter; psz && *psz; psz += strlen(psz) + 1)
        filter += std::string(filter.empty() ? "" : "|") + psz;
    r.fileDialogs.push_back({ bOpen, ofn.hwndOwner, ofn.lpstrTitle ? ofn.lpstrTitle : "", filter,
                              ofn.lpstrFile ? ofn.lpstrFile : "", ofn.lpstrDefExt ? ofn.lpstrDefExt : "",
                              ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "", ofn.Flags });
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

BOOL CPromptRecorder::OnFolderDialog(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder)
{
    CPromptRecorder& r = *s_pRecorder;
    r.folderDialogs.push_back({ hWndOwner, pszInitialFolder });
    if (r.folderDialogs.size() > r.folders.size())
        return FALSE;
    strFolder = r.folders[r.folderDialogs.size() - 1];
    return TRUE;
}

CString CurrentDirectory()
{
    char szDirectory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(szDirectory), szDirectory);
    return szDirectory;
}

CLaunchRecorder::CLaunchRecorder() : m_pfnReplaced(CLauncherApp::s_pfnStartEmulator)
{
    s_pLaunchRecorder = this;
    CLauncherApp::s_pfnStartEmulator = OnStart;
}

CLaunchRecorder::~CLaunchRecorder()
{
    CLauncherApp::s_pfnStartEmulator = m_pfnReplaced;
    s_pLaunchRecorder = nullptr;
}

UINT CLaunchRecorder::OnStart(LPCSTR pszCommandLine, UINT)
{
    s_pLaunchRecorder->commandLines.push_back(pszCommandLine);
    return s_pLaunchRecorder->nResult;
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

void PressInDialog(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = { ::GetFocus(), message, wParam, lParam, ::GetTickCount(), {} };
    if (!::IsDialogMessageA(hDlg, &msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    PumpMessages();
}

std::unique_ptr<CLauncherDlg> NewLauncherDlg(int nStyle)
{
    if (nStyle == CLauncherApp::STYLE_TAB)
        return std::make_unique<CTabLauncherDlg>();
    if (nStyle == CLauncherApp::STYLE_LIST)
        return std::make_unique<CListLauncherDlg>();
    return std::make_unique<CModernLauncherDlg>();
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
    // Written as the pages write it (NewConfiguration checks that they do),
    // without making every page window for it in every test.
    EXPECT_TRUE(WriteWholeFile(app.m_strProfile, DefaultProfile(nullptr, "", "DOS", pszName)));
    app.m_mapOptions["CurrentConfigName"] = pszName;
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

void CPageFixture::SetUp()
{
    SaveDefaultConfiguration(app, m_strSection);
    ASSERT_TRUE(CreatePageWindows(app, host));
}

CString CPageFixture::Option(LPCSTR pszKey) const
{
    CString strValue;
    app.m_mapOptions.Lookup(pszKey, strValue);
    return strValue;
}

void CPageFixture::Store(LPCSTR pszKey, LPCSTR pszValue) const
{
    ::WritePrivateProfileStringA(m_strSection, pszKey, pszValue, app.m_strProfile);
}

CString CPageFixture::Appended(LPCSTR pszSeparator) const
{
    CString strLine;
    Page().AppendOptions(strLine, pszSeparator);
    return strLine;
}

void CPageFixture::TypeAndLeave(int nID, LPCSTR pszText) const
{
    // The focus really moves, so that the control tells its page as it
    // would tell it for a user.
    Page().ShowWindow(SW_SHOW);
    ::SetFocus(Control(nID));
    ::SetWindowTextA(Control(nID), pszText);
    ::SetFocus(Page().m_hWnd);
}

void CPageFixture::Choose(int nID, int nIndex) const
{
    ::SendMessageA(Control(nID), CB_SETCURSEL, nIndex, 0);
    ::SendMessageA(Page().m_hWnd, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Control(nID));
}

CString CPageFixture::SelectedText(int nID) const
{
    CString strText;
    int nIndex = Selection(nID);
    int nLength = (int)::SendMessageA(Control(nID), CB_GETLBTEXTLEN, nIndex, 0);
    if (nIndex >= 0 && nLength > 0)
    {
        ::SendMessageA(Control(nID), CB_GETLBTEXT, nIndex, (LPARAM)strText.GetBuffer(nLength));
        strText.ReleaseBuffer(nLength);
    }
    return strText;
}

void CPageFixture::PressSliderKey(int nID, UINT vk) const
{
    ::SendMessageA(Control(nID), WM_KEYDOWN, vk, 1);
    ::SendMessageA(Control(nID), WM_KEYUP, vk, 0xC0000001);
}

const char* const PAGE_NAMES[CLauncherApp::PAGE_COUNT] = { "Emulator", "Kickstart", "Video", "Memory", "HD", "Floppy",
                                     "Joystick", "Sound", "Keyboard", "Misc", "Config", "Info" };

CChangedPage::CChangedPage(CLauncherApp& app, int nPage)
    : CPlainPage(app.m_pPages[nPage]->GetTemplateID(), app.m_pPages[nPage]->GetPageName()), m_app(app),
      m_nPage(nPage), m_pOriginal(app.m_pPages[nPage])
{
    app.m_pPages[nPage] = this;
}

CChangedPage::~CChangedPage()
{
    m_app.m_pPages[m_nPage] = m_pOriginal;
}

CPixels Render(int cx, int cy, const std::function<void(HDC)>& draw)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    DWORD* pBits = nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HBITMAP hSurface = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, (void**)&pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, hSurface);
    draw(hDC);
    ::GdiFlush();
    CPixels pixels{ cx, cy, std::vector<DWORD>(pBits, pBits + cx * cy) };
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hSurface);
    ::DeleteDC(hDC);
    return pixels;
}

CPixels Picture(LPCSTR pszName)
{
    HBITMAP hBitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), pszName);
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    CPixels pixels = Render(bm.bmWidth, bm.bmHeight, [&](HDC hDC) {
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hDC, 0, 0, bm.bmWidth, bm.bmHeight, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
    });
    ::DeleteObject(hBitmap);
    return pixels;
}

bool ShowsPicture(const CPixels& drawn, const CPixels& picture)
{
    int nMargin = (2 * picture.cx + 37) / 74, nNameTop = picture.cy * 58 / 76;
    int x0 = (drawn.cx - picture.cx) / 2, y0 = (drawn.cy - picture.cy) / 2;
    if (picture.cx == 0)
        return false;
    for (int y = nMargin; y < nNameTop; y++)
        for (int x = nMargin; x < picture.cx - nMargin; x++)
            if (x0 + x < 0 || x0 + x >= drawn.cx || y0 + y < 0 || y0 + y >= drawn.cy
                || drawn.At(x0 + x, y0 + y) != picture.At(x, y))
                return false;
    return true;
}

const char* const BUTTON_PICTURES[CModernLauncherDlg::BUTTON_COUNT] = {
    "EMUL_",    "KICKSTART_", "VIDEO_", "MEMORY_", "HD_",    "FLOPPY_", "JOYSTICK_",
    "SOUND_",   "KEYBOARD_",  "MISC_",  "CONFIG_", "INFO_",  "LEAVE_",  "LAUNCH_" };

CPixels ButtonPicture(int k, char chState, int nScale)
{
    CString strName = CString(BUTTON_PICTURES[k]) + chState;
    if (nScale != 100)
        strName.Format("%s%c%d", BUTTON_PICTURES[k], chState, nScale);
    return Picture(strName);
}
