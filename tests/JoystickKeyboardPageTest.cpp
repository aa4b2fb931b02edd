#include "TestSupport.h"

#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

// Both pages among every page window; the Joystick page is the fixture's own.
class JoystickKeyboardPageTest : public CPageFixture
{
protected:
    JoystickKeyboardPageTest() : CPageFixture(CLauncherApp::PAGE_JOYSTICK, "Amiga 1200") {}

    CSettingsPage& joystick = *app.m_pPages[CLauncherApp::PAGE_JOYSTICK];
    CSettingsPage& keyboard = *app.m_pPages[CLauncherApp::PAGE_KEYBOARD];

    HWND List() const { return ::GetDlgItem(keyboard.m_hWnd, IDC_KEYBOARD_LAYOUT); }
    BOOL Checked() const { return IsChecked(IDC_JOYSTICK_EMULATION); }
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

        // A click toggles the box and counts as a change
        Click(IDC_JOYSTICK_EMULATION);
        EXPECT_EQ(!c.bChecked, Checked());
        EXPECT_TRUE(joystick.IsModified());
    }

    // Unchecked, the page adds neither a fragment nor a separator
    EXPECT_FALSE(Checked());
    joystick.UpdateOptions();
    CString strLine = "-L US";
    joystick.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-L US"), strLine);
    Click(IDC_JOYSTICK_EMULATION);
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
