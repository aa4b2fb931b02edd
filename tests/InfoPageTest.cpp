#include "ModalSteps.h"
#include "TestSupport.h"

#include "launchers/TabLauncherDlg.h"
#include "pages/InfoPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

static const std::string DOS_EXE = std::string("MZ\0\0ZOT %s Win32 later", 23);
static const std::string WIN32_EXE = std::string("MZ\0\0stub ZOT 1.2 Win32\0tail", 28);
static const char NOT_DOS[] = "This is not a DOS version of the emulator!";

namespace {

// How a user makes a choice in the style list
enum StyleWay
{
    OPEN_LIST_ENTER,    // opens the list, types the entry's first letter, Enter
    CLOSED_LIST_ENTER,  // types the first letter on the closed list, Enter
    CLICK,              // opens the list and clicks the entry
};

// Keys and clicks are posted: they go through the launcher's modal loop, as a
// user's do.
void ChooseStyle(HWND hCombo, int nEntry, StyleWay way)
{
    static const char s_chFirst[] = { 'T', 'L', 'M' };
    ::SetFocus(hCombo);
    if (way != CLOSED_LIST_ENTER)
        ::SendMessageA(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
    if (way == CLICK)
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        ::GetComboBoxInfo(hCombo, &info);
        RECT rc;
        ::SendMessageA(info.hwndList, LB_GETITEMRECT, nEntry, (LPARAM)&rc);
        LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        ::PostMessageA(info.hwndList, WM_LBUTTONUP, 0, lPoint);
        return;
    }
    ::PostMessageA(hCombo, WM_CHAR, s_chFirst[nEntry], 1);
    PressKey(hCombo, VK_RETURN);
}

}  // namespace

// Choosing a style in the running window: the style is stored and the window
// ends with the style-change result. The next window loads the profile again,
// so a changed page is offered for saving first, as Leave does. The list shows
// the style of the open window, also where the command line chose it over the
// profile's, or on a first start, which stores none.
TEST(InfoPage, StyleChoiceStoresTheStyleAndEndsTheLauncher)
{
    const struct
    {
        LPCSTR pszAppStyle;  // what the main dialog read from the profile
        int nWindow;         // the style of the window that opens: the entry selected
        int nPick;
        StyleWay way;
        bool bChangePage;    // move the Emulator page's speed slider first
        int nAnswer;         // to the question that a change brings
        LPCSTR pszStored;
        LPCSTR pszSpeed;     // stored afterwards
        bool bReadOnlyFirst; // the first choice meets a read-only profile
    } cases[] = {
        { "1", 1, 1, OPEN_LIST_ENTER, false, IDYES, "2", "-w 7", false },
        { "3", 2, 0, CLOSED_LIST_ENTER, false, IDYES, "1", "-w 7", false },
        { "", 2, 2, CLICK, false, IDYES, "3", "-w 7", false },
        { "", 3, 1, CLOSED_LIST_ENTER, true, IDNO, "2", "-w 7", false },
        { "4", 3, 0, OPEN_LIST_ENTER, true, IDYES, "1", "-w 20", false },
        // A save that fails keeps the window, its pages and its style; the
        // next choice saves and switches.
        { "1", 1, 2, CLICK, true, IDYES, "3", "-w 20", true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("profile style \"") + c.pszAppStyle + "\", window " + std::to_string(c.nWindow));
        CTempDir dir;
        CTestApp app(dir.File("Kovana.ini"));
        CPromptRecorder prompts;
        prompts.answers = { c.nAnswer };
        SaveDefaultConfiguration(app, "Work");
        if (c.bReadOnlyFirst)
        {
            prompts.answers = { IDYES, IDOK, c.nAnswer };
            ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_READONLY);
        }
        app.m_strStyle = c.pszAppStyle;
        std::unique_ptr<CLauncherDlg> pDlg = NewLauncherDlg(c.nWindow);
        CLauncherDlg& dlg = *pDlg;
        int nShownSel = -2, nSelAfterFailure = -2;
        HWND hLauncher = nullptr, hStayed = nullptr;
        auto combo = [&] { return ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_INFO]->m_hWnd, IDC_INFO_STYLE); };
        std::vector<std::function<bool()>> stepList = { [&] {
            if (!IsRunning(dlg.m_hWnd))
                return false;
            hLauncher = dlg.m_hWnd;
            if (c.bChangePage)
                ::SendDlgItemMessageA(app.m_pPages[CLauncherApp::PAGE_EMULATOR]->m_hWnd, IDC_EMULATOR_SPEED,
                                      TBM_SETPOS, TRUE, 20);
            dlg.ShowPage(CLauncherApp::PAGE_INFO);
            nShownSel = (int)::SendMessageA(combo(), CB_GETCURSEL, 0, 0);
            ChooseStyle(combo(), c.nPick, c.way);
            return true;
        } };
        if (c.bReadOnlyFirst)
            stepList.push_back([&] {
                hStayed = IsRunning(dlg.m_hWnd) ? dlg.m_hWnd : nullptr;
                nSelAfterFailure = (int)::SendMessageA(combo(), CB_GETCURSEL, 0, 0);
                ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_NORMAL);
                ChooseStyle(combo(), c.nPick, c.way);
                return true;
            });
        CModalSteps steps(stepList);
        app.m_pLauncher = &dlg;
        EXPECT_EQ(19, dlg.DoModal());
        EXPECT_TRUE(steps.Done());
        EXPECT_EQ(c.nWindow - 1, nShownSel);
        EXPECT_EQ(CString(c.pszStored), ProfileValue(app.m_strProfile, "ConfigList", "BrimloStyle"));
        EXPECT_TRUE(hLauncher != nullptr);
        ASSERT_EQ(c.bReadOnlyFirst ? 3u : c.bChangePage ? 1u : 0u, prompts.boxes.size());
        if (c.bChangePage)
        {
            EXPECT_EQ("Do you want to save the current config first?", prompts.boxes[0].text);
        }
        if (c.bReadOnlyFirst)
        {
            EXPECT_EQ("ERROR", prompts.boxes[1].caption);
            EXPECT_EQ(hLauncher, hStayed);
            EXPECT_EQ(c.nWindow - 1, nSelAfterFailure);
        }
        EXPECT_EQ(CString(c.pszSpeed), ProfileValue(app.m_strProfile, "Work", "CpuSpeed"));
        app.m_pLauncher = nullptr;
    }
}

// The entries can be looked through, on the closed list with the keys or in
// the open list, without a switch: leaving the list, or closing it with Esc,
// shows the style in use again; choosing the style in use changes nothing.
TEST(InfoPage, BrowsingTheStylesSwitchesNothing)
{
    CTempDir dir;
    CTestApp app(dir.File("Kovana.ini"));
    CPromptRecorder prompts;
    SaveDefaultConfiguration(app, "Work");
    ::WritePrivateProfileStringA("ConfigList", "BrimloStyle", "1", app.m_strProfile);
    app.m_strStyle = "1";
    std::string profile = ReadWholeFile(app.m_strProfile);
    CTabLauncherDlg dlg;
    HWND hCombo = nullptr;
    std::vector<int> shown;  // the list's entry after each look
    auto step = [](std::function<void()> action) {
        return [action] {
            action();
            return true;
        };
    };
    auto note = [&] {
        shown.push_back((int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
        return true;
    };
    CModalSteps steps({
        [&] {
            if (!IsRunning(dlg.m_hWnd))
                return false;
            dlg.ShowPage(CLauncherApp::PAGE_INFO);
            hCombo = ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_INFO]->m_hWnd, IDC_INFO_STYLE);
            ::SetFocus(hCombo);
            PressKey(hCombo, VK_DOWN);
            PressKey(hCombo, VK_DOWN);
            return true;
        },
        note,
        step([&] { PressKey(hCombo, VK_TAB); }),
        note,
        step([&] {
            ::SetFocus(hCombo);
            ::SendMessageA(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
            PressKey(hCombo, VK_DOWN);
        }),
        note,
        step([&] { PressKey(hCombo, VK_ESCAPE); }),
        note,
        step([&] { ChooseStyle(hCombo, 0, OPEN_LIST_ENTER); }),
        note,
        step([&] { ChooseStyle(hCombo, 0, CLICK); }),
        note,
        [&] {
            ClickButton(dlg.m_hWnd, IDCANCEL);
            return true;
        },
    });
    app.m_pLauncher = &dlg;
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ((std::vector<int>{ 2, 0, 1, 0, 0, 0 }), shown);
    for (const ShownBox& box : prompts.boxes)
        ADD_FAILURE() << "asked: " << box.text;
    EXPECT_EQ(profile, ReadWholeFile(app.m_strProfile));
    app.m_pLauncher = nullptr;
}

class InfoPageTest : public CPageTest<CInfoPage, CLauncherApp::PAGE_INFO>
{
protected:
    CPromptRecorder prompts;

    // The page windows open on a profile that holds this DOS emulator path.
    void SetUp() override {}
    void Open(LPCSTR pszStoredPath)
    {
        SaveDefaultConfiguration(app, Section());
        ::WritePrivateProfileStringA("ConfigList", "DosEmulatorPath", pszStoredPath, app.m_strProfile);
        ASSERT_TRUE(CreatePageWindows(app, host));
    }
    CString EditText() const { return Text(IDC_INFO_DOS_EMULATOR_PATH); }
    CString StoredPath() const { return ProfileValue(app.m_strProfile, "ConfigList", "DosEmulatorPath", "(none)"); }
    // A file with a long name, so that it has a short name of its own
    CString MakeExe(LPCSTR pszName, const std::string& data)
    {
        CString strPath = dir.File(pszName);
        WriteWholeFile(strPath, data);
        return strPath;
    }
    static CString ShortName(const CString& strPath)
    {
        char szShort[MAX_PATH] = "";
        ::GetShortPathNameA(strPath, szShort, sizeof(szShort));
        return szShort;
    }
    size_t Warnings() const
    {
        size_t nCount = 0;
        for (const ShownBox& box : prompts.boxes)
            nCount += box.text == NOT_DOS && box.caption == "WARNING" && box.type == (MB_OK | MB_ICONEXCLAMATION);
        return nCount;
    }
};

TEST_F(InfoPageTest, LeavingATypedPathStoresItsShortFormAndWarnsUnlessDos)
{
    CString strDos = MakeExe("Dos Emulator Build.exe", DOS_EXE);
    CString strWin = MakeExe("Win Emulator Build.exe", WIN32_EXE);
    Open("C:\\old\\zot.exe");
    EXPECT_EQ(CString("C:\\old\\zot.exe"), EditText());
    HWND hEdit = Control(IDC_INFO_DOS_EMULATOR_PATH);
    auto leave = [&] {
        ::SetFocus(hEdit);
        ASSERT_EQ(hEdit, ::GetFocus());
        ::SetFocus(Control(IDC_INFO_BROWSE));
    };
    // The focus passing through is no change, whatever path stands there.
    std::string profile = ReadWholeFile(app.m_strProfile);
    leave();
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(profile, ReadWholeFile(app.m_strProfile));

    const struct { CString strTyped, strStored; size_t nWarnings; } cases[] = {
        { strDos, ShortName(strDos), 0 },
        { "", "", 0 },  // no DOS build chosen is no mistake
        { strWin, ShortName(strWin), 1 },
        // Not there yet: kept as typed rather than cut back to its folder
        { dir.File("missing.exe"), dir.File("missing.exe"), 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.strTyped);
        prompts.boxes.clear();
        // Typed over the whole text, as a user replaces it
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
        ::SendMessageA(hEdit, EM_REPLACESEL, TRUE, (LPARAM)(LPCSTR)c.strTyped);
        leave();
        EXPECT_EQ(c.nWarnings, Warnings());
        EXPECT_EQ(c.nWarnings, prompts.boxes.size());
        EXPECT_EQ(c.strStored, StoredPath());
        EXPECT_EQ(c.strTyped, EditText());
        // Once more through the edit: nothing new to check
        leave();
        EXPECT_EQ(c.nWarnings, prompts.boxes.size());
    }
}

TEST_F(InfoPageTest, BrowseStoresTheChosenDosBuildAndCancelChangesNothing)
{
    CString strDos = MakeExe("Dos Emulator Build.exe", DOS_EXE);
    Open("C:\\old\\zot.exe");
    prompts.files = { std::string(strDos) };
    Click(IDC_INFO_BROWSE);
    ASSERT_EQ(1u, prompts.fileDialogs.size());
    EXPECT_EQ("C:\\old", prompts.fileDialogs[0].initialDir);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(ShortName(strDos), EditText());
    EXPECT_EQ(ShortName(strDos), StoredPath());

    // Cancelled: neither the edit nor the profile changes, even with a new text typed.
    std::string profile = ReadWholeFile(app.m_strProfile);
    ::SetWindowTextA(Control(IDC_INFO_DOS_EMULATOR_PATH), "C:\\typed");
    Click(IDC_INFO_BROWSE);
    ASSERT_EQ(2u, prompts.fileDialogs.size());
    EXPECT_EQ("C:\\", prompts.fileDialogs[1].initialDir);
    EXPECT_EQ(CString("C:\\typed"), EditText());
    EXPECT_EQ(profile, ReadWholeFile(app.m_strProfile));
    EXPECT_TRUE(prompts.boxes.empty());
}
