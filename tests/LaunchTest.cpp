// Launching the stand-in emulator for real: the options file it finds beside
// itself, byte for byte, and the cases in which nothing may be started.
#include "Fixtures.h"
#include "TestSupport.h"
#include "tools/standin/StandInVersion.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const DWORD LAUNCH_TIMEOUT_MS = 10000;

// Stands in for a page not built yet: appends its keys as the real page does
// and, on UpdateOptions, stores what its controls would hold.
class CFragmentPage : public CPlainPage
{
public:
    CFragmentPage(CSettingsPage& page, std::vector<const char*> keys)
        : CPlainPage(page.GetTemplateID(), page.GetPageName()), m_keys(std::move(keys)) {}

    void UpdateOptions() override
    {
        for (const auto& update : m_updates)
            App().m_mapOptions[update.first] = update.second;
    }
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override
    {
        for (const char* pszKey : m_keys)
            AppendOption(strLine, pszSeparator, pszKey);
    }

    std::vector<std::pair<const char*, const char*>> m_updates;

private:
    std::vector<const char*> m_keys;
};

class LaunchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The stand-in quits after its receipt instead of opening its window.
        ::SetEnvironmentVariableA(ZOT_STANDIN_EXIT_VARIABLE, "1");
        // Every page is replaced, so that no page needs its window here. Some
        // keep some of their keys, in the order they append them; the keys
        // that only the Win32 build gets are left to the pages' own tests.
        std::vector<const char*> pageKeys[CLauncherApp::PAGE_COUNT];
        pageKeys[CLauncherApp::PAGE_KICKSTART] = { "KickstartPathDOS" };
        pageKeys[CLauncherApp::PAGE_VIDEO] = { "Video", "Video1081Emulation", "VideoDesktopWindow", "FrameRate" };
        pageKeys[CLauncherApp::PAGE_FLOPPY] = { "DF0PathDOS", "DF1PathDOS" };
        pageKeys[CLauncherApp::PAGE_SOUND] = { "SoundEmulation", "SoundBits", "SoundFreq", "SoundBuffer" };
        pageKeys[CLauncherApp::PAGE_MISC] = { "Debugger", "IllegalInstructions", "Accuracy" };
        for (int nPage = 0; nPage < CLauncherApp::PAGE_COUNT; nPage++)
        {
            CSettingsPage*& pPage = app.m_pPages[nPage];
            CFragmentPage* pFragmentPage = new CFragmentPage(*pPage, pageKeys[nPage]);
            delete pPage;
            pPage = pFragmentPage;
        }
    }

    void TearDown() override { ::SetEnvironmentVariableA(ZOT_STANDIN_EXIT_VARIABLE, nullptr); }

    CFragmentPage& Page(int nPage) { return *static_cast<CFragmentPage*>(app.m_pPages[nPage]); }

    // A configuration whose first page contributes nothing, with empty
    // fragments among the full ones and two that only UpdateOptions provides
    void SetFragments()
    {
        app.m_mapOptions["KickstartPathDOS"] = "";
        app.m_mapOptions["Video"] = "-O 800:600:dxy";
        app.m_mapOptions["FrameRate"] = "-f 2";
        app.m_mapOptions["DF1PathDOS"] = "-1 C:\\ADF\\GAMES~1.ADF";
        Page(CLauncherApp::PAGE_SOUND).m_updates = { { "SoundFreq", "-R 22050" }, { "SoundBits", "-B 16" } };
        app.m_mapOptions["SoundFreq"] = "-R 11025";
        app.m_mapOptions["Debugger"] = "-D";
    }
    static const char* ExpectedFragments()
    {
        return "-O 800:600:dxy\r\n-f 2\r\n-1 C:\\ADF\\GAMES~1.ADF\r\n-B 16\r\n-R 22050\r\n-D";
    }

    void SetEmulator(LPCSTR pszPath, LPCSTR pszType)
    {
        app.m_mapOptions["EmulatorPath"] = pszPath;
        app.m_mapOptions["EmulatorType"] = pszType;
    }

    static std::string Receipt(const CString& strFolder)
    {
        CString strReceipt = strFolder + "\\" + ZOT_STANDIN_RECEIPT;
        if (!WaitForFile(strReceipt, LAUNCH_TIMEOUT_MS))
            return "(no receipt: the emulator did not start)";
        return ReadWholeFile(strReceipt);
    }

    CTempDir dir;
    CTestApp app { dir.File("Kovana.ini") };

private:
    // A launch moves it to the emulator's folder; back before that goes.
    CCurrentDirectoryKeeper m_directory;
};

} // namespace

TEST_F(LaunchTest, OptionsFileOfEachBuild)
{
    struct
    {
        LPCSTR pszType;
        BOOL bDosBuild;
        LPCSTR pszOptionsFile;
        LPCSTR pszOtherFile;
        std::string strFirstLine;
    } cases[] = {
        { "WIN32", FALSE, ".zotrc", "zot.rc", "" },
        { "DOS", TRUE, "zot.rc", ".zotrc", "-G\r\n" },
        { "win32", TRUE, "zot.rc", ".zotrc", "-G\r\n" },
        { "WIN32 ", TRUE, "zot.rc", ".zotrc", "-G\r\n" },
        { "", TRUE, "zot.rc", ".zotrc", "-G\r\n" },
    };
    SetFragments();
    int nCase = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("EmulatorType \"") + c.pszType + "\"");
        CString strFolder;
        strFolder.Format("%s\\emu%d", (LPCSTR)dir.Path(), ++nCase);
        ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
        ASSERT_TRUE(CopyStandInEmulator(c.bDosBuild, strFolder + "\\zot.exe"));
        SetEmulator(strFolder + "\\zot.exe", c.pszType);

        app.LaunchEmulator();

        std::string strExpected = c.strFirstLine + ExpectedFragments();
        EXPECT_EQ(strExpected, ReadWholeFile(strFolder + "\\" + c.pszOptionsFile));
        EXPECT_EQ(strExpected, Receipt(strFolder));
        EXPECT_FALSE(FileExists(strFolder + "\\" + c.pszOtherFile));
        EXPECT_EQ(strFolder, CurrentDirectory());
    }
    EXPECT_FALSE(FileExists(dir.File("Kovana.ini"))) << "a launch writes nothing into the profile";
}

TEST_F(LaunchTest, ConfigurationWithoutFragments)
{
    struct
    {
        LPCSTR pszType;
        BOOL bDosBuild;
        std::string strExpected;
    } cases[] = {
        { "WIN32", FALSE, "" },
        { "DOS", TRUE, "-G\r\n" },
    };
    int nCase = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszType);
        CString strFolder;
        strFolder.Format("%s\\emu%d", (LPCSTR)dir.Path(), ++nCase);
        ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
        ASSERT_TRUE(CopyStandInEmulator(c.bDosBuild, strFolder + "\\zot.exe"));
        // Left over from an earlier launch: longer than what comes now
        WriteWholeFile(strFolder + "\\" + (c.bDosBuild ? "zot.rc" : ".zotrc"), "-G\r\n-w 7\r\n-P 64\r\n-O 640:480:d");
        SetEmulator(strFolder + "\\zot.exe", c.pszType);

        app.LaunchEmulator();

        EXPECT_EQ(c.strExpected, Receipt(strFolder));
    }
}

TEST_F(LaunchTest, LongNamesAndRelativePaths)
{
    // Folder and program names that are not 8.3: the emulator is started by its
    // short path.
    CString strLongFolder = dir.File("Amiga Emulator Folder");
    ASSERT_TRUE(::CreateDirectoryA(strLongFolder, nullptr));
    ASSERT_TRUE(CopyStandInEmulator(FALSE, strLongFolder + "\\zot stand-in build.exe"));
    SetEmulator(strLongFolder + "\\zot stand-in build.exe", "WIN32");
    app.m_mapOptions["Video"] = "-O 640:480:d";
    app.LaunchEmulator();
    EXPECT_EQ("-O 640:480:d", Receipt(strLongFolder));

    // A path relative to the current directory names the same emulator before
    // and after the launch makes the emulator's folder current.
    CString strFolder = dir.File("emu");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    ASSERT_TRUE(CopyStandInEmulator(TRUE, strFolder + "\\zot.exe"));
    ASSERT_TRUE(::SetCurrentDirectoryA(dir.Path()));
    SetEmulator("emu\\zot.exe", "DOS");
    app.LaunchEmulator();
    EXPECT_EQ("-G\r\n-O 640:480:d", Receipt(strFolder));
    EXPECT_EQ(strFolder, CurrentDirectory());
}

// Each launch that cannot work says what failed and for which path, in one
// error box, and starts nothing; an options file is written whole or not at all.
TEST_F(LaunchTest, FailuresAreToldAndStartNothing)
{
    struct
    {
        LPCSTR pszCase;
        LPCSTR pszFolder;
        LPCSTR pszEmulatorPath;  // %s: the folder
        LPCSTR pszType;
        LPCSTR pszToldPath;      // %s: the folder; the path the message names
        LPCSTR pszReason;        // a part of the message
    } cases[] = {
        { "an empty path", "empty", "", "DOS", "", "no emulator is chosen" },
        { "a bare program name", "bare", "zot.exe", "WIN32", "zot.exe", "names no folder" },
        { "forward slashes", "slashes", "%s/zot.exe", "WIN32", "%s/zot.exe", "\"/\"" },
        { "quotes", "quoted", "\"%s\\zot.exe\"", "WIN32", "\"%s\\zot.exe\"", "quotes" },
        { "no such file", "gone", "%s\\gone.exe", "WIN32", "%s\\gone.exe", "no such file" },
        { "a missing folder", "nofolder", "%s\\missing\\zot.exe", "WIN32", "%s\\missing\\zot.exe", "no such file" },
        { "a folder", "folder", "%s\\sub", "WIN32", "%s\\sub", "a folder" },
        { "a text file named .exe", "text", "%s\\readme.exe", "WIN32", "%s\\readme.exe", "not a program" },
        { "the options file is a folder", "rcfolder", "%s\\zot.exe", "WIN32", "%s\\.zotrc", "options file" },
        { "the options file is held open", "held", "%s\\zot.exe", "DOS", "%s\\zot.rc", "options file" },
    };
    const std::string strHeldContent = "-G\r\n-w 3";
    for (const auto& c : cases)
    {
        CString strFolder = dir.File(c.pszFolder);
        ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
        ASSERT_TRUE(CopyStandInEmulator(FALSE, strFolder + "\\zot.exe"));
    }
    ASSERT_TRUE(::CreateDirectoryA(dir.File("folder\\sub"), nullptr));
    WriteWholeFile(dir.File("text\\readme.exe"), "Zot: read me first.\r\n");
    ASSERT_TRUE(::CreateDirectoryA(dir.File("rcfolder\\.zotrc"), nullptr));
    WriteWholeFile(dir.File("held\\zot.rc"), strHeldContent);
    std::unique_ptr<CLockedFile> pHeld(new CLockedFile(dir.File("held\\zot.rc")));
    ASSERT_TRUE(pHeld->IsLocked());
    app.m_mapOptions["Video"] = "-O 640:480:d";

    CLaunchRecorder launches;
    CPromptRecorder prompts;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        CString strFolder = dir.File(c.pszFolder);
        CString strPath, strTold;
        strPath.Format(c.pszEmulatorPath, (LPCSTR)strFolder);
        strTold.Format(c.pszToldPath, (LPCSTR)strFolder);
        // A bare name would be found in the current directory.
        ASSERT_TRUE(::SetCurrentDirectoryA(strFolder));
        SetEmulator(strPath, c.pszType);
        prompts.boxes.clear();
        app.LaunchEmulator();
        ASSERT_EQ(1u, prompts.boxes.size());
        EXPECT_EQ("ERROR", prompts.boxes[0].caption);
        EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), prompts.boxes[0].type);
        EXPECT_NE(std::string::npos, prompts.boxes[0].text.find(std::string(strTold))) << prompts.boxes[0].text;
        EXPECT_NE(std::string::npos, prompts.boxes[0].text.find(c.pszReason)) << prompts.boxes[0].text;
        if (std::string(c.pszCase).find("options file") == std::string::npos)
        {
            EXPECT_FALSE(FileExists(strFolder + "\\.zotrc"));
            EXPECT_FALSE(FileExists(strFolder + "\\zot.rc"));
        }
    }
    EXPECT_FALSE(FileExists(dir.File("nofolder\\missing")));
    EXPECT_EQ(std::vector<std::string>{}, launches.commandLines);
    pHeld.reset();
    EXPECT_EQ(strHeldContent, ReadWholeFile(dir.File("held\\zot.rc")));

    // Watched the same way, a launch that may happen is seen, and one the
    // system refuses is told.
    ASSERT_TRUE(::CreateDirectoryA(dir.File("good"), nullptr));
    ASSERT_TRUE(CopyStandInEmulator(FALSE, dir.File("good\\zot.exe")));
    SetEmulator(dir.File("good\\zot.exe"), "WIN32");
    prompts.boxes.clear();
    app.LaunchEmulator();
    EXPECT_EQ(std::vector<std::string>{ std::string(app.GetShortPath(dir.File("good\\zot.exe"), TRUE)) },
              launches.commandLines);
    EXPECT_TRUE(prompts.boxes.empty());
    launches.nResult = ERROR_BAD_FORMAT;
    app.LaunchEmulator();
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ("ERROR", prompts.boxes[0].caption);
    EXPECT_NE(std::string::npos, prompts.boxes[0].text.find(std::string(dir.File("good\\zot.exe"))));
}

// tools/test.sh lends the tests a drive letter: KOVANA_TEST_DRIVE names it
// ("T:"), and its root is an empty folder of the build tree.
TEST_F(LaunchTest, EmulatorInDriveRoot)
{
    char szDrive[8] = "";
    DWORD nLength = ::GetEnvironmentVariableA("KOVANA_TEST_DRIVE", szDrive, sizeof(szDrive));
    if (nLength != 2 || szDrive[1] != ':')
        GTEST_SKIP() << "no test drive: run the tests through tools/test.sh";
    CString strRoot = CString(szDrive) + "\\";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strRoot)) << "the test drive is not mapped";

    struct
    {
        BOOL bDosBuild;
        LPCSTR pszType;
        LPCSTR pszOptionsFile;
        std::string strExpected;
    } cases[] = {
        { FALSE, "WIN32", ".zotrc", "-O 640:480:d\r\n-R 22050" },
        { TRUE, "DOS", "zot.rc", "-G\r\n-O 640:480:d\r\n-R 22050" },
    };
    app.m_mapOptions["Video"] = "-O 640:480:d";
    app.m_mapOptions["SoundFreq"] = "-R 22050";
    auto clearDrive = [&]() {
        ::SetCurrentDirectoryA(dir.Path());
        for (LPCSTR pszName : { "zot.exe", ".zotrc", "zot.rc", ZOT_STANDIN_RECEIPT, ZOT_STANDIN_NO_OPTIONS })
            ::DeleteFileA(strRoot + pszName);
        ::RemoveDirectoryA(strRoot + "elsewhere");
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszType);
        clearDrive();
        // The current directory elsewhere on the same drive: "T:" alone would
        // mean that folder, not the root.
        ASSERT_TRUE(::CreateDirectoryA(strRoot + "elsewhere", nullptr));
        ASSERT_TRUE(::SetCurrentDirectoryA(strRoot + "elsewhere"));
        ASSERT_TRUE(CopyStandInEmulator(c.bDosBuild, strRoot + "zot.exe"));
        SetEmulator(strRoot + "zot.exe", c.pszType);

        app.LaunchEmulator();

        EXPECT_EQ(c.strExpected, ReadWholeFile(strRoot + c.pszOptionsFile));
        EXPECT_EQ(c.strExpected, Receipt(szDrive));
        EXPECT_EQ(strRoot, CurrentDirectory());
        EXPECT_FALSE(FileExists(strRoot + "elsewhere\\" + c.pszOptionsFile));
    }
    clearDrive();
}
