#include "TestSupport.h"

#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

static LPCSTR const s_pszSection = "Amiga 1200";

// All page windows inside a host window, as a launcher has them, over a profile of their own.
class JoystickKeyboardPageTest : public ::testing::Test
{
protected:
    JoystickKeyboardPageTest()
        : app(dir.File("Kovana.ini")),
          joystick(*app.m_pPages[CLauncherApp::PAGE_JOYSTICK]),
          keyboard(*app.m_pPages[CLauncherApp::PAGE_KEYBOARD])
    {
        // A listed configuration, so that the Config page does not ask for a first one
        ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", "1", app.m_strProfile);
        ::WritePrivateProfileStringA("ConfigList", "Config#1", s_pszSection, app.m_strProfile);
        ::WritePrivateProfileStringA("ConfigList", "CurrentConfigName", s_pszSection, app.m_strProfile);
        EXPECT_TRUE(CreatePageWindows(app, host));
    }

    // nullptr removes the key
    void Store(LPCSTR pszKey, LPCSTR pszValue)
    {
        ::WritePrivateProfileStringA(s_pszSection, pszKey, pszValue, app.m_strProfile);
    }
    HWND Box() const { return ::GetDlgItem(joystick.m_hWnd, IDC_JOYSTICK_EMULATION); }
    HWND List() const { return ::GetDlgItem(keyboard.m_hWnd, IDC_KEYBOARD_LAYOUT); }
    BOOL Checked() const { return ::SendMessageA(Box(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    CString SelectedLayout() const
    {
        char szText[16] = "";
        ::SendMessageA(List(), CB_GETLBTEXT, ::SendMessageA(List(), CB_GETCURSEL, 0, 0), (LPARAM)szText);
        return szText;
    }
    // What the user does: pick an entry, and the list tells its page.
    void ChooseLayout(int nIndex)
    {
        ::SendMessageA(List(), CB_SETCURSEL, nIndex, 0);
        ::SendMessageA(keyboard.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_KEYBOARD_LAYOUT, CBN_SELCHANGE), (LPARAM)List());
    }
    CString Option(LPCSTR pszKey) { return app.m_mapOptions[pszKey]; }

    CTempDir dir;
    CTestApp app;
    CTestHost host;
    CSettingsPage& joystick;
    CSettingsPage& keyboard;
};

TEST_F(JoystickKeyboardPageTest, JoystickBoxFollowsWhetherAnythingIsStored)
{
    EXPECT_FALSE(Checked());
    EXPECT_EQ(CString(""), Option("Joystick"));
    EXPECT_FALSE(joystick.IsModified());

    struct { LPCSTR pszStored; BOOL bChecked; BOOL bModified; } const cases[] = {
        { "-J", TRUE, FALSE },
        { nullptr, FALSE, FALSE },
        { "yes", TRUE, TRUE },
        { "", FALSE, FALSE },
        { "-J 1", TRUE, TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszStored ? c.pszStored : "(absent)");
        Store("Joystick", c.pszStored);
        joystick.LoadFromProfile();
        EXPECT_EQ(c.bChecked, Checked());
        EXPECT_EQ(c.bModified, joystick.IsModified());
        joystick.UpdateOptions();
        EXPECT_EQ(CString(c.bChecked ? "-J" : ""), Option("Joystick"));
        EXPECT_FALSE(joystick.IsModified());

        // A click toggles the box and counts as a change
        ::SendMessageA(Box(), BM_CLICK, 0, 0);
        EXPECT_EQ(!c.bChecked, Checked());
        EXPECT_TRUE(joystick.IsModified());
    }

    // Unchecked, the page adds neither a fragment nor a separator
    EXPECT_FALSE(Checked());
    joystick.UpdateOptions();
    CString strLine = "-L US";
    joystick.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-L US"), strLine);
    ::SendMessageA(Box(), BM_CLICK, 0, 0);
    joystick.UpdateOptions();
    joystick.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-L US?-J"), strLine);
}

TEST_F(JoystickKeyboardPageTest, EveryLayoutGivesItsFragment)
{
    // The list keeps the page's order although it has the sorted style
    LPCSTR const layouts[] = { "US", "DE" };
    ASSERT_EQ(2, ::SendMessageA(List(), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(CString("US"), SelectedLayout());
    EXPECT_EQ(CString("-L US"), Option("Keyboard"));
    EXPECT_FALSE(keyboard.IsModified());
    for (int i : { 1, 0 })
    {
        SCOPED_TRACE(layouts[i]);
        ChooseLayout(i);
        EXPECT_EQ(CString(layouts[i]), SelectedLayout());
        EXPECT_TRUE(keyboard.IsModified());
        keyboard.UpdateOptions();
        EXPECT_EQ("-L " + CString(layouts[i]), Option("Keyboard"));
        EXPECT_FALSE(keyboard.IsModified());
    }
}

TEST_F(JoystickKeyboardPageTest, LoadingSelectsTheStoredLayout)
{
    // The map keeps the layout as read until the options are collected again
    struct { LPCSTR pszStored; int nBefore; LPCSTR pszSelected; LPCSTR pszLoaded; BOOL bModified; } const cases[] = {
        { "-L DE", 0, "DE", "-L DE", FALSE },
        { "-L US", 1, "US", "-L US", FALSE },
        { "-L de", 0, "DE", "-L de", TRUE },
        { "-L D", 0, "DE", "-L D", TRUE },
        { "-L FR", 1, "DE", "-L FR", TRUE },
        { "-L FR", 0, "US", "-L FR", TRUE },
        { nullptr, 1, "US", "-L ", TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszStored ? c.pszStored : "(absent)");
        ChooseLayout(c.nBefore);
        Store("Keyboard", c.pszStored);
        keyboard.LoadFromProfile();
        EXPECT_EQ(CString(c.pszSelected), SelectedLayout());
        EXPECT_EQ(CString(c.pszLoaded), Option("Keyboard"));
        EXPECT_EQ(c.bModified, keyboard.IsModified());
        keyboard.UpdateOptions();
        EXPECT_EQ("-L " + CString(c.pszSelected), Option("Keyboard"));
    }
}

TEST_F(JoystickKeyboardPageTest, SaveToProfileWritesTheOptionMap)
{
    app.m_mapOptions["Joystick"] = "-J";
    app.m_mapOptions["Keyboard"] = "-L DE";
    ChooseLayout(0);
    joystick.SaveToProfile();
    keyboard.SaveToProfile();
    EXPECT_EQ(CString("-J"), ProfileValue(app.m_strProfile, s_pszSection, "Joystick"));
    EXPECT_EQ(CString("-L DE"), ProfileValue(app.m_strProfile, s_pszSection, "Keyboard"));
    CString strLine = "-G";
    keyboard.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-G?-L DE"), strLine);
}
