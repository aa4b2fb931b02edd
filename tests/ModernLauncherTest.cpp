#include "Fixtures.h"
#include "ModalSteps.h"
#include "TestSupport.h"

#include "harness/DefaultProfile.h"
#include "launchers/ModernLauncherDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The pictures' names of the fourteen buttons, page buttons first
const char* const CAPTIONS[] = { "EMUL_",    "KICKSTART_", "VIDEO_", "MEMORY_", "HD_",    "FLOPPY_", "JOYSTICK_",
                                 "SOUND_",   "KEYBOARD_",  "MISC_",  "CONFIG_", "INFO_",  "LEAVE_",  "LAUNCH_" };

// The pixels that draw paints on a 74 by 76 surface
std::vector<DWORD> Render(const std::function<void(HDC)>& draw)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), 74, -76, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    DWORD* pBits = nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HBITMAP hSurface = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, (void**)&pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, hSurface);
    draw(hDC);
    ::GdiFlush();
    std::vector<DWORD> pixels(pBits, pBits + 74 * 76);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hSurface);
    ::DeleteDC(hDC);
    return pixels;
}

// A picture as the resources hold it
std::vector<DWORD> Picture(const CString& strName)
{
    return Render([&](HDC hDC) {
        HBITMAP hBitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), strName);
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hDC, 0, 0, 74, 76, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
        ::DeleteObject(hBitmap);
    });
}

class ModernLauncher : public CLauncherTest<CModernLauncherDlg>
{
protected:

    // Runs the window modally; act works on it once it runs. Returns its result.
    INT_PTR RunModal(const std::function<void(HWND)>& act)
    {
        CModalSteps steps({ [&] {
            if (!IsRunning(m_dlg.m_hWnd))
                return false;
            act(m_dlg.m_hWnd);
            return true;
        } });
        m_app.m_pLauncher = &m_dlg;
        return m_dlg.DoModal();
    }
};

TEST_F(ModernLauncher, EachPageButtonShowsExactlyItsPageAndItsPictures)
{
    Open(IDD_MODERN_LAUNCHER);
    m_dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(0, ShownPage());
    EXPECT_EQ(CString("ZOT Brimlo - Work"), m_dlg.GetWindowText());
    RECT rcArea, rcPage;
    ::GetWindowRect(m_dlg.GetDlgItem(IDC_MODERN_PAGE_AREA), &rcArea);
    for (CSettingsPage* pPage : m_app.m_pPages)
        EXPECT_TRUE(::GetWindowRect(pPage->m_hWnd, &rcPage) && ::EqualRect(&rcArea, &rcPage)) << pPage->GetPageName();

    for (int k : { 5, 11, 0, 3, 9, 4, 10 })
    {
        ClickButton(m_dlg.m_hWnd, IDC_MODERN_EMULATOR + k);
        PumpMessages();
        EXPECT_EQ(k, ShownPage()) << CAPTIONS[k];
        EXPECT_EQ(m_dlg.GetDlgItem(IDC_MODERN_EMULATOR + k), ::GetFocus()) << CAPTIONS[k];
    }

    // Each button takes its picture's size, and shows the focus picture while focused or pressed
    for (int k = 0; k < CModernLauncherDlg::BUTTON_COUNT; k++)
    {
        RECT rc;
        ::GetClientRect(m_dlg.m_buttons[k].m_hWnd, &rc);
        EXPECT_TRUE(rc.right == 74 && rc.bottom == 76) << CAPTIONS[k];
        std::vector<DWORD> normal = Picture(CString(CAPTIONS[k]) + "U");
        std::vector<DWORD> focused = Picture(CString(CAPTIONS[k]) + "F");
        ASSERT_NE(normal, focused) << CAPTIONS[k];
        for (UINT nState : { 0u, (UINT)ODS_FOCUS, (UINT)(ODS_SELECTED | ODS_FOCUS) })
        {
            std::vector<DWORD> drawn = Render([&](HDC hDC) {
                DRAWITEMSTRUCT dis = { ODT_BUTTON, (UINT)(IDC_MODERN_EMULATOR + k), 0, ODA_DRAWENTIRE, nState,
                                       m_dlg.m_buttons[k].m_hWnd, hDC, { 0, 0, 74, 76 }, 0 };
                m_dlg.SendMessage(WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
            });
            EXPECT_TRUE(drawn == (nState ? focused : normal)) << CAPTIONS[k] << " state " << nState;
        }
    }
}

TEST_F(ModernLauncher, LaunchAndLeaveActAsInTheTabWindow)
{
    // Launch twice, then leave: nothing changed, so no question
    ASSERT_TRUE(CopyStandInEmulator(FALSE, m_dir.File("zot.exe")));
    ASSERT_TRUE(WriteWholeFile(m_app.m_strProfile, DefaultProfile(nullptr, m_dir.File("zot.exe"), "DOS")));
    static int s_nStarted = 0;
    CLauncherApp::EmulatorStarter pfnStarter = CLauncherApp::s_pfnStartEmulator;
    CLauncherApp::s_pfnStartEmulator = [](LPCSTR, UINT) -> UINT { return s_nStarted++, 33; };
    CString strOptions = m_dir.File(".zotrc");
    char szDirectory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(szDirectory), szDirectory);
    int nLaunches = 0;
    EXPECT_EQ(1, RunModal([&](HWND hDlg) {
        for (int i = 0; i < 2; i++)
        {
            ::DeleteFileA(strOptions);
            ClickButton(hDlg, IDC_MODERN_LAUNCH);
            nLaunches += FileExists(strOptions) && IsRunning(hDlg);
        }
        ClickButton(hDlg, IDC_MODERN_LEAVE);
    }));
    ::SetCurrentDirectoryA(szDirectory);
    CLauncherApp::s_pfnStartEmulator = pfnStarter;
    EXPECT_EQ(2, nLaunches);
    EXPECT_EQ(2, s_nStarted);
    EXPECT_TRUE(m_prompts.boxes.empty());

    // With a change, Leave asks; Yes saves
    CChangedPage changedPage(m_app, CLauncherApp::PAGE_INFO);
    for (int nAnswer : { IDNO, IDYES })
    {
        ::WritePrivateProfileStringA("Work", "DosCommandLine", nullptr, m_app.m_strProfile);
        m_prompts.boxes.clear();
        m_prompts.answers = { nAnswer };
        EXPECT_EQ(1, RunModal([](HWND hDlg) { ClickButton(hDlg, IDC_MODERN_LEAVE); }));
        ASSERT_EQ(1u, m_prompts.boxes.size());
        EXPECT_EQ("Do you want to save the current config first?", m_prompts.boxes[0].text);
        EXPECT_EQ("Warning", m_prompts.boxes[0].caption);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_prompts.boxes[0].type);
        EXPECT_EQ(nAnswer == IDYES, ProfileValue(m_app.m_strProfile, "Work", "DosCommandLine", "none") != "none");
    }
}

// Tab moves the focus, and the focus picture with it, from picture to picture;
// the page on view stays.
TEST_F(ModernLauncher, TabMovesTheFocusPictureWithoutChangingThePage)
{
    std::vector<int> focused;
    std::vector<int> shown;
    std::vector<bool> drawnFocused;
    auto onScreen = [](HWND hButton) {
        ::UpdateWindow(hButton);
        return Render([&](HDC hDC) {
            HDC hScreen = ::GetDC(hButton);
            ::BitBlt(hDC, 0, 0, 74, 76, hScreen, 0, 0, SRCCOPY);
            ::ReleaseDC(hButton, hScreen);
        });
    };
    auto press = [&] {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        ::PostMessageA(::GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
        return true;
    };
    auto look = [&] {
        HWND hFocus = ::GetFocus();
        focused.push_back(::GetDlgCtrlID(hFocus));
        shown.push_back(ShownPage());
        int k = ::GetDlgCtrlID(hFocus) - IDC_MODERN_EMULATOR;
        drawnFocused.push_back(k >= 0 && k < CModernLauncherDlg::BUTTON_COUNT
                               && onScreen(hFocus) == Picture(CString(CAPTIONS[k]) + "F"));
        return true;
    };
    CModalSteps steps({ [&] {
                           if (!IsRunning(m_dlg.m_hWnd))
                               return false;
                           ClickButton(m_dlg.m_hWnd, IDC_MODERN_SOUND);
                           return true;
                       },
                        look, press, look, press, look,
                        [&] {
                            ClickButton(m_dlg.m_hWnd, IDC_MODERN_LEAVE);
                            return true;
                        } });
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    ASSERT_TRUE(steps.Done());
    ASSERT_EQ(3u, focused.size());
    const int expected[] = { IDC_MODERN_SOUND, IDC_MODERN_KEYBOARD, IDC_MODERN_MISC };
    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(expected[i], focused[i]) << i;
        EXPECT_EQ(CLauncherApp::PAGE_SOUND, shown[i]) << i;
        EXPECT_TRUE(drawnFocused[i]) << i;
    }
}

// Enter, Esc and the close box end the window as Leave does, edits asked for.
TEST_F(ModernLauncher, EnterEscapeAndTheCloseBoxLeaveWithTheQuestion)
{
    CChangedPage changedPage(m_app, CLauncherApp::PAGE_INFO);
    struct
    {
        UINT nKey;  // 0 for the close box
        int nAnswer;
    } cases[] = { { VK_RETURN, IDNO }, { VK_ESCAPE, IDYES }, { 0, IDNO }, { 0, IDYES } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nKey);
        ::WritePrivateProfileStringA("Work", "DosCommandLine", nullptr, m_app.m_strProfile);
        m_prompts.boxes.clear();
        m_prompts.answers = { c.nAnswer };
        EXPECT_EQ(IDOK, RunModal([&](HWND hDlg) {
            if (c.nKey)
                ::PostMessageA(::GetFocus(), WM_KEYDOWN, c.nKey, 0);
            else
                ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        }));
        ASSERT_EQ(1u, m_prompts.boxes.size());
        EXPECT_EQ("Do you want to save the current config first?", m_prompts.boxes[0].text);
        EXPECT_EQ(c.nAnswer == IDYES, ProfileValue(m_app.m_strProfile, "Work", "DosCommandLine", "none") != "none");
    }
}

}  // namespace
