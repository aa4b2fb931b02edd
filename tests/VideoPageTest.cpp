#include "TestSupport.h"

#include "pages/VideoPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

// The display flags, in the order their letters are written
static const struct { char chLetter; int nID; } s_flags[] = {
    { 'd', IDC_VIDEO_DOUBLE_HEIGHT },
    { 'c', IDC_VIDEO_CORRECT_ASPECT },
    { 'l', IDC_VIDEO_LOWRES },
    { 'x', IDC_VIDEO_CENTER_HORIZONTALLY },
    { 'y', IDC_VIDEO_CENTER_VERTICALLY },
};

class VideoPageTest : public CPageTest<CVideoPage, CLauncherApp::PAGE_VIDEO>
{
protected:
    VideoPageTest() : CPageTest("Amiga 500") {}

    // A click, as the user gives it, until the box shows the wanted state
    void SetChecked(int nID, BOOL bChecked)
    {
        if (IsChecked(nID) != bChecked)
            Click(nID);
    }
    // The letters of the checked display flags
    std::string CheckedFlags() const
    {
        std::string strLetters;
        for (const auto& f : s_flags)
            if (IsChecked(f.nID))
                strLetters += f.chLetter;
        return strLetters;
    }
    void PressKey(UINT nKey) { PressSliderKey(IDC_VIDEO_FRAME_RATE, nKey); }
    void StoreAll(LPCSTR pszVideo, LPCSTR pszEmulation, LPCSTR pszDesktop, LPCSTR pszFrameRate)
    {
        Store("Video", pszVideo);
        Store("Video1081Emulation", pszEmulation);
        Store("VideoDesktopWindow", pszDesktop);
        Store("FrameRate", pszFrameRate);
    }
};

TEST_F(VideoPageTest, NewPageShowsItsDefaultsAndEntersThem)
{
    EXPECT_EQ("dxy", CheckedFlags());
    EXPECT_FALSE(IsChecked(IDC_VIDEO_1081_EMULATION));
    EXPECT_TRUE(IsChecked(IDC_VIDEO_DESKTOP_WINDOW));
    EXPECT_EQ(1, ::SendMessageA(Control(IDC_VIDEO_FRAME_RATE), TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(9, ::SendMessageA(Control(IDC_VIDEO_FRAME_RATE), TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(CString("-O 800:600:dxy\r\n-W\r\n-f 1"), Appended("\r\n"));
    EXPECT_EQ(CString(""), Option("Video1081Emulation"));
    EXPECT_FALSE(page.IsModified());
}

TEST_F(VideoPageTest, ScreenModeLettersFollowTheFlagsInFixedOrder)
{
    struct { LPCSTR pszResolution; LPCSTR pszChecked; LPCSTR pszFragment; } const cases[] = {
        { "800:600", "", "-O 800:600:" },
        { "800:600", "d", "-O 800:600:d" },
        { "800:600", "c", "-O 800:600:c" },
        { "800:600", "l", "-O 800:600:l" },
        { "800:600", "x", "-O 800:600:x" },
        { "800:600", "y", "-O 800:600:y" },
        { "320:240", "yxlcd", "-O 320:240:dclxy" },
        { "1024:768", "xd", "-O 1024:768:dx" },
        { ":", "c", "-O ::c" },
        { "1:2:3", "", "-O 1:2:3:" },
        // Written with an x, a resolution gets its colon.
        { "800x600", "dxy", "-O 800:600:dxy" },
        { " 1280 X 1024 ", "x", "-O 1280:1024:x" },
        // A text that names no resolution keeps the last one.
        { "", "", "-O 1280:1024:" },
        { "1024x", "d", "-O 1280:1024:d" },
        { "big", "d", "-O 1280:1024:d" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszResolution) + " " + c.pszChecked);
        ::SetWindowTextA(Control(IDC_VIDEO_RESOLUTION), c.pszResolution);
        for (const auto& f : s_flags)
            SetChecked(f.nID, strchr(c.pszChecked, f.chLetter) != nullptr);
        page.UpdateOptions();
        EXPECT_EQ(CString(c.pszFragment), Option("Video"));
    }
}

TEST_F(VideoPageTest, LoadingShowsTheStoredFragments)
{
    struct { LPCSTR pszVideo; LPCSTR pszResolution; LPCSTR pszFlags; LPCSTR pszRebuilt; } const screens[] = {
        { "-O 640:480:cx", "640:480", "cx", "-O 640:480:cx" },
        { "-O 800:600:yxd", "800:600", "dxy", "-O 800:600:dxy" },
        { "-O 800", ":", "", "-O ::" },
        { "-O 1024:768:l", "1024:768", "l", "-O 1024:768:l" },
        { "-O 1:2:3:dy", "1:2:3", "dy", "-O 1:2:3:dy" },
        // The list shows the whole of the first entry that begins with the text
        { "-O 800:6:", "800:600", "", "-O 800:600:" },
        // Letters of the resolution itself are no flags
        { "-O 1024x768d::", "1024x768d:", "", "-O 1024x768d::" },
    };
    for (const auto& s : screens)
    {
        SCOPED_TRACE(s.pszVideo);
        StoreAll(s.pszVideo, "", "-W", "-f 1");
        Load();
        EXPECT_EQ(CString(s.pszResolution), Text(IDC_VIDEO_RESOLUTION));
        EXPECT_EQ(s.pszFlags, CheckedFlags());
        page.UpdateOptions();
        EXPECT_EQ(CString(s.pszRebuilt), Option("Video"));
    }

    // Any stored text checks the box; the box gives back its own fragment.
    struct { LPCSTR pszStored; BOOL bChecked; LPCSTR pszEmulation, pszDesktop; } const switches[] = {
        { "", FALSE, "", "" }, { "-X", TRUE, "-X", "-W" }, { "on", TRUE, "-X", "-W" },
    };
    for (const auto& s : switches)
    {
        SCOPED_TRACE(s.pszStored);
        StoreAll("-O 640:480:", s.pszStored, s.pszStored, "-f 1");
        Load();
        EXPECT_EQ(s.bChecked, IsChecked(IDC_VIDEO_1081_EMULATION));
        EXPECT_EQ(s.bChecked, IsChecked(IDC_VIDEO_DESKTOP_WINDOW));
        page.UpdateOptions();
        EXPECT_EQ(CString(s.pszEmulation), Option("Video1081Emulation"));
        EXPECT_EQ(CString(s.pszDesktop), Option("VideoDesktopWindow"));
    }

    struct { LPCSTR pszStored; LPCSTR pszLabel; LPCSTR pszRebuilt; } const rates[] = {
        { "-f 9", "1/9", "-f 9" }, { "-f 5", "1/5", "-f 5" }, { "-f 12", "1/9", "-f 9" },
        { "-f 0", "1/1", "-f 1" }, { "-f -3", "1/1", "-f 1" }, { "-f x", "1/1", "-f 1" },
        { "", "1/1", "-f 1" }, { "-f 99999999999", "1/9", "-f 9" },
    };
    for (const auto& r : rates)
    {
        SCOPED_TRACE(r.pszStored);
        PressKey(VK_END);
        StoreAll("-O 640:480:", "", "", r.pszStored);
        Load();
        EXPECT_EQ(CString(r.pszLabel), Text(IDC_VIDEO_FRAME_RATE_VALUE));
        page.UpdateOptions();
        EXPECT_EQ(CString(r.pszRebuilt), Option("FrameRate"));
    }
}

TEST_F(VideoPageTest, IsModifiedAfterALoadOnlyWhenTheUserChangesSomething)
{
    StoreAll("-O 640:480:cl", "-X", "", "-f 4");
    Load();
    int nOptions = app.m_mapOptions.GetCount();
    EXPECT_FALSE(page.IsModified());

    struct { LPCSTR pszChange; int nID; LPCSTR pszText; UINT nKey; } const changes[] = {
        { "Double height", IDC_VIDEO_DOUBLE_HEIGHT, nullptr, 0 },
        { "LowRes", IDC_VIDEO_LOWRES, nullptr, 0 },
        { "1081", IDC_VIDEO_1081_EMULATION, nullptr, 0 },
        { "desktop window", IDC_VIDEO_DESKTOP_WINDOW, nullptr, 0 },
        { "typed resolution", IDC_VIDEO_RESOLUTION, "640:400", 0 },
        { "frame rate", IDC_VIDEO_FRAME_RATE, nullptr, VK_RIGHT },
    };
    for (const auto& c : changes)
    {
        SCOPED_TRACE(c.pszChange);
        Load();
        ASSERT_FALSE(page.IsModified());
        if (c.pszText)
            ::SetWindowTextA(Control(c.nID), c.pszText);
        else if (c.nKey)
            PressKey(c.nKey);
        else
            ::SendMessageA(Control(c.nID), BM_CLICK, 0, 0);
        EXPECT_TRUE(page.IsModified());
    }
    EXPECT_EQ(nOptions, app.m_mapOptions.GetCount());
    EXPECT_EQ(CString("-O 640:480:cl"), Option("Video"));
    EXPECT_EQ(CString("-f 4"), Option("FrameRate"));
}

TEST_F(VideoPageTest, SliderLabelFollowsTheSliderMessage)
{
    HWND hSlider = Control(IDC_VIDEO_FRAME_RATE);
    const struct { UINT nKey; LPCSTR pszOnPress, pszOnRelease; } steps[] = {
        { VK_RIGHT, "1/1", "1/2" }, { VK_RIGHT, "1/2", "1/3" }, { VK_END, "1/3", "1/9" },
        { VK_RIGHT, "1/9", "1/9" }, { VK_HOME, "1/9", "1/1" }, { VK_LEFT, "1/1", "1/1" },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.pszOnRelease);
        ::SendMessageA(hSlider, WM_KEYDOWN, s.nKey, 1);
        EXPECT_EQ(CString(s.pszOnPress), Text(IDC_VIDEO_FRAME_RATE_VALUE));
        ::SendMessageA(hSlider, WM_KEYUP, s.nKey, 0xC0000001);
        EXPECT_EQ(CString(s.pszOnRelease), Text(IDC_VIDEO_FRAME_RATE_VALUE));
    }

    // Another id changes no label; the controls keep what the user gave them.
    ::SendMessageA(hSlider, TBM_SETPOS, TRUE, 6);
    ::SetWindowTextA(Control(IDC_VIDEO_RESOLUTION), "1024:768");
    SetChecked(IDC_VIDEO_LOWRES, TRUE);
    const struct { WPARAM nID; LPCSTR pszLabel; } messages[] = { { 2, "1/1" }, { 0, "1/1" }, { 1, "1/6" } };
    for (const auto& m : messages)
    {
        SCOPED_TRACE(m.nID);
        EXPECT_EQ(0, ::SendMessageA(page.m_hWnd, WM_SLIDERCHANGE, m.nID, 0));
        EXPECT_EQ(CString(m.pszLabel), Text(IDC_VIDEO_FRAME_RATE_VALUE));
        EXPECT_EQ(CString("1024:768"), Text(IDC_VIDEO_RESOLUTION));
        EXPECT_EQ("dlxy", CheckedFlags());
    }
}

// No text typed into the page may make the configuration unloadable: its
// screen mode is what tells a stored configuration from a missing one.
TEST_F(VideoPageTest, ATypedResolutionAlwaysLeavesALoadableConfiguration)
{
    CPromptRecorder prompts;
    const struct { LPCSTR pszTyped; LPCSTR pszShown; size_t nRefusals; LPCSTR pszStored; } cases[] = {
        { "1024x768", "1024:768", 0, "-O 1024:768:dxy" },
        { "640 x 400", "640:400", 0, "-O 640:400:dxy" },
        { "huge", "640:400", 1, "-O 640:400:dxy" },
        { "", "640:400", 1, "-O 640:400:dxy" },
        { "1280:1024", "1280:1024", 0, "-O 1280:1024:dxy" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszTyped);
        prompts.boxes.clear();
        TypeAndLeave(IDC_VIDEO_RESOLUTION, c.pszTyped);
        ASSERT_EQ(c.nRefusals, prompts.boxes.size());
        if (c.nRefusals)
        {
            EXPECT_EQ("ERROR", prompts.boxes[0].caption);
            EXPECT_NE(std::string::npos, prompts.boxes[0].text.find("width:height"));
        }
        app.SaveConfig();
        EXPECT_EQ(CString(c.pszStored), Stored("Video"));
        Load();
        EXPECT_EQ(CString(c.pszShown), Text(IDC_VIDEO_RESOLUTION));
    }

    // Saved straight from the box, without leaving it
    ::SetWindowTextA(Control(IDC_VIDEO_RESOLUTION), "wide");
    app.SaveConfig();
    EXPECT_EQ(CString("-O 1280:1024:dxy"), Stored("Video"));
    Load();
    EXPECT_TRUE(prompts.boxes.empty());
}
