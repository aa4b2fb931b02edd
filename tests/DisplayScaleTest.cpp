// Every launcher window with every page on view, laid out at 96 and at 144
// DPI (100 and 150 % scaling): no control's text is wider or, wrapped, taller
// than the room its control gives it, measured in the control's own font; the
// picture buttons of the modern window keep their cells around the page area
// and show their pictures whole; the window icons are the images of the
// system's icon sizes.
//
// A program takes the display's scale when it starts (under Wine from
// HKCU\Control Panel\Desktop, LogPixels), so the test runs itself again in a
// new process for each scale, with the value set until that process has read it.
#include "TestSupport.h"

#include "launchers/ListLauncherDlg.h"
#include "launchers/ModernLauncherDlg.h"
#include "launchers/PageIcons.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

namespace {

// Set in the process that checks one scale: the DPI it must run at, and the
// event it sets once it has taken it
const char ENV_DPI[] = "KOVANA_TEST_DPI";
const char ENV_TAKEN[] = "KOVANA_TEST_DPI_TAKEN";

int ScreenDpi()
{
    HDC hScreen = ::GetDC(nullptr);
    int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return nDpi;
}

std::string Describe(HWND hWnd, LPCSTR pszText, int cxNeeded, int cxRoom, int cyNeeded, int cyRoom)
{
    return std::string("\"") + pszText + "\" (control " + std::to_string(::GetDlgCtrlID(hWnd)) + ") needs "
           + std::to_string(cxNeeded) + " by " + std::to_string(cyNeeded) + " pixels, has " + std::to_string(cxRoom)
           + " by " + std::to_string(cyRoom);
}

// The faults of one control: its text, or each entry of a list, measured in
// its font against the room that the control leaves beside what it draws of
// its own (a check box's box, a push button's edges, a list's arrow button)
void CheckControl(HWND hWnd, std::set<std::string>& faults)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    DWORD dwStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont ? (HGDIOBJ)hFont : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    auto measure = [&](LPCSTR pszText, UINT nFormat, int cxRoom) {
        RECT rcText = { 0, 0, cxRoom, 0 };
        ::DrawTextA(hDC, pszText, -1, &rcText, nFormat | DT_CALCRECT);
        return rcText;
    };
    CString strText = AfxGetWindowText(hWnd);

    if (lstrcmpiA(szClass, "Button") == 0 && !strText.IsEmpty())
    {
        int cxRoom = rc.right;
        switch (dwStyle & BS_TYPEMASK)
        {
        case BS_GROUPBOX:
            cxRoom -= 2 * tm.tmAveCharWidth;
            break;
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        case BS_3STATE: case BS_AUTO3STATE:
            cxRoom -= ::GetSystemMetrics(SM_CXMENUCHECK) + tm.tmAveCharWidth / 2;
            break;
        default:
            cxRoom -= 2 * ::GetSystemMetrics(SM_CXEDGE);
        }
        RECT rcText = measure(strText, DT_SINGLELINE, cxRoom);
        if (rcText.right > cxRoom)
            faults.insert(Describe(hWnd, strText, rcText.right, cxRoom, rcText.bottom, rc.bottom));
    }
    else if (lstrcmpiA(szClass, "Static") == 0 && !strText.IsEmpty())
    {
        UINT nType = dwStyle & SS_TYPEMASK;
        UINT nPrefix = (dwStyle & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        if (nType == SS_LEFT || nType == SS_CENTER || nType == SS_RIGHT)
        {
            // Wrapped onto lines that the control has no room for, or a word wider than it
            RECT rcText = measure(strText, DT_WORDBREAK | nPrefix, rc.right);
            if (rcText.right > rc.right || rcText.bottom > rc.bottom)
                faults.insert(Describe(hWnd, strText, measure(strText, DT_SINGLELINE | nPrefix, rc.right).right,
                                       rc.right, rcText.bottom, rc.bottom));
        }
        else if (nType == SS_LEFTNOWORDWRAP || nType == SS_SIMPLE)
        {
            RECT rcText = measure(strText, DT_SINGLELINE | nPrefix, rc.right);
            if (rcText.right > rc.right)
                faults.insert(Describe(hWnd, strText, rcText.right, rc.right, rcText.bottom, rc.bottom));
        }
    }
    else if (lstrcmpiA(szClass, "ComboBox") == 0)
    {
        COMBOBOXINFO cbi = {};
        cbi.cbSize = sizeof(cbi);
        ::GetComboBoxInfo(hWnd, &cbi);
        int cxRoom = cbi.rcItem.right - cbi.rcItem.left;
        int nCount = (int)::SendMessageA(hWnd, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < nCount; i++)
        {
            char szEntry[256] = "";
            ::SendMessageA(hWnd, CB_GETLBTEXT, i, (LPARAM)szEntry);
            RECT rcText = measure(szEntry, DT_SINGLELINE | DT_NOPREFIX, cxRoom);
            if (rcText.right > cxRoom)
                faults.insert(Describe(hWnd, szEntry, rcText.right, cxRoom, rcText.bottom, rc.bottom));
        }
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(hWnd, hDC);
}

// Every visible control of the window, its page on view included
void CheckTexts(HWND hWindow, std::set<std::string>& faults)
{
    ::EnumChildWindows(
        hWindow,
        [](HWND hWnd, LPARAM lParam) {
            if (::IsWindowVisible(hWnd))
                CheckControl(hWnd, *(std::set<std::string>*)lParam);
            return TRUE;
        },
        (LPARAM)&faults);
}

// The size of a window icon's image
SIZE IconSize(HWND hWnd, WPARAM nIcon)
{
    SIZE size = { 0, 0 };
    ICONINFO info;
    HICON hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, nIcon, 0);
    if (hIcon && ::GetIconInfo(hIcon, &info))
    {
        BITMAP bm;
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        size = { bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2 };
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    return size;
}

// The picture buttons around the page area: each in its template's cell, none
// over another's picture, the three sides of the page area lined by buttons
// from end to end with Launch and Leave below, and each picture shown whole.
void CheckPictureButtons(CModernLauncherDlg& dlg, int nScale)
{
    auto rectOf = [&](HWND hWnd) {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, dlg.m_hWnd, (POINT*)&rc, 2);
        return rc;
    };
    RECT rcArea = rectOf(dlg.GetDlgItem(IDC_MODERN_PAGE_AREA));
    RECT rcCell = { 0, 0, 48, 47 }, rcNear = { 0, 0, 3, 3 };
    ::MapDialogRect(dlg.m_hWnd, &rcCell);
    ::MapDialogRect(dlg.m_hWnd, &rcNear);

    // Where a button's picture shows more than its blank margin
    const int cxPicture = (74 * nScale + 50) / 100, cyPicture = (76 * nScale + 50) / 100;
    const int nMargin = (2 * nScale + 50) / 100;
    auto pictureOf = [&](const RECT& rc) {
        int x = (rc.left + rc.right - cxPicture) / 2, y = (rc.top + rc.bottom - cyPicture) / 2;
        return RECT{ x + nMargin, y + nMargin, x + cxPicture - nMargin, y + cyPicture - nMargin };
    };
    std::vector<RECT> buttons;
    for (int k = 0; k < CModernLauncherDlg::BUTTON_COUNT; k++)
    {
        RECT rc = rectOf(dlg.m_buttons[k]);
        EXPECT_EQ(rcCell.right, rc.right - rc.left) << k;
        EXPECT_EQ(rcCell.bottom, rc.bottom - rc.top) << k;
        buttons.push_back(rc);

        RECT rcClient;
        ::GetClientRect(dlg.m_buttons[k], &rcClient);
        dlg.m_buttons[k].SetCurrent(FALSE);
        CPixels drawn = Render(rcClient.right, rcClient.bottom, [&](HDC hDC) {
            DRAWITEMSTRUCT dis = { ODT_BUTTON, (UINT)(IDC_MODERN_EMULATOR + k), 0, ODA_DRAWENTIRE, 0,
                                   dlg.m_buttons[k].m_hWnd, hDC, rcClient, 0 };
            dlg.SendMessage(WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
        });
        EXPECT_TRUE(ShowsPicture(drawn, ButtonPicture(k, 'U', nScale))) << BUTTON_PICTURES[k] << " at " << nScale;
    }

    for (int k = 0; k < CModernLauncherDlg::BUTTON_COUNT; k++)
        for (int j = 0; j < CModernLauncherDlg::BUTTON_COUNT; j++)
        {
            RECT rcPicture = pictureOf(buttons[k]), rcBoth;
            EXPECT_TRUE(j == k || !::IntersectRect(&rcBoth, &rcPicture, &buttons[j])) << j << " over " << k;
        }

    // Whether the buttons next to a side of the page area line it from end to
    // end, with no more than a few units between them
    auto lined = [&](auto isNext, LONG nFrom, LONG nTo, bool bAcross) {
        std::vector<std::pair<LONG, LONG>> spans;
        for (const RECT& rc : buttons)
            if (isNext(rc))
                spans.push_back(bAcross ? std::make_pair(rc.left, rc.right) : std::make_pair(rc.top, rc.bottom));
        std::sort(spans.begin(), spans.end());
        LONG nReached = nFrom;
        for (const auto& span : spans)
            if (span.first <= nReached + rcNear.right)
                nReached = std::max(nReached, span.second);
        return nReached >= nTo;
    };
    // n lies before nFrom, near it; the dialog manager rounds a control's
    // position and size apart, so one may end a pixel past the other
    auto within = [&](LONG n, LONG nFrom) { return n <= nFrom + 1 && n >= nFrom - rcNear.right; };
    EXPECT_TRUE(lined([&](const RECT& rc) { return within(rc.right, rcArea.left); }, rcArea.top, rcArea.bottom, false))
        << "left side";
    EXPECT_TRUE(lined([&](const RECT& rc) { return within(rc.bottom, rcArea.top); }, rcArea.left, rcArea.right, true))
        << "top";
    EXPECT_TRUE(lined([&](const RECT& rc) { return within(rcArea.right, rc.left); }, rcArea.top, rcArea.bottom, false))
        << "right side";
    for (int k : { CModernLauncherDlg::BUTTON_LAUNCH, CModernLauncherDlg::BUTTON_LEAVE })
        EXPECT_TRUE(within(rcArea.bottom, buttons[k].top) && buttons[k].left >= rcArea.left
                    && buttons[k].right <= rcArea.right)
            << k;
}

// Opens each launcher window, shows each page in it, and checks them all
void CheckWindowsAtThisScale()
{
    CTempDir dir;
    CTestApp app{ dir.File("Kovana.ini") };
    CPromptRecorder prompts;
    SaveDefaultConfiguration(app, "Work");
    const int nScale = PictureScale();

    std::unique_ptr<CLauncherDlg> windows[] = { NewLauncherDlg(CLauncherApp::STYLE_TAB),
                                                NewLauncherDlg(CLauncherApp::STYLE_LIST),
                                                NewLauncherDlg(CLauncherApp::STYLE_MODERN) };
    const UINT templates[] = { IDD_TAB_LAUNCHER, IDD_LIST_LAUNCHER, IDD_MODERN_LAUNCHER };
    for (int w = 0; w < 3; w++)
    {
        SCOPED_TRACE(testing::Message() << "window " << templates[w]);
        CLauncherDlg& dlg = *windows[w];
        app.m_pLauncher = &dlg;
        ASSERT_TRUE(dlg.Create(templates[w], nullptr));
        dlg.ShowWindow(SW_SHOW);

        std::set<std::string> faults;
        for (int nPage = 0; nPage < CLauncherApp::PAGE_COUNT; nPage++)
        {
            dlg.ShowPage(nPage);
            CheckTexts(dlg.m_hWnd, faults);
        }
        for (const std::string& strFault : faults)
            ADD_FAILURE() << strFault;

        SIZE big = IconSize(dlg.m_hWnd, ICON_BIG), small = IconSize(dlg.m_hWnd, ICON_SMALL);
        EXPECT_EQ(::GetSystemMetrics(SM_CXICON), big.cx);
        EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), small.cx);
        EXPECT_EQ(::GetSystemMetrics(SM_CYSMICON), small.cy);

        if (w == 2)
        {
            auto& modern = static_cast<CModernLauncherDlg&>(dlg);
            RECT rcCell;
            ::GetClientRect(modern.m_buttons[0], &rcCell);
            int nButtonScale = CPictureButton::FittingScale(nScale, rcCell.right, rcCell.bottom);
            EXPECT_EQ(nScale, nButtonScale);
            CheckPictureButtons(modern, nButtonScale);
        }
        else if (w == 1)
        {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(static_cast<CListLauncherDlg&>(dlg).m_imageList, &cx, &cy);
            EXPECT_EQ(PAGE_ICON_WIDTH * nScale / 100, cx);
            EXPECT_EQ(PAGE_ICON_HEIGHT * nScale / 100, cy);
        }
        dlg.DestroyWindow();
        app.m_pLauncher = nullptr;
    }
}

// Runs this test in a new process that starts with the display at nDpi; the
// registry value is put back as soon as that process has taken it.
DWORD RunAtDpi(int nDpi)
{
    HKEY hKey;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return (DWORD)-1;
    DWORD dwType = 0, dwOld = 0, cbOld = sizeof(dwOld);
    bool bHadValue = ::RegQueryValueExA(hKey, "LogPixels", nullptr, &dwType, (BYTE*)&dwOld, &cbOld) == ERROR_SUCCESS
                     && dwType == REG_DWORD;
    DWORD dwDpi = (DWORD)nDpi;
    ::RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&dwDpi, sizeof(dwDpi));

    std::string strEvent = "KovanaDpiTaken" + std::to_string(::GetCurrentProcessId());
    HANDLE hTaken = ::CreateEventA(nullptr, TRUE, FALSE, strEvent.c_str());
    ::SetEnvironmentVariableA(ENV_DPI, std::to_string(nDpi).c_str());
    ::SetEnvironmentVariableA(ENV_TAKEN, strEvent.c_str());
    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szExe, sizeof(szExe));
    std::string strCommand = std::string("\"") + szExe + "\" --gtest_filter=DisplayScale.*";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessA(szExe, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(ENV_DPI, nullptr);
    ::SetEnvironmentVariableA(ENV_TAKEN, nullptr);

    if (bStarted)
    {
        HANDLE handles[] = { hTaken, pi.hProcess };
        ::WaitForMultipleObjects(2, handles, FALSE, 60000);
    }
    if (bHadValue)
        ::RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&dwOld, sizeof(dwOld));
    else
        ::RegDeleteValueA(hKey, "LogPixels");
    ::RegCloseKey(hKey);
    ::CloseHandle(hTaken);
    if (!bStarted)
        return (DWORD)-1;

    DWORD dwExit = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, 90000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        ::TerminateProcess(pi.hProcess, (UINT)-1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return dwExit;
}

TEST(DisplayScale, TextsFitAndPicturesFrameThePageAt96And144Dpi)
{
    char szDpi[16] = "", szEvent[64] = "";
    if (!::GetEnvironmentVariableA(ENV_DPI, szDpi, sizeof(szDpi)))
    {
        for (int nDpi : { 96, 144 })
            EXPECT_EQ(0u, RunAtDpi(nDpi)) << "at " << nDpi << " DPI (its output is above)";
        return;
    }

    int nDpi = ScreenDpi();
    if (::GetEnvironmentVariableA(ENV_TAKEN, szEvent, sizeof(szEvent)))
    {
        HANDLE hTaken = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, szEvent);
        ::SetEvent(hTaken);
        ::CloseHandle(hTaken);
    }
    ASSERT_EQ(atoi(szDpi), nDpi);
    CheckWindowsAtThisScale();
}

}  // namespace
