#include "TestSupport.h"

#include "pages/EmulatorPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

// Executable-like files: the detection looks only for its markers.
static const std::string WIN32_EXE = std::string("MZ\0\0stub ZOT 1.2 Win32\0tail", 28);
static const std::string DOS_EXE = std::string("MZ\0\0ZOT %s Win32 later", 23);
static const std::string PLAIN_EXE = "MZ no marker at all";

class EmulatorPageTest : public CPageTest<CEmulatorPage, CLauncherApp::PAGE_EMULATOR>
{
protected:
    BOOL SlidersEnabled() const
    {
        BOOL bPriority = ::IsWindowEnabled(Control(IDC_EMULATOR_PRIORITY));
        EXPECT_EQ(bPriority, ::IsWindowEnabled(Control(IDC_EMULATOR_SPEED)));
        return bPriority;
    }
    CString MakeExe(LPCSTR pszName, const std::string& data)
    {
        ::CreateDirectoryA(dir.File("zot"), nullptr);
        CString strPath = dir.File("zot\\") + pszName;
        WriteWholeFile(strPath, data);
        return strPath;
    }
    // A null value leaves the key out of the section.
    void Load(LPCSTR pszPath, LPCSTR pszSpeed = "-w 12", LPCSTR pszPriority = "-P 100")
    {
        Store("EmulatorPath", pszPath);
        Store("CpuSpeed", pszSpeed);
        Store("CpuPriority", pszPriority);
        CPageFixture::Load();
    }
    void SetSliders(int nSpeed, int nPriority)
    {
        ::SendMessageA(Control(IDC_EMULATOR_SPEED), TBM_SETPOS, TRUE, nSpeed);
        ::SendMessageA(Control(IDC_EMULATOR_PRIORITY), TBM_SETPOS, TRUE, nPriority);
    }
};

TEST_F(EmulatorPageTest, FreshPageShowsDefaultsAndIsUnchanged)
{
    EXPECT_EQ(CString("7"), Text(IDC_EMULATOR_SPEED_VALUE));
    EXPECT_EQ(CString("64"), Text(IDC_EMULATOR_PRIORITY_VALUE));
    EXPECT_EQ(CString("-w 7"), Option("CpuSpeed"));
    EXPECT_EQ(CString("-P 64"), Option("CpuPriority"));
    EXPECT_EQ(CString(""), Text(IDC_EMULATOR_TYPE));
    EXPECT_TRUE(SlidersEnabled());
    int nEntries = app.m_mapOptions.GetCount();
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(nEntries, app.m_mapOptions.GetCount());
}

TEST_F(EmulatorPageTest, LoadedFragmentsSetSlidersWithinTheirRanges)
{
    CString strExe = MakeExe("zot.exe", WIN32_EXE);
    const struct { LPCSTR pszSpeed, pszPriority, pszSpeedLabel, pszPriorityLabel; BOOL bModified; } cases[] = {
        { "-w 12", "-P 100", "12", "100", FALSE },
        { "-w 80", "-P 100", "50", "100", TRUE },
        { "-w 12", "-P 300", "12", "256", TRUE },
        { "-w 0", "-P 0", "1", "1", TRUE },
        { "", "", "1", "1", TRUE },
        { nullptr, nullptr, "1", "1", TRUE },
        { "-w  -5", "-P +200x", "1", "200", TRUE },
        { "-w 99999999999", "-P -99999999999", "50", "1", TRUE },
        { "-w99", "-P1000", "9", "1", TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszSpeed ? c.pszSpeed : "(none)");
        Load(strExe, c.pszSpeed, c.pszPriority);
        EXPECT_EQ(CString(c.pszSpeedLabel), Text(IDC_EMULATOR_SPEED_VALUE));
        EXPECT_EQ(CString(c.pszPriorityLabel), Text(IDC_EMULATOR_PRIORITY_VALUE));
        EXPECT_EQ(c.bModified, page.IsModified());
    }
}

TEST_F(EmulatorPageTest, DetectedKindDecidesSlidersAndCpuOptions)
{
    const struct { LPCSTR pszName; const std::string* pData; LPCSTR pszType, pszMarker; BOOL bWin32; } cases[] = {
        { "win.exe", &WIN32_EXE, "ZOT 1.2 Win32", "WIN32", TRUE },
        { "plain.exe", &PLAIN_EXE, "Unknown", "WIN32", TRUE },
        { "dos.exe", &DOS_EXE, "Dos ZOT", "DOS", FALSE },
        { "missing.exe", nullptr, "Not found", "DOS", FALSE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CString strExe = c.pData ? MakeExe(c.pszName, *c.pData) : dir.File(c.pszName);
        Load(strExe);
        EXPECT_EQ(CString(c.pszType), Text(IDC_EMULATOR_TYPE));
        EXPECT_EQ(CString(c.pszMarker), Option("EmulatorType"));
        EXPECT_EQ(c.bWin32, SlidersEnabled());
        EXPECT_EQ(CString(c.bWin32 ? "-w 12\n-P 100" : ""), Appended());

        SetSliders(20, 5);
        // The system clock is for the Win32 build only, like the CPU options.
        ::SendDlgItemMessageA(app.m_pPages[CLauncherApp::PAGE_MISC]->m_hWnd, IDC_MISC_SYSTEM_CLOCK, CB_SETCURSEL, 10, 0);
        app.SaveConfig();
        EXPECT_EQ(CString("-G?-r ?-O 800:600:dxy?-W?-f 1?-F 8?-c 4?-s 4?-S 2?-b 8?-R 22050?-B 8192?-L US?-A 3"),
                  Stored("DosCommandLine"));
        EXPECT_EQ(CString("-Q 250000"), Stored("SystemClock"));
        EXPECT_EQ(CString("-w 20"), Stored("CpuSpeed"));
        EXPECT_EQ(CString("-P 5"), Stored("CpuPriority"));
        EXPECT_EQ(strExe, Stored("EmulatorPath"));
        EXPECT_EQ(CString("DOS"), Stored("EmulatorType"));
        EXPECT_EQ(CString(c.pszMarker), Option("EmulatorType"));
    }
}

TEST_F(EmulatorPageTest, BrowseWithoutPathOpensTheDefaultFolder)
{
    CPromptRecorder prompts;
    Click(IDC_EMULATOR_BROWSE);
    ASSERT_EQ(1u, prompts.fileDialogs.size());
    EXPECT_EQ("", prompts.fileDialogs[0].initialDir);
    EXPECT_EQ(CString(""), Text(IDC_EMULATOR_PATH));
    EXPECT_EQ(CString(""), Text(IDC_EMULATOR_TYPE));
}

TEST_F(EmulatorPageTest, BrowseTakesTheChosenEmulatorOnlyOnOk)
{
    CString strDos = MakeExe("dos.exe", DOS_EXE);
    CString strWin = MakeExe("win.exe", WIN32_EXE);
    Load(strDos);
    CPromptRecorder prompts;
    Click(IDC_EMULATOR_BROWSE);
    ASSERT_EQ(1u, prompts.fileDialogs.size());
    EXPECT_EQ(std::string(dir.File("zot")), prompts.fileDialogs[0].initialDir);
    EXPECT_EQ(strDos, Text(IDC_EMULATOR_PATH));
    EXPECT_EQ(CString("Dos ZOT"), Text(IDC_EMULATOR_TYPE));
    EXPECT_FALSE(SlidersEnabled());

    prompts.files = { "", std::string(strWin) };
    Click(IDC_EMULATOR_BROWSE);
    EXPECT_EQ(strWin, Text(IDC_EMULATOR_PATH));
    EXPECT_EQ(CString("ZOT 1.2 Win32"), Text(IDC_EMULATOR_TYPE));
    EXPECT_TRUE(SlidersEnabled());
    EXPECT_EQ(strDos, Option("EmulatorPath"));
    EXPECT_EQ(CString("DOS"), Option("EmulatorType"));
    EXPECT_TRUE(page.IsModified());
}

TEST_F(EmulatorPageTest, LeavingThePathDetectsAgain)
{
    CString strWin = MakeExe("win.exe", WIN32_EXE);
    CString strOther = MakeExe("other.exe", DOS_EXE);
    Load(strWin);
    HWND hEdit = Control(IDC_EMULATOR_PATH);
    ::SetWindowTextA(hEdit, strOther);
    ::SetFocus(hEdit);
    ASSERT_EQ(hEdit, ::GetFocus());
    ::SetFocus(Control(IDC_EMULATOR_BROWSE));
    EXPECT_EQ(CString("Dos ZOT"), Text(IDC_EMULATOR_TYPE));
    EXPECT_FALSE(SlidersEnabled());
    EXPECT_EQ(strWin, Option("EmulatorPath"));
    EXPECT_EQ(CString("WIN32"), Option("EmulatorType"));

    // Same text, new file: every exit from the edit looks at the file again.
    WriteWholeFile(strOther, WIN32_EXE);
    ::SendMessageA(hEdit, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(CString("ZOT 1.2 Win32"), Text(IDC_EMULATOR_TYPE));
    EXPECT_TRUE(SlidersEnabled());
}

TEST_F(EmulatorPageTest, ArrowKeysOnPriorityUpdateItsLabelOnRelease)
{
    HWND hSlider = Control(IDC_EMULATOR_PRIORITY);
    const struct { UINT nKey; LPCSTR pszOnPress, pszOnRelease; } steps[] = {
        { VK_RIGHT, "64", "65" }, { VK_RIGHT, "65", "66" }, { VK_LEFT, "66", "65" },
        { VK_END, "65", "256" }, { VK_RIGHT, "256", "256" }, { VK_HOME, "256", "1" },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.pszOnRelease);
        ::SendMessageA(hSlider, WM_KEYDOWN, s.nKey, 1);
        EXPECT_EQ(CString(s.pszOnPress), Text(IDC_EMULATOR_PRIORITY_VALUE));
        ::SendMessageA(hSlider, WM_KEYUP, s.nKey, 0xC0000001);
        EXPECT_EQ(CString(s.pszOnRelease), Text(IDC_EMULATOR_PRIORITY_VALUE));
        EXPECT_EQ(CString("7"), Text(IDC_EMULATOR_SPEED_VALUE));
    }
}

TEST_F(EmulatorPageTest, SliderMessageRefreshesOnlyTheNamedLabel)
{
    SetSliders(30, 200);
    ::SetWindowTextA(Control(IDC_EMULATOR_PATH), "typed");
    page.m_strEmulatorType = "shown";
    const struct { WPARAM nID; LPCSTR pszSpeed, pszPriority; } cases[] = {
        { 3, "7", "64" }, { 0, "7", "64" }, { 1, "30", "64" }, { 2, "30", "200" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nID);
        EXPECT_EQ(0, ::SendMessageA(page.m_hWnd, WM_SLIDERCHANGE, c.nID, 0));
        EXPECT_EQ(CString(c.pszSpeed), Text(IDC_EMULATOR_SPEED_VALUE));
        EXPECT_EQ(CString(c.pszPriority), Text(IDC_EMULATOR_PRIORITY_VALUE));
        // The controls are read before they are written back.
        EXPECT_EQ(CString("typed"), page.m_strEmulatorPath);
        EXPECT_EQ(CString(""), Text(IDC_EMULATOR_TYPE));
    }
}

TEST_F(EmulatorPageTest, UpdateOptionsCollectsWhatIsModifiedComparesAgainst)
{
    CString strWin = MakeExe("win.exe", WIN32_EXE);
    CString strDos = MakeExe("dos.exe", DOS_EXE);
    Load(strWin);
    app.m_mapOptions["EmulatorType"] = "DOS";
    EXPECT_FALSE(page.IsModified());

    // Typed but not yet left: the path is taken, the kind is the last one detected.
    ::SetWindowTextA(Control(IDC_EMULATOR_PATH), strDos);
    EXPECT_TRUE(page.IsModified());
    page.UpdateOptions();
    EXPECT_EQ(strDos, Option("EmulatorPath"));
    EXPECT_EQ(CString("WIN32"), Option("EmulatorType"));
}
