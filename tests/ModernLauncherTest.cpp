#include "Fixtures.h"
#include "ModalSteps.h"
#include "TestSupport.h"

#include "harness/DefaultProfile.h"
#include "launchers/ModernLauncherDlg.h"
#include "launchers/PageIcons.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// What each button shows and screen readers read, and what its tooltip says
const char* const NAMES[] = { "Emulator", "Kickstart", "Video", "Memory", "HD",   "Floppy", "Joystick",
                              "Sound",    "Keyboard",  "Misc",  "Config", "Info", "Lea&ve", "&Launch" };
const char* const TIPS[] = { "Emulator", "Kickstart", "Video", "Memory", "HD",    "Floppy", "Joystick",
                             "Sound",    "Keyboard",  "Misc",  "Config", "Info",  "Leave",  "Launch" };

// A button as the window has painted it on the screen
CPixels OnScreen(HWND hButton)
{
    ::UpdateWindow(hButton);
    RECT rc;
    ::GetClientRect(hButton, &rc);
    return Render(rc.right, rc.bottom, [&](HDC hDC) {
        HDC hScreen = ::GetDC(hButton);
        ::BitBlt(hDC, 0, 0, rc.right, rc.bottom, hScreen, 0, 0, SRCCOPY);
        ::ReleaseDC(hButton, hScreen);
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

    // The picture of a button in a state, at the scale the window chose
    CPixels ChosenPicture(int k, char chState)
    {
        RECT rc;
        ::GetClientRect(m_dlg.m_buttons[k], &rc);
        return ButtonPicture(k, chState, CPictureButton::FittingScale(PictureScale(), rc.right, rc.bottom));
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

    for (int k : { 5, 11, 0, 3, 9, 4, 10, 1, 2, 6, 7, 8 })
    {
        ClickButton(m_dlg.m_hWnd, IDC_MODERN_EMULATOR + k);
        PumpMessages();
        EXPECT_EQ(k, ShownPage()) << BUTTON_PICTURES[k];
        EXPECT_EQ(m_dlg.GetDlgItem(IDC_MODERN_EMULATOR + k), ::GetFocus()) << BUTTON_PICTURES[k];
    }

    // Each button keeps its template's size and its caption's pictures, shows
    // the focus picture while focused or pressed, and its name under it, as
    // its text, which screen readers read, and in its tooltip.
    RECT rcTemplate = { 0, 0, 48, 47 };
    ::MapDialogRect(m_dlg.m_hWnd, &rcTemplate);
    EXPECT_EQ(CModernLauncherDlg::BUTTON_COUNT, (int)m_dlg.m_toolTip.SendMessage(TTM_GETTOOLCOUNT));
    for (int k = 0; k < CModernLauncherDlg::BUTTON_COUNT; k++)
    {
        SCOPED_TRACE(BUTTON_PICTURES[k]);
        HWND hButton = m_dlg.m_buttons[k].m_hWnd;
        RECT rc;
        ::GetClientRect(hButton, &rc);
        EXPECT_TRUE(rc.right == rcTemplate.right && rc.bottom == rcTemplate.bottom);
        EXPECT_EQ(CString(NAMES[k]), m_dlg.m_buttons[k].GetWindowText());

        char szTip[64] = "";
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = m_dlg.m_hWnd;
        ti.uId = (UINT_PTR)hButton;
        ti.lpszText = szTip;
        m_dlg.m_toolTip.SendMessage(TTM_GETTEXTA, sizeof(szTip), (LPARAM)&ti);
        EXPECT_STREQ(TIPS[k], szTip);

        // Not the page on view, whose mark would lie over the picture's edge
        m_dlg.ShowPage(k == 0 ? 1 : 0);
        CPixels normal = ChosenPicture(k, 'U'), focused = ChosenPicture(k, 'F');
        ASSERT_FALSE(normal == focused);
        for (UINT nState : { 0u, (UINT)ODS_FOCUS, (UINT)(ODS_SELECTED | ODS_FOCUS) })
        {
            CPixels drawn = Render(rc.right, rc.bottom, [&](HDC hDC) {
                DRAWITEMSTRUCT dis = { ODT_BUTTON, (UINT)(IDC_MODERN_EMULATOR + k), 0, ODA_DRAWENTIRE, nState,
                                       hButton, hDC, rc, 0 };
                m_dlg.SendMessage(WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
            });
            EXPECT_TRUE(ShowsPicture(drawn, nState ? focused : normal)) << "state " << nState;
            EXPECT_FALSE(ShowsPicture(drawn, nState ? normal : focused)) << "state " << nState;
        }
    }
}

// The button of the page on view carries a mark on the side that faces the
// page, and the mark moves with the page, whichever button has the focus.
TEST_F(ModernLauncher, TheButtonOfThePageOnViewIsMarked)
{
    Open(IDD_MODERN_LAUNCHER);
    m_dlg.ShowWindow(SW_SHOW);
    auto buttonsOnScreen = [&] {
        std::vector<CPixels> pixels;
        for (int k = 0; k < CLauncherApp::PAGE_COUNT; k++)
            pixels.push_back(OnScreen(m_dlg.m_buttons[k]));
        return pixels;
    };
    RECT rcArea;
    ::GetWindowRect(m_dlg.GetDlgItem(IDC_MODERN_PAGE_AREA), &rcArea);
    // Pixels that differ between two pictures of a button, in the quarter of
    // the button nearest the page
    auto changedTowardsThePage = [&](int k, const CPixels& a, const CPixels& b) {
        RECT rc;
        ::GetWindowRect(m_dlg.m_buttons[k], &rc);
        int nChanged = 0;
        for (int y = 0; y < a.cy; y++)
            for (int x = 0; x < a.cx; x++)
            {
                bool bNear = rc.bottom <= rcArea.top  ? y >= a.cy * 3 / 4
                             : rc.right <= rcArea.left ? x >= a.cx * 3 / 4
                             : rc.left >= rcArea.right ? x < a.cx / 4
                                                       : false;
                nChanged += bNear && a.At(x, y) != b.At(x, y);
            }
        return nChanged;
    };

    ::SetFocus(m_dlg.m_buttons[CModernLauncherDlg::BUTTON_LAUNCH]);
    for (int nFrom : { 0, 6 })
        for (int nTo : { 3, 10 })
        {
            SCOPED_TRACE(testing::Message() << nFrom << " to " << nTo);
            m_dlg.ShowPage(nFrom);
            std::vector<CPixels> before = buttonsOnScreen();
            m_dlg.ShowPage(nTo);
            std::vector<CPixels> after = buttonsOnScreen();
            for (int k = 0; k < CLauncherApp::PAGE_COUNT; k++)
            {
                EXPECT_EQ(k == nFrom || k == nTo, !(before[k] == after[k])) << BUTTON_PICTURES[k];
                EXPECT_EQ(k == nTo, m_dlg.m_buttons[k].IsCurrent()) << BUTTON_PICTURES[k];
            }
            EXPECT_GT(changedTowardsThePage(nFrom, before[nFrom], after[nFrom]), 0);
            EXPECT_GT(changedTowardsThePage(nTo, before[nTo], after[nTo]), 0);
        }

    // The button with the focus keeps the mark of its page too
    ClickButton(m_dlg.m_hWnd, IDC_MODERN_FLOPPY);
    CPixels focusedOnView = OnScreen(m_dlg.m_buttons[CLauncherApp::PAGE_FLOPPY]);
    m_dlg.ShowPage(CLauncherApp::PAGE_SOUND);
    EXPECT_GT(changedTowardsThePage(CLauncherApp::PAGE_FLOPPY, focusedOnView,
                                    OnScreen(m_dlg.m_buttons[CLauncherApp::PAGE_FLOPPY])), 0);
}

// The window and its pages take the dialog colours that the program sets for it.
TEST_F(ModernLauncher, TheWindowAndItsPagesTakeTheDialogColours)
{
    const COLORREF crDialogs = RGB(250, 240, 230);
    m_app.SetDialogBkColor(crDialogs, RGB(0, 0, 0));
    Open(IDD_MODERN_LAUNCHER);
    m_dlg.ShowWindow(SW_SHOW);
    ::UpdateWindow(m_dlg.m_hWnd);
    RECT rcClient, rcPage;
    ::GetClientRect(m_dlg.m_hWnd, &rcClient);
    ::GetWindowRect(m_app.m_pPages[0]->m_hWnd, &rcPage);
    ::MapWindowPoints(nullptr, m_dlg.m_hWnd, (POINT*)&rcPage, 2);
    HDC hDC = ::GetDC(m_dlg.m_hWnd);
    // Below the left column of buttons, and below the page's group box
    EXPECT_EQ(crDialogs, ::GetPixel(hDC, 2, rcClient.bottom - 2));
    EXPECT_EQ(crDialogs, ::GetPixel(hDC, (rcPage.left + rcPage.right) / 2, rcPage.bottom - 2));
    ::ReleaseDC(m_dlg.m_hWnd, hDC);
}

TEST_F(ModernLauncher, LaunchAndLeaveActAsInTheTabWindow)
{
    // Launch twice, then leave: nothing changed, so no question
    ASSERT_TRUE(CopyStandInEmulator(FALSE, m_dir.File("zot.exe")));
    ASSERT_TRUE(WriteWholeFile(m_app.m_strProfile, DefaultProfile(nullptr, m_dir.File("zot.exe"), "DOS")));
    CLaunchRecorder launches;
    CString strOptions = m_dir.File(".zotrc");
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
    EXPECT_EQ(2, nLaunches);
    EXPECT_EQ(2u, launches.commandLines.size());
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

// The window opens with the focus on the page, and the Tab key goes from the
// page round the page buttons in page order, then to Launch and Leave, and
// back to the page; the focus picture goes with it, the page on view stays.
TEST_F(ModernLauncher, TabGoesFromThePageRoundTheButtonsToLaunchAndLeave)
{
    HWND hFirst = nullptr;
    CModalSteps steps({ [&] {
        if (!IsRunning(m_dlg.m_hWnd))
            return false;
        hFirst = ::GetFocus();
        ClickButton(m_dlg.m_hWnd, IDC_MODERN_LEAVE);
        return true;
    } });
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_EQ(m_app.m_pPages[CLauncherApp::PAGE_EMULATOR]->m_hWnd, ::GetParent(hFirst));

    Open(IDD_MODERN_LAUNCHER);
    m_dlg.ShowWindow(SW_SHOW);
    ClickButton(m_dlg.m_hWnd, IDC_MODERN_SOUND);
    HWND hPage = m_app.m_pPages[CLauncherApp::PAGE_SOUND]->m_hWnd;
    // From Sound twice round: the buttons after it, the page's controls (one
    // entry, PAGE), every button in turn, the page again
    const int PAGE = -1;
    std::vector<int> expected;
    for (int k = CLauncherApp::PAGE_SOUND + 1; k < CLauncherApp::PAGE_COUNT; k++)
        expected.push_back(k);
    expected.insert(expected.end(), { CModernLauncherDlg::BUTTON_LAUNCH, CModernLauncherDlg::BUTTON_LEAVE, PAGE });
    for (int k = 0; k < CLauncherApp::PAGE_COUNT; k++)
        expected.push_back(k);
    expected.insert(expected.end(), { CModernLauncherDlg::BUTTON_LAUNCH, CModernLauncherDlg::BUTTON_LEAVE, PAGE });

    std::vector<int> visited;
    for (int nPress = 0; nPress < 80 && visited.size() < expected.size(); nPress++)
    {
        PressInDialog(m_dlg.m_hWnd, WM_KEYDOWN, VK_TAB, 1);
        HWND hFocus = ::GetFocus();
        int k = ::GetDlgCtrlID(hFocus) - IDC_MODERN_EMULATOR;
        EXPECT_EQ(CLauncherApp::PAGE_SOUND, ShownPage());
        if (::GetParent(hFocus) == hPage)
        {
            if (visited.empty() || visited.back() != PAGE)
                visited.push_back(PAGE);
            continue;
        }
        ASSERT_EQ(m_dlg.m_hWnd, ::GetParent(hFocus));
        ASSERT_TRUE(k >= 0 && k < CModernLauncherDlg::BUTTON_COUNT);
        visited.push_back(k);
        EXPECT_TRUE(ShowsPicture(OnScreen(hFocus), ChosenPicture(k, 'F'))) << BUTTON_PICTURES[k];
    }
    EXPECT_EQ(expected, visited);
}

// Enter on a picture button presses it; Alt with a name's underlined letter
// presses Launch or Leave.
TEST_F(ModernLauncher, EnterPressesThePictureButtonWithTheFocus)
{
    Open(IDD_MODERN_LAUNCHER);
    m_dlg.ShowWindow(SW_SHOW);
    for (int k : { CLauncherApp::PAGE_FLOPPY, CLauncherApp::PAGE_INFO, CLauncherApp::PAGE_EMULATOR })
    {
        ::SetFocus(m_dlg.m_buttons[k]);
        PressInDialog(m_dlg.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_EQ(k, ShownPage()) << BUTTON_PICTURES[k];
        EXPECT_TRUE(::IsWindowVisible(m_dlg.m_hWnd));
    }
    m_dlg.DestroyWindow();

    EXPECT_EQ(IDOK, RunModal([](HWND hDlg) {
        ::SetFocus(::GetDlgItem(hDlg, IDC_MODERN_CONFIG));
        ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'v', 0x20000000);
    }));
    EXPECT_TRUE(m_prompts.boxes.empty());
}

// Enter elsewhere, Esc and the close box end the window as Leave does, edits asked for.
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
