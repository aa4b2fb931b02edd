#include "Fixtures.h"
#include "ModalSteps.h"
#include "TestSupport.h"

#include "harness/DefaultProfile.h"
#include "launchers/PageIcons.h"
#include "launchers/TabLauncherDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The pixels an icon draws on white
std::vector<DWORD> IconPixels(HICON hIcon)
{
    CPixels pixels = Render(PAGE_ICON_WIDTH, PAGE_ICON_HEIGHT, [&](HDC hDC) {
        RECT rc = { 0, 0, PAGE_ICON_WIDTH, PAGE_ICON_HEIGHT };
        ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        ::DrawIconEx(hDC, 0, 0, hIcon, PAGE_ICON_WIDTH, PAGE_ICON_HEIGHT, 0, nullptr, DI_NORMAL);
    });
    return pixels.bits;
}

// The pixels of a page's icon, made from its bitmap alone
std::vector<DWORD> PageIconPixels(int nPage)
{
    CImageList images;
    EXPECT_TRUE(images.Create(PAGE_ICON_BITMAPS[nPage], PAGE_ICON_WIDTH, 1, PAGE_ICON_MASK));
    HICON hIcon = images.ExtractIcon(0);
    std::vector<DWORD> pixels = IconPixels(hIcon);
    ::DestroyIcon(hIcon);
    return pixels;
}

class TabLauncher : public CLauncherTest<CTabLauncherDlg>
{
protected:
    // A profile with one configuration that the launcher loads at its start
    void WriteProfile(LPCSTR pszName, LPCSTR pszSectionBody)
    {
        std::string profile = std::string("[ConfigList]\r\nNumberOfConfig=1\r\nConfig#1=") + pszName
                              + "\r\nCurrentConfigName=" + pszName + "\r\n";
        if (pszSectionBody)
            profile += std::string("[") + pszName + "]\r\n" + pszSectionBody;
        WriteWholeFile(m_app.m_strProfile, profile);
        m_app.m_mapOptions["CurrentConfigName"] = pszName;
    }

    void Open() { CLauncherTest::Open(IDD_TAB_LAUNCHER); }

    // A mouse click on a tab: the control selects it, then reports NM_CLICK
    void ClickTab(int nTab)
    {
        RECT rc;
        ASSERT_TRUE(m_dlg.m_tabCtrl.GetItemRect(nTab, &rc));
        LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        m_dlg.m_tabCtrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        m_dlg.m_tabCtrl.SendMessage(WM_LBUTTONUP, 0, lPoint);
        PumpMessages();
    }

    // Selects a tab as the program would see a click on it. Wine's tab control
    // ignores a click on a tab that was clicked before the arrow keys moved away.
    void SelectTab(int nTab)
    {
        m_dlg.m_tabCtrl.SetCurSel(nTab);
        NMHDR nm = { m_dlg.m_tabCtrl.m_hWnd, IDC_TAB_PAGES, (UINT)NM_CLICK };
        m_dlg.SendMessage(WM_NOTIFY, IDC_TAB_PAGES, (LPARAM)&nm);
        PumpMessages();
    }

    // The key notification as the tab control sends it; returns its result
    LRESULT NotifyKey(WORD nVKey)
    {
        NMTCKEYDOWN nm = {};
        nm.hdr.hwndFrom = m_dlg.m_tabCtrl.m_hWnd;
        nm.hdr.idFrom = IDC_TAB_PAGES;
        nm.hdr.code = TCN_KEYDOWN;
        nm.wVKey = nVKey;
        return m_dlg.SendMessage(WM_NOTIFY, IDC_TAB_PAGES, (LPARAM)&nm);
    }

    // Narrows (or widens) the tab control until its tabs take that many rows
    bool SetTabRows(int nRows)
    {
        // The narrower the control, the more rows: the narrowest width that
        // still keeps to nRows rows
        RECT rc;
        ::GetClientRect(m_dlg.m_tabCtrl, &rc);
        auto rowsAt = [&](int cx) {
            ::SetWindowPos(m_dlg.m_tabCtrl, nullptr, 0, 0, cx, rc.bottom, SWP_NOMOVE | SWP_NOZORDER);
            return m_dlg.m_tabCtrl.GetRowCount();
        };
        int cxWide = 2000, cxNarrow = 60;
        while (cxWide - cxNarrow > 1)
        {
            int cx = (cxWide + cxNarrow) / 2;
            (rowsAt(cx) <= nRows ? cxWide : cxNarrow) = cx;
        }
        return rowsAt(cxWide) == nRows;
    }

    CString TabText(int nTab)
    {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        m_dlg.m_tabCtrl.SendMessage(TCM_GETITEMA, nTab, (LPARAM)&item);
        return szText;
    }
};

TEST_F(TabLauncher, OpensWithATabPerPageAndTheFirstPageShown)
{
    Open();
    ASSERT_EQ(CLauncherApp::PAGE_COUNT, m_dlg.m_tabCtrl.GetItemCount());
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
        EXPECT_EQ(CString(PAGE_NAMES[i]), TabText(i)) << i;
    EXPECT_EQ(0, ShownPage());
    EXPECT_EQ(0, m_dlg.m_tabCtrl.GetCurSel());
    EXPECT_EQ(PageIconPixels(CLauncherApp::PAGE_EMULATOR), IconPixels(m_dlg.m_staticIcon.GetIcon()));

    // Every page covers the hidden frame exactly
    RECT rcArea;
    ::GetWindowRect(m_dlg.GetDlgItem(IDC_TAB_PAGE_AREA), &rcArea);
    EXPECT_FALSE(::GetWindowLongA(m_dlg.GetDlgItem(IDC_TAB_PAGE_AREA), GWL_STYLE) & WS_VISIBLE);
    for (CSettingsPage* pPage : m_app.m_pPages)
    {
        RECT rcPage;
        ::GetWindowRect(pPage->m_hWnd, &rcPage);
        EXPECT_TRUE(::EqualRect(&rcArea, &rcPage)) << pPage->GetPageName();
        EXPECT_EQ(m_dlg.m_hWnd, pPage->GetParent());
    }
}

// The dialog colours that the modern window leaves behind colour this window,
// but a page takes the face of the tab's body around it, as today's look draws it.
TEST_F(TabLauncher, PagesTakeTheFaceOfTheTabBody)
{
    const COLORREF crDialogs = RGB(200, 120, 40);
    m_app.SetDialogBkColor(crDialogs, RGB(0, 0, 0));
    Open();
    m_dlg.ShowWindow(SW_SHOW);
    ::UpdateWindow(m_dlg.m_hWnd);
    RECT rcPage;
    ::GetWindowRect(m_app.m_pPages[0]->m_hWnd, &rcPage);
    ::MapWindowPoints(nullptr, m_dlg.m_hWnd, (POINT*)&rcPage, 2);
    HDC hDC = ::GetDC(m_dlg.m_hWnd);
    COLORREF crBody = ::GetPixel(hDC, rcPage.left - 3, (rcPage.top + rcPage.bottom) / 2);
    // Below the page's group box, and beside the tab control
    COLORREF crPage = ::GetPixel(hDC, (rcPage.left + rcPage.right) / 2, rcPage.bottom - 2);
    COLORREF crWindow = ::GetPixel(hDC, 2, 2);
    ::ReleaseDC(m_dlg.m_hWnd, hDC);
    EXPECT_EQ(crBody, crPage);
    EXPECT_NE(crDialogs, crPage);
    EXPECT_EQ(crDialogs, crWindow);
}

TEST_F(TabLauncher, ClickingATabShowsExactlyItsPage)
{
    Open();
    for (int nTab : { 5, 11, 1, 0, 7 })
    {
        ClickTab(nTab);
        EXPECT_EQ(nTab, m_dlg.m_tabCtrl.GetCurSel());
        EXPECT_EQ(nTab, ShownPage());
    }
}

TEST_F(TabLauncher, APageSwitchDestroysTheIconItReplaces)
{
    Open();
    HICON hFirst = m_dlg.m_staticIcon.GetIcon();
    ClickTab(CLauncherApp::PAGE_MEMORY);
    HICON hSecond = m_dlg.m_staticIcon.GetIcon();
    ASSERT_TRUE(hSecond != nullptr);
    EXPECT_NE(hFirst, hSecond);
    ASSERT_NE(PageIconPixels(CLauncherApp::PAGE_EMULATOR), PageIconPixels(CLauncherApp::PAGE_MEMORY));
    EXPECT_EQ(PageIconPixels(CLauncherApp::PAGE_MEMORY), IconPixels(hSecond));
    ICONINFO info;
    EXPECT_FALSE(::GetIconInfo(hFirst, &info));
    ASSERT_TRUE(::GetIconInfo(hSecond, &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST_F(TabLauncher, KeysShowThePageTheyWillSelect)
{
    const int NONE = -1;
    struct
    {
        WORD nVKey;
        int nFrom;
        int nPage;  // the page shown, NONE when the key changes nothing
    } cases[] = {
        { VK_END, 11, NONE }, { VK_END, 3, 11 },  { VK_HOME, 0, NONE }, { VK_HOME, 7, 0 },
        { VK_LEFT, 0, NONE }, { VK_LEFT, 5, 4 },  { VK_RIGHT, 11, NONE }, { VK_RIGHT, 5, 6 },
        { VK_DOWN, 5, NONE }, { 'A', 5, NONE },   { VK_NEXT, 5, NONE },
    };
    Open();
    for (const auto& c : cases)
    {
        SelectTab(c.nFrom);
        LRESULT nResult = NotifyKey(c.nVKey);
        EXPECT_EQ(c.nPage == NONE ? 0 : -1, nResult) << c.nVKey << " from " << c.nFrom;
        EXPECT_EQ(c.nPage == NONE ? c.nFrom : c.nPage, ShownPage()) << c.nVKey << " from " << c.nFrom;
    }
}

TEST_F(TabLauncher, UpMovesBackByTheTabsOfOneRow)
{
    struct
    {
        int nRows;
        int nFrom;
        int nPage;
    } cases[] = {
        { 1, 2, 2 }, { 1, 11, 11 }, { 2, 2, 8 }, { 2, 9, 3 }, { 3, 2, 10 }, { 3, 5, 1 }, { 4, 2, 11 },
    };
    Open();
    for (const auto& c : cases)
    {
        ASSERT_TRUE(SetTabRows(c.nRows)) << c.nRows;
        SelectTab(c.nFrom);
        EXPECT_EQ(c.nPage == c.nFrom ? 0 : -1, NotifyKey(VK_UP));
        EXPECT_EQ(c.nPage, ShownPage()) << c.nRows << " rows, from " << c.nFrom;
    }
}

TEST_F(TabLauncher, KeysOnTheTabControlKeepItsTabWithThePage)
{
    struct
    {
        WORD nVKey;
        int nFrom;
        int nTo;
    } cases[] = {
        { VK_END, 3, 11 }, { VK_HOME, 7, 0 }, { VK_LEFT, 4, 3 }, { VK_RIGHT, 4, 5 },
        { VK_DOWN, 4, 4 }, { VK_UP, 2, 8 },
    };
    Open();
    ASSERT_TRUE(SetTabRows(2));
    for (const auto& c : cases)
    {
        SelectTab(c.nFrom);
        m_dlg.m_tabCtrl.SendMessage(WM_KEYDOWN, c.nVKey, 0);
        PumpMessages();
        EXPECT_EQ(c.nTo, ShownPage()) << c.nVKey << " from " << c.nFrom;
        EXPECT_EQ(c.nTo, m_dlg.m_tabCtrl.GetCurSel()) << c.nVKey << " from " << c.nFrom;
    }
}

// Ctrl with Tab or Page Down and Page Up moves through the pages from
// anywhere in the window, round from the last page to the first; a control
// on the page that goes out of view hands the focus to the tabs.
TEST_F(TabLauncher, CtrlTabAndCtrlPageKeysMoveThroughThePages)
{
    const bool IN_PAGE = true, ON_TABS = false;
    const struct
    {
        WORD nVKey;
        bool bShift;
        bool bFromPage;  // the focus in the page on view, else on the tabs
        int nPage;       // shown afterwards
    } cases[] = {
        { VK_TAB, false, IN_PAGE, 1 },  { VK_NEXT, false, ON_TABS, 2 },  { VK_TAB, true, IN_PAGE, 1 },
        { VK_PRIOR, false, IN_PAGE, 0 }, { VK_PRIOR, false, ON_TABS, 11 }, { VK_TAB, false, ON_TABS, 0 },
        { VK_TAB, true, ON_TABS, 11 },   { VK_NEXT, true, IN_PAGE, 0 },
    };
    // The keys go through the window's own modal loop, with Ctrl held down.
    BYTE keys[256] = {}, keysBefore[256] = {};
    ::GetKeyboardState(keysBefore);
    std::vector<std::function<bool()>> steps = { [&] { return IsRunning(m_dlg.m_hWnd); } };
    std::vector<std::string> seen;
    for (const auto& c : cases)
    {
        steps.push_back([&] {
            HWND hFocus = m_dlg.m_tabCtrl.m_hWnd;
            if (c.bFromPage)
                hFocus = ::GetNextDlgTabItem(m_app.m_pPages[ShownPage()]->m_hWnd, nullptr, FALSE);
            ::SetFocus(hFocus);
            keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
            keys[VK_SHIFT] = keys[VK_LSHIFT] = c.bShift ? 0x80 : 0;
            ::SetKeyboardState(keys);
            ::PostMessageA(hFocus, WM_KEYDOWN, c.nVKey, 1);
            return true;
        });
        steps.push_back([&] {
            seen.push_back(std::to_string(ShownPage()) + " tab " + std::to_string(m_dlg.m_tabCtrl.GetCurSel())
                           + (::GetFocus() == m_dlg.m_tabCtrl.m_hWnd ? " on the tabs" : " elsewhere"));
            return true;
        });
    }
    steps.push_back([&] {
        ::SetKeyboardState(keysBefore);
        ClickButton(m_dlg.m_hWnd, IDCANCEL);
        return true;
    });
    CModalSteps run(steps);
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(1, m_dlg.DoModal());
    ::SetKeyboardState(keysBefore);
    ASSERT_TRUE(run.Done());
    std::vector<std::string> expected;
    for (const auto& c : cases)
        expected.push_back(std::to_string(c.nPage) + " tab " + std::to_string(c.nPage) + " on the tabs");
    EXPECT_EQ(expected, seen);
}

TEST_F(TabLauncher, CaptionNamesTheLoadedConfiguration)
{
    Open();
    EXPECT_EQ(CString("ZOT Brimlo - Work"), m_dlg.GetWindowText());
}

TEST_F(TabLauncher, KeepsItsCaptionWhenTheConfigurationCannotBeLoaded)
{
    WriteProfile("Gone", nullptr);
    Open();
    EXPECT_EQ(CString("ZOT Brimlo"), m_dlg.GetWindowText());
    EXPECT_EQ(0, ShownPage());
}

TEST_F(TabLauncher, LaunchKeepsTheWindowOpen)
{
    ASSERT_TRUE(CopyStandInEmulator(FALSE, m_dir.File("zot.exe")));
    ASSERT_TRUE(WriteWholeFile(m_app.m_strProfile, DefaultProfile(nullptr, m_dir.File("zot.exe"), "DOS")));
    CLaunchRecorder launches;
    CString strOptions = m_dir.File(".zotrc");
    int nLaunches = 0;
    CModalSteps steps({ [&] {
                           if (!IsRunning(m_dlg.m_hWnd))
                               return false;
                           for (int i = 0; i < 2; i++)
                           {
                               ::DeleteFileA(strOptions);
                               ClickButton(m_dlg.m_hWnd, IDOK);
                               nLaunches += FileExists(strOptions) && IsRunning(m_dlg.m_hWnd);
                           }
                           return true;
                       },
                        [&] {
                            ClickButton(m_dlg.m_hWnd, IDCANCEL);
                            return true;
                        } });
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(1, m_dlg.DoModal());
    EXPECT_EQ(2, nLaunches);
    EXPECT_EQ(2u, launches.commandLines.size());
    EXPECT_TRUE(m_prompts.boxes.empty());
}

TEST_F(TabLauncher, LeavesAtOnceWhenNoPageChanged)
{
    std::string profileBefore = ReadWholeFile(m_app.m_strProfile);
    CModalSteps steps({ [&] {
        if (!IsRunning(m_dlg.m_hWnd))
            return false;
        ClickButton(m_dlg.m_hWnd, IDCANCEL);
        return true;
    } });
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(1, m_dlg.DoModal());
    EXPECT_TRUE(m_prompts.boxes.empty());
    EXPECT_EQ(profileBefore, ReadWholeFile(m_app.m_strProfile));
}

TEST_F(TabLauncher, AsksBeforeLeavingWithAChangedPage)
{
    struct
    {
        int nAnswer;
        bool bSaved;
        bool bCloseBox;  // the close box instead of the Leave button
    } cases[] = {
        { IDNO, false, false },
        { IDYES, true, false },
        { IDYES, true, true },
    };
    CChangedPage changedPage(m_app, CLauncherApp::PAGE_INFO);
    int nCase = 0;
    for (const auto& c : cases)
    {
        // A profile of its own for each case: nothing is left from the one before
        m_app.m_strProfile.Format("%s\\Kovana%d.ini", (LPCSTR)m_dir.Path(), ++nCase);
        SaveDefaultConfiguration(m_app, "Work");
        ::WritePrivateProfileStringA("Work", "DosCommandLine", nullptr, m_app.m_strProfile);
        m_prompts.boxes.clear();
        m_prompts.answers = { c.nAnswer };
        HWND hWndLauncher = nullptr;
        CTabLauncherDlg dlg;
        CModalSteps steps({ [&] {
            if (!IsRunning(dlg.m_hWnd))
                return false;
            hWndLauncher = dlg.m_hWnd;
            if (c.bCloseBox)
                dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
            else
                ClickButton(dlg.m_hWnd, IDCANCEL);
            return true;
        } });
        m_app.m_pLauncher = &dlg;
        EXPECT_EQ(1, dlg.DoModal());
        ASSERT_EQ(1u, m_prompts.boxes.size());
        EXPECT_EQ(hWndLauncher, m_prompts.boxes[0].hWndOwner);
        EXPECT_EQ("Do you want to save the current config first?", m_prompts.boxes[0].text);
        EXPECT_EQ("Warning", m_prompts.boxes[0].caption);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_prompts.boxes[0].type);
        CString strSaved = ProfileValue(m_app.m_strProfile, "Work", "DosCommandLine", "none");
        EXPECT_EQ(c.bSaved, strSaved != "none") << nCase << ": " << strSaved;
    }
}

// A save that fails on the way out has told why; the window stays with what it
// shows, and the next Leave saves it.
TEST_F(TabLauncher, AFailedSaveOnLeaveKeepsTheWindowOpen)
{
    CChangedPage changedPage(m_app, CLauncherApp::PAGE_INFO);
    ::WritePrivateProfileStringA("Work", "DosCommandLine", nullptr, m_app.m_strProfile);
    ::SetFileAttributesA(m_app.m_strProfile, FILE_ATTRIBUTE_READONLY);
    m_prompts.answers = { IDYES, IDOK, IDYES };
    bool bStayed = false;
    CModalSteps steps({ [&] {
                           if (!IsRunning(m_dlg.m_hWnd))
                               return false;
                           ClickButton(m_dlg.m_hWnd, IDCANCEL);
                           return true;
                       },
                        [&] {
                            bStayed = IsRunning(m_dlg.m_hWnd);
                            ::SetFileAttributesA(m_app.m_strProfile, FILE_ATTRIBUTE_NORMAL);
                            ClickButton(m_dlg.m_hWnd, IDCANCEL);
                            return true;
                        } });
    m_app.m_pLauncher = &m_dlg;
    EXPECT_EQ(1, m_dlg.DoModal());
    EXPECT_TRUE(bStayed);
    ASSERT_EQ(3u, m_prompts.boxes.size());
    EXPECT_EQ("ERROR", m_prompts.boxes[1].caption);
    EXPECT_EQ("Do you want to save the current config first?", m_prompts.boxes[2].text);
    EXPECT_NE("none", ProfileValue(m_app.m_strProfile, "Work", "DosCommandLine", "none"));
}

// A launch copies the pages into the options file and saves nothing: each
// way out of each window, and a style change or a Load, still finds the
// pages as they differ from the profile, asks, and saves on Yes.
TEST(LauncherWindows, EveryWayOutAfterALaunchOffersToSaveWhatDiffersFromTheProfile)
{
    enum Window { TAB, LIST, MODERN };
    enum Way { LEAVE_BUTTON, ESCAPE_KEY, CLOSE_BOX, ENTER_KEY, STYLE_CHANGE, LOAD };
    const struct
    {
        Window window;
        Way way;
        int nLaunched;  // the speed slider at the launch; the profile holds 7
        int nLeft;      // and when the way out is taken
        int nAnswer;    // 0: nothing is asked
    } cases[] = {
        { TAB, LEAVE_BUTTON, 20, 20, IDYES },   { TAB, ESCAPE_KEY, 20, 20, IDNO },
        { TAB, CLOSE_BOX, 20, 20, IDYES },      { TAB, STYLE_CHANGE, 20, 20, IDYES },
        { TAB, LOAD, 20, 20, IDNO },            { LIST, LEAVE_BUTTON, 20, 20, IDNO },
        { LIST, ESCAPE_KEY, 20, 20, IDYES },    { LIST, CLOSE_BOX, 20, 20, IDNO },
        { LIST, STYLE_CHANGE, 20, 20, IDNO },   { LIST, LOAD, 20, 20, IDYES },
        { MODERN, LEAVE_BUTTON, 20, 20, IDYES }, { MODERN, ESCAPE_KEY, 20, 20, IDNO },
        { MODERN, CLOSE_BOX, 20, 20, IDYES },   { MODERN, ENTER_KEY, 20, 20, IDNO },
        { MODERN, STYLE_CHANGE, 20, 20, IDYES }, { MODERN, LOAD, 20, 20, IDYES },
        // Set back to what the profile holds, or never changed: nothing to ask
        { TAB, LEAVE_BUTTON, 20, 7, 0 },        { MODERN, STYLE_CHANGE, 7, 7, 0 },
    };
    static const char* const s_pszWindows[] = { "tab", "list", "modern" };
    static const char* const s_pszWays[] = { "Leave", "Esc", "close box", "Enter", "style change", "Load" };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(s_pszWindows[c.window]) + ", " + s_pszWays[c.way] + ", launched at "
                     + std::to_string(c.nLaunched));
        CTempDir dir;
        CTestApp app(dir.File("Kovana.ini"));
        CPromptRecorder prompts;
        prompts.answers = { c.nAnswer };
        CLaunchRecorder launches;
        CString strEmulator = dir.File("zot.exe");
        ASSERT_TRUE(CopyStandInEmulator(FALSE, strEmulator));
        ASSERT_TRUE(WriteWholeFile(app.m_strProfile, DefaultProfile(nullptr, strEmulator, "DOS")));
        app.m_mapOptions["CurrentConfigName"] = "Work";

        std::unique_ptr<CLauncherDlg> pDlg = NewLauncherDlg(CLauncherApp::STYLE_TAB + c.window);
        const int nLaunchID = c.window == MODERN ? IDC_MODERN_LAUNCH : IDOK;
        const int nLeaveID = c.window == MODERN ? IDC_MODERN_LEAVE : IDCANCEL;
        HWND hDlg = nullptr;
        auto setSpeed = [&](int nSpeed) {
            ::SendDlgItemMessageA(app.m_pPages[CLauncherApp::PAGE_EMULATOR]->m_hWnd, IDC_EMULATOR_SPEED, TBM_SETPOS,
                                  TRUE, nSpeed);
        };
        std::string strAfterLaunch;
        CModalSteps steps({ [&] {
                               if (!IsRunning(pDlg->m_hWnd))
                                   return false;
                               hDlg = pDlg->m_hWnd;
                               setSpeed(c.nLaunched);
                               ClickButton(hDlg, nLaunchID);
                               strAfterLaunch = ReadWholeFile(app.m_strProfile);
                               setSpeed(c.nLeft);
                               if (c.way == LEAVE_BUTTON || c.way == LOAD)
                               {
                                   if (c.way == LOAD)
                                   {
                                       HWND hConfig = app.m_pPages[CLauncherApp::PAGE_CONFIG]->m_hWnd;
                                       ::SendDlgItemMessageA(hConfig, IDC_CONFIG_LIST, LB_SETCURSEL, 0, 0);
                                       ClickButton(hConfig, IDC_CONFIG_LOAD);
                                   }
                                   ClickButton(hDlg, nLeaveID);
                               }
                               else if (c.way == ESCAPE_KEY || c.way == ENTER_KEY)
                               {
                                   // From the page: Enter on a picture button would press it.
                                   HWND hSpeed = ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_EMULATOR]->m_hWnd,
                                                              IDC_EMULATOR_SPEED);
                                   ::SetFocus(hSpeed);
                                   ::PostMessageA(hSpeed, WM_KEYDOWN, c.way == ESCAPE_KEY ? VK_ESCAPE : VK_RETURN, 0);
                               }
                               else if (c.way == CLOSE_BOX)
                                   ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                               else
                               {
                                   // The next style on the closed list, taken with Enter
                                   pDlg->ShowPage(CLauncherApp::PAGE_INFO);
                                   HWND hCombo =
                                       ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_INFO]->m_hWnd, IDC_INFO_STYLE);
                                   ::SetFocus(hCombo);
                                   ::SendMessageA(hCombo, CB_SETCURSEL, (c.window + 1) % 3, 0);
                                   PressKey(hCombo, VK_RETURN);
                               }
                               return true;
                           } });
        app.m_pLauncher = pDlg.get();
        EXPECT_EQ(c.way == STYLE_CHANGE ? CLauncherApp::STYLE_CHANGED : IDOK, pDlg->DoModal());
        app.m_pLauncher = nullptr;
        ASSERT_TRUE(steps.Done());

        std::string strLaunched = "-w " + std::to_string(c.nLaunched) + "\r\n-P 64\r\n";
        EXPECT_EQ(strLaunched, ReadWholeFile(dir.File(".zotrc")).substr(0, strLaunched.size()));
        EXPECT_EQ(1u, launches.commandLines.size());
        EXPECT_EQ(DefaultProfile(nullptr, strEmulator, "DOS"), strAfterLaunch) << "the launch saved";
        ASSERT_EQ(c.nAnswer ? 1u : 0u, prompts.boxes.size());
        if (c.nAnswer)
        {
            EXPECT_EQ("Do you want to save the current config first?", prompts.boxes[0].text);
            EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), prompts.boxes[0].type);
        }
        std::string strSpeed = "-w " + std::to_string(c.nAnswer == IDYES ? c.nLeft : 7);
        EXPECT_EQ(CString(strSpeed.c_str()), ProfileValue(app.m_strProfile, "Work", "CpuSpeed"));
    }
}

}  // namespace
