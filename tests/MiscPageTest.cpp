#include "TestSupport.h"

#include "pages/MiscPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

// The system clock's entries with the fragment each one gives
static const struct { LPCSTR pszEntry, pszFragment; } s_clocks[] = {
    { "Disabled", "-Q -1" }, { "Automatic", "" }, { "100", "-Q 100000" }, { "120", "-Q 120000" },
    { "133", "-Q 133333" }, { "150", "-Q 150000" }, { "166", "-Q 166667" }, { "180", "-Q 180000" },
    { "200", "-Q 200000" }, { "233", "-Q 233333" }, { "250", "-Q 250000" },
};

class MiscPageTest : public CPageTest<CMiscPage, CLauncherApp::PAGE_MISC>
{
protected:
    LRESULT Send(int nID, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(Control(nID), nMsg, wParam, lParam);
    }
    // A null value leaves the key out of the section.
    void Load(LPCSTR pszKey, LPCSTR pszValue)
    {
        Store(pszKey, pszValue);
        CPageFixture::Load();
    }
    CString AppendedFor(LPCSTR pszEmulatorType)
    {
        app.m_mapOptions["EmulatorType"] = pszEmulatorType;
        return Appended("?");
    }
};

TEST_F(MiscPageTest, FreshPageListsTheClocksAndEntersItsDefaults)
{
    ASSERT_EQ((LRESULT)(sizeof(s_clocks) / sizeof(s_clocks[0])), Send(IDC_MISC_SYSTEM_CLOCK, CB_GETCOUNT));
    for (int i = 0; i < (int)(sizeof(s_clocks) / sizeof(s_clocks[0])); i++)
    {
        char szEntry[32] = "";
        Send(IDC_MISC_SYSTEM_CLOCK, CB_GETLBTEXT, i, (LPARAM)szEntry);
        EXPECT_STREQ(s_clocks[i].pszEntry, szEntry);
    }
    EXPECT_EQ(CString("Automatic"), SelectedText(IDC_MISC_SYSTEM_CLOCK));
    EXPECT_TRUE(GetWindowLongA(Control(IDC_MISC_ACCURACY), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(3, Send(IDC_MISC_ACCURACY, TBM_GETRANGEMAX));
    EXPECT_EQ(0, Send(IDC_MISC_ACCURACY, TBM_GETPOS));
    for (int nID : { IDC_MISC_DEBUGGER, IDC_MISC_ILLEGAL_INSTRUCTIONS, IDC_MISC_IMMEDIATE_BLITS, IDC_MISC_32BIT_BLITS })
        EXPECT_FALSE(IsChecked(nID)) << nID;

    EXPECT_EQ(CString(""), Option("SystemClock"));
    EXPECT_EQ(CString("-A 2"), AppendedFor("WIN32"));
    // The slider's top stands for "-A 3", not for the "-A 2" entered beside it.
    EXPECT_TRUE(page.IsModified());
}

TEST_F(MiscPageTest, StoredClockSelectsOnlyItsOwnEntry)
{
    for (const auto& c : s_clocks)
    {
        SCOPED_TRACE(c.pszEntry);
        Load("SystemClock", c.pszFragment);
        EXPECT_EQ(CString(c.pszEntry), SelectedText(IDC_MISC_SYSTEM_CLOCK));
        EXPECT_FALSE(page.IsModified());
        page.UpdateOptions();
        EXPECT_EQ(CString(c.pszFragment), Option("SystemClock"));
        EXPECT_EQ(CString("-A 3") + (*c.pszFragment ? "?" : "") + c.pszFragment, AppendedFor("WIN32"));
        EXPECT_EQ(CString("-A 3"), AppendedFor("DOS"));
    }

    // No exact match: neither a prefix, nor a longer number, nor another value
    Load("SystemClock", "-Q 250000");
    for (LPCSTR pszStored : { "-Q 99", "-Q 1", "-Q 1666670", "-Q 100000x", "Q 100000", "-Q -10" })
    {
        SCOPED_TRACE(pszStored);
        Load("SystemClock", pszStored);
        EXPECT_EQ(CString("250"), SelectedText(IDC_MISC_SYSTEM_CLOCK));
        EXPECT_TRUE(page.IsModified());
    }
}

TEST_F(MiscPageTest, AccuracyRunsFromTheTopAndStaysInRange)
{
    const struct { LPCSTR pszStored; int nPos; LPCSTR pszRebuilt; } cases[] = {
        { "-A 3", 0, "-A 3" }, { "-A 2", 1, "-A 2" }, { "-A 1", 2, "-A 1" }, { "-A 0", 3, "-A 0" },
        { nullptr, 3, "-A 0" }, { "-A 7", 0, "-A 3" }, { "-A -1", 3, "-A 0" }, { "-A x", 3, "-A 0" },
        { "-A 99999999999", 0, "-A 3" }, { "-A -99999999999", 3, "-A 0" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszStored ? c.pszStored : "(none)");
        Load("Accuracy", c.pszStored);
        EXPECT_EQ(c.nPos, Send(IDC_MISC_ACCURACY, TBM_GETPOS));
        page.UpdateOptions();
        EXPECT_EQ(CString(c.pszRebuilt), Option("Accuracy"));
    }
}

TEST_F(MiscPageTest, EveryControlChangesItsOwnFragment)
{
    const struct { int nID; LPCSTR pszKey; LPCSTR pszFragment; } boxes[] = {
        { IDC_MISC_DEBUGGER, "Debugger", "-D" }, { IDC_MISC_ILLEGAL_INSTRUCTIONS, "IllegalInstructions", "-i" },
        { IDC_MISC_32BIT_BLITS, "32BitBlits", "-n 3" }, { IDC_MISC_IMMEDIATE_BLITS, "ImmediateBlits", "-n i" },
    };
    Load("Accuracy", "-A 0");
    for (const auto& b : boxes)
    {
        SCOPED_TRACE(b.pszKey);
        ASSERT_FALSE(page.IsModified());
        Send(b.nID, BM_CLICK);
        EXPECT_TRUE(page.IsModified());
        EXPECT_EQ(CString(""), Option(b.pszKey));
        page.UpdateOptions();
        EXPECT_EQ(CString(b.pszFragment), Option(b.pszKey));
    }
    Send(IDC_MISC_ACCURACY, TBM_SETPOS, TRUE, 0);
    Send(IDC_MISC_SYSTEM_CLOCK, CB_SETCURSEL, 0);
    EXPECT_TRUE(page.IsModified());
    page.UpdateOptions();
    EXPECT_EQ(CString("-D?-i?-A 3?-n 3?-n i?-Q -1"), AppendedFor("WIN32"));
    EXPECT_EQ(CString("-D?-i?-A 3?-n 3?-n i"), AppendedFor("win32"));

    // Any stored text checks a box; the clock is saved for every build.
    Send(IDC_MISC_SYSTEM_CLOCK, CB_SETCURSEL, 10);
    app.SaveConfig();
    EXPECT_EQ(CString("-Q 250000"), Stored("SystemClock"));
    Load("Debugger", "on");
    EXPECT_TRUE(IsChecked(IDC_MISC_DEBUGGER));
    Load("Debugger", nullptr);
    EXPECT_FALSE(IsChecked(IDC_MISC_DEBUGGER));
    EXPECT_EQ(CString("250"), SelectedText(IDC_MISC_SYSTEM_CLOCK));
}
