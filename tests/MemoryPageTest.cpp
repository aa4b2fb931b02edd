#include "TestSupport.h"

#include "pages/MemoryPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

class MemoryPageTest : public CPageTest<CMemoryPage, CLauncherApp::PAGE_MEMORY>
{
protected:
    void ExpectSizes(LPCSTR pszFast, LPCSTR pszChip, LPCSTR pszSlow) const
    {
        EXPECT_EQ(CString(pszFast), Text(IDC_MEMORY_FAST_SIZE));
        EXPECT_EQ(CString(pszChip), Text(IDC_MEMORY_CHIP_SIZE));
        EXPECT_EQ(CString(pszSlow), Text(IDC_MEMORY_SLOW_SIZE));
    }
    // A null value leaves the key out of the section.
    void Load(LPCSTR pszFast, LPCSTR pszChip, LPCSTR pszSlow)
    {
        Store("FastMem", pszFast);
        Store("ChipMem", pszChip);
        Store("SlowMem", pszSlow);
        CPageFixture::Load();
    }
};

TEST_F(MemoryPageTest, FreshPageShowsDefaultsAndAppendsThem)
{
    ExpectSizes("8192 KB", "2048 KB", "1024 KB");
    EXPECT_EQ(CString("-F 8"), Option("FastMem"));
    EXPECT_EQ(CString("-c 4"), Option("ChipMem"));
    EXPECT_EQ(CString("-s 4"), Option("SlowMem"));
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(CString("-F 8?-c 4?-s 4"), Appended("?"));
}

TEST_F(MemoryPageTest, StoredFragmentsAreLoadedWithinTheSlidersRanges)
{
    const struct { LPCSTR pszFast, pszChip, pszSlow; LPCSTR pszFastSize, pszChipSize, pszSlowSize;
                   BOOL bModified; LPCSTR pszCollected; } cases[] = {
        { "-F 3", "-c 2", "-s 1", "3072 KB", "1024 KB", "256 KB", FALSE, "-F 3\n-c 2\n-s 1" },
        { "-F 0", "-c 1", "-s 0", "0 KB", "512 KB", "0 KB", FALSE, "-F 0\n-c 1\n-s 0" },
        { "-F 16", "-c 4", "-s 4", "8192 KB", "2048 KB", "1024 KB", TRUE, "-F 8\n-c 4\n-s 4" },
        { "-F 8", "-c 0", "-s 4", "8192 KB", "512 KB", "1024 KB", TRUE, "-F 8\n-c 1\n-s 4" },
        { "-F 8", "-c 4", "-s -2", "8192 KB", "2048 KB", "0 KB", TRUE, "-F 8\n-c 4\n-s 0" },
        { nullptr, nullptr, nullptr, "0 KB", "512 KB", "0 KB", TRUE, "-F 0\n-c 1\n-s 0" },
        { "-F 99999999999", "-c x", "-s  +3k", "8192 KB", "512 KB", "768 KB", TRUE, "-F 8\n-c 1\n-s 3" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszFast ? c.pszFast : "(none)");
        Load(c.pszFast, c.pszChip, c.pszSlow);
        ExpectSizes(c.pszFastSize, c.pszChipSize, c.pszSlowSize);
        EXPECT_EQ(c.bModified, page.IsModified());

        page.UpdateOptions();
        EXPECT_EQ(CString(c.pszCollected), Appended());
    }
}

TEST_F(MemoryPageTest, KeysMoveASliderAndItsLabelFollowsOnRelease)
{
    Load("-F 2", "-c 2", "-s 2");
    const struct { int nSlider, nLabel; LPCSTR pszKey; UINT nKey; LPCSTR pszOnPress, pszOnRelease, pszFragment; } steps[] = {
        { IDC_MEMORY_FAST, IDC_MEMORY_FAST_SIZE, "FastMem", VK_RIGHT, "2048 KB", "3072 KB", "-F 3" },
        { IDC_MEMORY_FAST, IDC_MEMORY_FAST_SIZE, "FastMem", VK_HOME, "3072 KB", "0 KB", "-F 0" },
        { IDC_MEMORY_CHIP, IDC_MEMORY_CHIP_SIZE, "ChipMem", VK_LEFT, "1024 KB", "512 KB", "-c 1" },
        { IDC_MEMORY_CHIP, IDC_MEMORY_CHIP_SIZE, "ChipMem", VK_LEFT, "512 KB", "512 KB", "-c 1" },
        { IDC_MEMORY_SLOW, IDC_MEMORY_SLOW_SIZE, "SlowMem", VK_END, "512 KB", "1024 KB", "-s 4" },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.pszFragment);
        ::SendMessageA(Control(s.nSlider), WM_KEYDOWN, s.nKey, 1);
        EXPECT_EQ(CString(s.pszOnPress), Text(s.nLabel));
        ::SendMessageA(Control(s.nSlider), WM_KEYUP, s.nKey, 0xC0000001);
        EXPECT_EQ(CString(s.pszOnRelease), Text(s.nLabel));

        // Only the labels follow the user; the option map waits for the collection.
        CString strBefore = Option(s.pszKey);
        EXPECT_EQ(strBefore != s.pszFragment, page.IsModified());
        page.UpdateOptions();
        EXPECT_EQ(CString(s.pszFragment), Option(s.pszKey));
    }
}

TEST_F(MemoryPageTest, SliderMessageRefreshesOnlyTheNamedLabel)
{
    ::SendMessageA(Control(IDC_MEMORY_FAST), TBM_SETPOS, TRUE, 1);
    ::SendMessageA(Control(IDC_MEMORY_CHIP), TBM_SETPOS, TRUE, 2);
    ::SendMessageA(Control(IDC_MEMORY_SLOW), TBM_SETPOS, TRUE, 3);
    const struct { WPARAM nID; LPCSTR pszFast, pszChip, pszSlow; } cases[] = {
        { 0, "8192 KB", "2048 KB", "1024 KB" }, { 4, "8192 KB", "2048 KB", "1024 KB" },
        { 3, "8192 KB", "2048 KB", "768 KB" }, { 1, "1024 KB", "2048 KB", "768 KB" },
        { 2, "1024 KB", "1024 KB", "768 KB" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nID);
        EXPECT_EQ(0, ::SendMessageA(page.m_hWnd, WM_SLIDERCHANGE, c.nID, 0));
        ExpectSizes(c.pszFast, c.pszChip, c.pszSlow);
    }
}
