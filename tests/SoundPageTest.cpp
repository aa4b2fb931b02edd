#include "TestSupport.h"

#include "pages/SoundPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

static LPCSTR const s_pszSection = "Amiga 500";

// The Sound page window inside a host window, over a profile of its own.
class SoundPageTest : public ::testing::Test
{
protected:
    SoundPageTest()
        : app(dir.File("Kovana.ini")), page(*(CSoundPage*)app.m_pPages[CLauncherApp::PAGE_SOUND])
    {
        app.m_mapOptions["CurrentConfigName"] = s_pszSection;
        page.Create(page.GetTemplateID(), &host);
    }

    void Store(LPCSTR pszKey, LPCSTR pszValue)
    {
        ::WritePrivateProfileStringA(s_pszSection, pszKey, pszValue, app.m_strProfile);
    }
    void StoreAll(LPCSTR pszEmulation, LPCSTR pszBits, LPCSTR pszFreq, LPCSTR pszBuffer)
    {
        Store("SoundEmulation", pszEmulation);
        Store("SoundBits", pszBits);
        Store("SoundFreq", pszFreq);
        Store("SoundBuffer", pszBuffer);
    }

    HWND Control(int nID) const { return ::GetDlgItem(page.m_hWnd, nID); }
    // What the user does: pick an entry, and the list tells its page.
    void Choose(int nID, int nIndex)
    {
        ::SendMessageA(Control(nID), CB_SETCURSEL, nIndex, 0);
        ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Control(nID));
    }
    void Type(int nID, LPCSTR pszText) { ::SetWindowTextA(Control(nID), pszText); }
    int Selection(int nID) const { return (int)::SendMessageA(Control(nID), CB_GETCURSEL, 0, 0); }
    CString EntryText(int nID, int nIndex) const
    {
        char szText[64] = "";
        ::SendMessageA(Control(nID), CB_GETLBTEXT, nIndex, (LPARAM)szText);
        return szText;
    }
    CString SelectedText(int nID) const { return EntryText(nID, Selection(nID)); }
    CString Option(LPCSTR pszKey) { return app.m_mapOptions[pszKey]; }

    CTempDir dir;
    CTestApp app;
    CTestHost host;
    CSoundPage& page;
};

TEST_F(SoundPageTest, TemplateHoldsItsControlsInTabOrder)
{
    // Edits show the texts the page puts in. A dialog turns WS_BORDER into a client edge.
    struct { int nID; LPCSTR pszClass; LPCSTR pszText; int x, y, cx, cy; DWORD dwStyle; } const controls[] = {
        { -1, "Button", "&Sound", 0, 0, 195, 135, BS_GROUPBOX },
        { IDC_SOUND_EMULATION, "ComboBox", "", 48, 27, 100, 57, CBS_DROPDOWNLIST | WS_TABSTOP },
        { -1, "Static", "&Number of sound bits", 29, 50, 68, 8, SS_LEFTNOWORDWRAP },
        { IDC_SOUND_BITS, "ComboBox", "", 100, 48, 48, 50, CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP },
        { -1, "Static", "&Buffer size", 63, 73, 34, 8, SS_LEFTNOWORDWRAP },
        { IDC_SOUND_BUFFER, "Edit", "8192", 99, 70, 49, 14, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER },
        { -1, "Static", "&Frequency", 63, 94, 34, 8, SS_LEFTNOWORDWRAP },
        { IDC_SOUND_FREQUENCY, "Edit", "22050", 99, 91, 49, 14, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER },
    };
    HWND hWnd = ::GetWindow(page.m_hWnd, GW_CHILD);
    for (const auto& c : controls)
    {
        SCOPED_TRACE(c.pszText);
        ASSERT_TRUE(hWnd != nullptr);
        char szClass[32] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        EXPECT_EQ(c.nID, ::GetDlgCtrlID(hWnd));
        EXPECT_STREQ(c.pszClass, szClass);
        if (c.nID != IDC_SOUND_EMULATION && c.nID != IDC_SOUND_BITS)
        {
            EXPECT_EQ(CString(c.pszText), AfxGetWindowText(hWnd));
        }

        // The dialog maps position and size each on its own, rounding each
        RECT rcExpected = { c.x, c.y, c.cx, c.cy };
        ::MapDialogRect(page.m_hWnd, &rcExpected);
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, page.m_hWnd, (POINT*)&rc, 2);
        EXPECT_EQ(rcExpected.left, rc.left);
        EXPECT_EQ(rcExpected.top, rc.top);
        EXPECT_EQ(rcExpected.right, rc.right - rc.left);
        if (lstrcmpA(szClass, "ComboBox") != 0)  // a combo box is as tall as its closed face
        {
            EXPECT_EQ(rcExpected.bottom, rc.bottom - rc.top);
        }

        DWORD dwStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
        if ((c.dwStyle & WS_BORDER) && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
            dwStyle |= WS_BORDER;
        DWORD dwMask = lstrcmpA(szClass, "Edit") == 0 ? (ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER)
                     : lstrcmpA(szClass, "ComboBox") == 0 ? (0x3 | CBS_SORT | WS_TABSTOP)
                     : lstrcmpA(szClass, "Static") == 0 ? SS_TYPEMASK : BS_TYPEMASK;
        EXPECT_EQ(c.dwStyle, dwStyle & dwMask);
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    }
    EXPECT_TRUE(hWnd == nullptr);

    // The bits list sorts its entries as text
    ASSERT_EQ(2, ::SendMessageA(Control(IDC_SOUND_BITS), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(CString("16"), EntryText(IDC_SOUND_BITS, 0));
    EXPECT_EQ(CString("8"), EntryText(IDC_SOUND_BITS, 1));
}

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
    EXPECT_EQ(CString("44100"), AfxGetWindowText(Control(IDC_SOUND_FREQUENCY)));
    EXPECT_EQ(CString("4096"), AfxGetWindowText(Control(IDC_SOUND_BUFFER)));
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

    // A section without the page's keys: the map holds empty texts
    app.m_mapOptions["CurrentConfigName"] = "Empty";
    ::WritePrivateProfileStringA("Empty", "Video", "-O 640:480", app.m_strProfile);
    page.LoadFromProfile();
    EXPECT_EQ(CString(""), Option("SoundEmulation"));
    EXPECT_EQ(CString("Off"), SelectedText(IDC_SOUND_EMULATION));
    EXPECT_EQ(CString(""), AfxGetWindowText(Control(IDC_SOUND_FREQUENCY)));
    EXPECT_TRUE(page.IsModified());
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
    CString strLine;
    page.AppendOptions(strLine, "\r\n");
    EXPECT_EQ(CString("-S 0\r\n-b 8\r\n-R 22050\r\n-B 8192"), strLine);

    strLine = "-G";
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

TEST_F(SoundPageTest, SaveToProfileWritesTheOptionMap)
{
    app.m_mapOptions["SoundEmulation"] = "-S 1";
    app.m_mapOptions["SoundBits"] = "-b 16";
    app.m_mapOptions["SoundFreq"] = "-R 11025";
    app.m_mapOptions["SoundBuffer"] = "-B 2048";
    Type(IDC_SOUND_FREQUENCY, "48000");
    page.SaveToProfile();

    LPCSTR pszProfile = app.m_strProfile;
    EXPECT_EQ(CString("-S 1"), ProfileValue(pszProfile, s_pszSection, "SoundEmulation"));
    EXPECT_EQ(CString("-b 16"), ProfileValue(pszProfile, s_pszSection, "SoundBits"));
    EXPECT_EQ(CString("-R 11025"), ProfileValue(pszProfile, s_pszSection, "SoundFreq"));
    EXPECT_EQ(CString("-B 2048"), ProfileValue(pszProfile, s_pszSection, "SoundBuffer"));
    EXPECT_EQ(CString("absent"), ProfileValue(pszProfile, "ConfigList", "SoundFreq", "absent"));
}
