#include "TestSupport.h"

#include "pages/SoundPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

class SoundPageTest : public CPageTest<CSoundPage, CLauncherApp::PAGE_SOUND>
{
protected:
    SoundPageTest() : CPageTest("Amiga 500") {}

    void StoreAll(LPCSTR pszEmulation, LPCSTR pszBits, LPCSTR pszFreq, LPCSTR pszBuffer)
    {
        Store("SoundEmulation", pszEmulation);
        Store("SoundBits", pszBits);
        Store("SoundFreq", pszFreq);
        Store("SoundBuffer", pszBuffer);
    }
    void Type(int nID, LPCSTR pszText) { ::SetWindowTextA(Control(nID), pszText); }
    CString EntryText(int nID, int nIndex) const
    {
        char szText[64] = "";
        ::SendMessageA(Control(nID), CB_GETLBTEXT, nIndex, (LPARAM)szText);
        return szText;
    }
};

TEST_F(SoundPageTest, EveryEmulationEntryGivesItsFragment)
{
    struct { LPCSTR pszEntry; LPCSTR pszFragment; } const entries[] = {
        { "Off (FrameSync disabled)", "-S -1" },
        { "Off", "-S 0" },
        { "Off (Interupts enabled)", "-S 1" },
        { "On", "-S 2" },
        { "On (Emulated perfectly)", "-S 3" },
    };
    ASSERT_EQ(5, ::SendMessageA(Control(IDC_SOUND_EMULATION), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 5; i++)
    {
        SCOPED_TRACE(entries[i].pszEntry);
        EXPECT_EQ(CString(entries[i].pszEntry), EntryText(IDC_SOUND_EMULATION, i));
        Choose(IDC_SOUND_EMULATION, i);
        page.UpdateOptions();
        EXPECT_EQ(CString(entries[i].pszFragment), Option("SoundEmulation"));
    }
}

TEST_F(SoundPageTest, LoadingSelectsTheStoredEntries)
{
    // nIndex -1: no entry fits, the list is left without a selection
    struct { LPCSTR pszStored; int nIndex; LPCSTR pszFragment; } const emulations[] = {
        { "-S -1", 0, "-S -1" },
        { "-S 2", 3, "-S 2" },
        { "-S  +3", 4, "-S 3" },
        { "-S 1x", 2, "-S 1" },
        { "-S x", 1, "-S 0" },
        { "-S 4", -1, "-S -2" },
        { "-S -2", -1, "-S -2" },
        { "-S 99999999999", -1, "-S -2" },
        { "-S -99999999999", -1, "-S -2" },
    };
    for (const auto& e : emulations)
    {
        SCOPED_TRACE(e.pszStored);
        Choose(IDC_SOUND_EMULATION, e.nIndex == 1 ? 3 : 1);
        StoreAll(e.pszStored, "-b 8", "-R 22050", "-B 8192");
        page.LoadFromProfile();
        EXPECT_EQ(e.nIndex, Selection(IDC_SOUND_EMULATION));
        page.UpdateOptions();
        EXPECT_EQ(CString(e.pszFragment), Option("SoundEmulation"));
    }

    // A text no entry begins with keeps the selection that was there
    struct { LPCSTR pszBefore; LPCSTR pszStored; LPCSTR pszSelected; } const bits[] = {
        { "8", "-b 16", "16" },
        { "16", "-b 8", "8" },
        { "16", "-b 12", "16" },
        { "8", "-b 1", "16" },
    };
    for (const auto& b : bits)
    {
        SCOPED_TRACE(b.pszStored);
        ::SendMessageA(Control(IDC_SOUND_BITS), CB_SELECTSTRING, (WPARAM)-1, (LPARAM)b.pszBefore);
        StoreAll("-S 2", b.pszStored, "-R 22050", "-B 8192");
        page.LoadFromProfile();
        EXPECT_EQ(CString(b.pszSelected), SelectedText(IDC_SOUND_BITS));
    }
}

TEST_F(SoundPageTest, IsModifiedComparesTheControlsWithTheOptionMap)
{
    // A fresh page shows "On" against the map's "-S 0"
    EXPECT_TRUE(page.IsModified());

    StoreAll("-S 3", "-b 16", "-R 44100", "-B 4096");
    page.LoadFromProfile();
    EXPECT_EQ(CString("44100"), Text(IDC_SOUND_FREQUENCY));
    EXPECT_EQ(CString("4096"), Text(IDC_SOUND_BUFFER));
    int nOptions = app.m_mapOptions.GetCount();
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(CString("-S 3"), Option("SoundEmulation"));

    struct { LPCSTR pszChange; int nID; int nIndex; LPCSTR pszText; } const changes[] = {
        { "emulation", IDC_SOUND_EMULATION, 3, nullptr },
        { "bits", IDC_SOUND_BITS, 1, nullptr },
        { "frequency", IDC_SOUND_FREQUENCY, 0, "48000" },
        { "buffer", IDC_SOUND_BUFFER, 0, "1024" },
    };
    for (const auto& c : changes)
    {
        SCOPED_TRACE(c.pszChange);
        page.LoadFromProfile();
        ASSERT_FALSE(page.IsModified());
        if (c.pszText)
            Type(c.nID, c.pszText);
        else
            Choose(c.nID, c.nIndex);
        EXPECT_TRUE(page.IsModified());
    }
    EXPECT_EQ(nOptions, app.m_mapOptions.GetCount());
    EXPECT_EQ(CString("-S 3"), Option("SoundEmulation"));

    // A section without the page's keys: the map holds empty texts, and the
    // bits list shows its first entry whatever it showed before.
    Choose(IDC_SOUND_BITS, 1);
    app.m_mapOptions["CurrentConfigName"] = "Empty";
    ::WritePrivateProfileStringA("Empty", "Video", "-O 640:480", app.m_strProfile);
    page.LoadFromProfile();
    EXPECT_EQ(CString(""), Option("SoundEmulation"));
    EXPECT_EQ(CString("Off"), SelectedText(IDC_SOUND_EMULATION));
    EXPECT_EQ(CString("16"), SelectedText(IDC_SOUND_BITS));
    EXPECT_EQ(CString(""), Text(IDC_SOUND_FREQUENCY));
    EXPECT_TRUE(page.IsModified());
    page.UpdateOptions();
    EXPECT_EQ(CString("-b 16"), Option("SoundBits"));
}

TEST_F(SoundPageTest, DetailControlsFollowTheUsersChoiceOnly)
{
    const int details[] = { IDC_SOUND_BITS, IDC_SOUND_FREQUENCY, IDC_SOUND_BUFFER };
    auto expectDetails = [&](BOOL bEnabled) {
        for (int nID : details)
            EXPECT_EQ(bEnabled, ::IsWindowEnabled(Control(nID))) << "control " << nID;
    };
    expectDetails(TRUE);

    const BOOL enabled[] = { FALSE, FALSE, FALSE, TRUE, TRUE };
    for (int i : { 0, 3, 1, 4, 2 })
    {
        SCOPED_TRACE(i);
        Choose(IDC_SOUND_EMULATION, i);
        expectDetails(enabled[i]);
    }

    // Loading leaves the enabled state as the user left it
    StoreAll("-S 2", "-b 8", "-R 22050", "-B 8192");
    page.LoadFromProfile();
    expectDetails(FALSE);
    Choose(IDC_SOUND_EMULATION, 3);
    StoreAll("-S 0", "-b 8", "-R 22050", "-B 8192");
    page.LoadFromProfile();
    expectDetails(TRUE);
}

TEST_F(SoundPageTest, AppendOptionsJoinsTheFragments)
{
    EXPECT_EQ(CString("-S 0\r\n-b 8\r\n-R 22050\r\n-B 8192"), Appended("\r\n"));

    CString strLine = "-G";
    page.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-G?-S 0?-b 8?-R 22050?-B 8192"), strLine);

    // An empty edit still gives a fragment, and it is appended
    Type(IDC_SOUND_FREQUENCY, "");
    page.UpdateOptions();
    EXPECT_EQ(CString("-R "), Option("SoundFreq"));
    strLine.Empty();
    page.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-S 2?-b 8?-R ?-B 8192"), strLine);

    // An empty fragment adds neither itself nor a separator
    app.m_mapOptions["SoundEmulation"] = "";
    app.m_mapOptions["SoundBuffer"] = "";
    strLine.Empty();
    page.AppendOptions(strLine, "?");
    EXPECT_EQ(CString("-b 8?-R "), strLine);
}
