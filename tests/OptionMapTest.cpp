// The option map and the operations that move a whole configuration between
// the profile, the pages and the map.
#include "TestSupport.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

// A page without controls: its fragments are whatever the test puts in front
// of UpdateOptions, its keys are the ones given.
class CKeysPage : public CSettingsPage
{
public:
    CKeysPage(std::string name, std::vector<std::string> keys, std::vector<std::string> appended)
        : CSettingsPage(IDD_INFO_PAGE), m_name(name), m_keys(keys), m_appended(appended) {}

    std::vector<std::pair<std::string, std::string>> controls;  // what UpdateOptions collects
    BOOL bModified = FALSE;
    std::string seenEmulatorType;

    UINT GetTemplateID() override { return m_nIDTemplate; }
    CString GetPageName() override { return m_name.c_str(); }
    void LoadFromProfile() override
    {
        g_calls.push_back("load " + m_name);
        for (auto& key : m_keys)
            App().ReadConfigValue(key.c_str());
    }
    void SaveToProfile() override
    {
        for (auto& key : m_keys)
            App().WriteConfigValue(key.c_str());
    }
    void UpdateOptions() override
    {
        for (auto& control : controls)
            App().m_mapOptions[control.first.c_str()] = control.second.c_str();
    }
    BOOL IsModified() override
    {
        g_calls.push_back("modified " + m_name);
        return bModified;
    }
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override
    {
        seenEmulatorType = App().m_mapOptions["EmulatorType"].str();
        for (auto& key : m_appended)
            AppendOption(strLine, pszSeparator, key.c_str());
    }

private:
    std::string m_name;
    std::vector<std::string> m_keys;      // stored in the profile
    std::vector<std::string> m_appended;  // given to the emulator
};

class OptionMapTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CString profile = dir.File("Kovana.ini");
    CTestApp app{ profile };
    CKeysPage* pages[CLauncherApp::PAGE_COUNT];

    void SetUp() override
    {
        g_calls.clear();
        const std::vector<std::vector<std::string>> keys = {
            { "EmulatorPath", "EmulatorType", "CpuSpeed" }, { "KickstartPath" }, { "Video", "FrameRate" }, { "FastMem" },
            {}, { "DF0Path" }, { "Joystick" }, { "SoundEmulation", "SoundFreq" }, { "Keyboard" }, { "Debugger" }, {}, {},
        };
        const std::vector<std::vector<std::string>> appended = {
            { "CpuSpeed" }, { "KickstartPathDOS" }, { "Video", "FrameRate" }, { "FastMem" },
            {}, { "DF0PathDOS" }, { "Joystick" }, { "SoundEmulation", "SoundFreq" }, { "Keyboard" }, { "Debugger" }, {}, {},
        };
        for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
        {
            delete app.m_pPages[i];
            pages[i] = new CKeysPage("page" + std::to_string(i), keys[i], appended[i]);
            app.m_pPages[i] = pages[i];
        }
        app.m_mapOptions["CurrentConfigName"] = "Demo";
    }

    CString Joined(LPCSTR pszSeparator)
    {
        CString line;
        for (CSettingsPage* page : app.m_pPages)
            page->AppendOptions(line, pszSeparator);
        return line;
    }
};

TEST(OptionMap, LookUpInsertsAnEmptyValueAndKeysAreCaseSensitive)
{
    CMapStringToString map;
    EXPECT_EQ(CString(""), map["Video"]);
    EXPECT_EQ(1, map.GetCount());
    map["Video"] = "-O 640:480";
    CString value;
    EXPECT_FALSE(map.Lookup("video", value));
    EXPECT_EQ(CString(""), map["VIDEO"]);
    EXPECT_TRUE(map.Lookup("Video", value));
    EXPECT_EQ(CString("-O 640:480"), value);
    EXPECT_EQ(2, map.GetCount());
}

TEST_F(OptionMapTest, SeparatorStandsOnlyBetweenTwoFragments)
{
    struct Case
    {
        std::vector<std::pair<const char*, const char*>> values;
        const char* expected;
    };
    const Case cases[] = {
        { {}, "" },
        { { { "Video", "-O 1" } }, "-O 1" },
        // Empty fragments at the start, between two fragments and at the end
        { { { "CpuSpeed", "" }, { "Video", "-O 1" }, { "FastMem", "" }, { "Joystick", "-J" }, { "Debugger", "" } },
          "-O 1?-J" },
        { { { "KickstartPath", "-r k.rom" }, { "Video", "-O 1" }, { "FrameRate", "-f 2" }, { "Debugger", "-D" } },
          "-O 1?-f 2?-D" },
        { { { "CpuSpeed", "-w 7" }, { "KickstartPathDOS", "-r K.ROM" }, { "DF0PathDOS", "-0 A.ADF" } },
          "-w 7?-r K.ROM?-0 A.ADF" },
    };
    for (const Case& c : cases)
    {
        app.m_mapOptions.RemoveAll();
        for (auto& value : c.values)
            app.m_mapOptions[value.first] = value.second;
        EXPECT_EQ(CString(c.expected), Joined("?"));
    }
    app.m_mapOptions["Joystick"] = "-J";
    EXPECT_EQ(CString("-w 7\n-r K.ROM\n-0 A.ADF\n-J"), Joined("\n"));
}

TEST_F(OptionMapTest, SaveConfigOfAConfigurationWithoutFragmentsWritesTheBareDosLine)
{
    app.SaveConfig();
    EXPECT_EQ(CString("-G?"), ProfileValue(profile, "Demo", "DosCommandLine"));
}

TEST_F(OptionMapTest, SaveConfigCollectsTheControlsAndSavesWithTheDosMarker)
{
    pages[0]->controls = { { "EmulatorPath", "C:\\zot\\zot.exe" }, { "EmulatorType", "WIN32" }, { "CpuSpeed", "-w 7" } };
    pages[2]->controls = { { "Video", "-O 800:600" } };
    pages[7]->controls = { { "SoundEmulation", "-S 2" }, { "SoundFreq", "-R 22050" } };
    app.SaveConfig();

    EXPECT_EQ(CString("WIN32"), app.m_mapOptions["EmulatorType"]);
    EXPECT_EQ(CString("DOS"), ProfileValue(profile, "Demo", "EmulatorType"));
    for (CKeysPage* page : pages)
        EXPECT_EQ("DOS", page->seenEmulatorType);
    EXPECT_EQ(CString("C:\\zot\\zot.exe"), ProfileValue(profile, "Demo", "EmulatorPath"));
    EXPECT_EQ(CString("-O 800:600"), ProfileValue(profile, "Demo", "Video"));
    EXPECT_EQ(CString("-G?-w 7?-O 800:600?-S 2?-R 22050"),
              ProfileValue(profile, "Demo", "DosCommandLine"));
    // Keys the pages hold but never set are written empty, not left out.
    EXPECT_EQ(CString(""), ProfileValue(profile, "Demo", "Keyboard", "absent"));
}

TEST_F(OptionMapTest, LoadConfigWithoutACurrentNameDoesNothing)
{
    CPromptRecorder prompts;
    app.m_mapOptions["CurrentConfigName"] = "";
    EXPECT_FALSE(app.LoadConfig());
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(OptionMapTest, LoadConfigOfAMissingConfigurationShowsTheErrorBox)
{
    CPromptRecorder prompts;
    ::WritePrivateProfileStringA("Demo", "FastMem", "-F 2", profile);  // a section without "Video"
    app.m_mapOptions["Video"] = "-O 640:480";
    EXPECT_FALSE(app.LoadConfig());
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ(nullptr, prompts.boxes[0].hWndOwner);
    EXPECT_EQ("The configuration does not exist.", prompts.boxes[0].text);
    EXPECT_EQ("ERROR", prompts.boxes[0].caption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), prompts.boxes[0].type);
    EXPECT_EQ(CString(""), app.m_mapOptions["Video"]);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(OptionMapTest, LoadConfigLoadsEveryPageInOrderAndNamesTheLauncher)
{
    CPromptRecorder prompts;
    ::WritePrivateProfileStringA("Demo", "Video", "-O 640:480", profile);
    ::WritePrivateProfileStringA("Demo", "SoundFreq", "-R 11025", profile);
    CTestHost host;
    CDialog launcher(IDD_INFO_PAGE);
    launcher.m_hWnd = host.m_hWnd;
    app.m_pLauncher = &launcher;

    EXPECT_TRUE(app.LoadConfig());
    launcher.m_hWnd = nullptr;

    ASSERT_EQ(12u, g_calls.size());
    for (int i = 0; i < 12; i++)
        EXPECT_EQ("load page" + std::to_string(i), g_calls[i]);
    EXPECT_EQ(CString("-R 11025"), app.m_mapOptions["SoundFreq"]);
    EXPECT_EQ(CString("ZOT Brimlo - Demo"), AfxGetWindowText(host.m_hWnd));
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(OptionMapTest, LoadConfigReadsEachKeyAsItsOwnProfileCallWould)
{
    std::string text = "[Other]\r\nJoystick=other\r\n[Demo]\r\nVideo=-O 1\r\nCpuSpeed=\"quoted\"\r\n"
                       "KickstartPath='single'\r\nFrameRate=\"\r\nFastMem=\"a'\r\nDF0Path=" + std::string(600, 'd')
                       + "\r\nEmulatorType\r\nSoundEmulation=first\r\nsoundemulation=second\r\nEmulatorPath=  x  \r\n"
                       "SoundFreq=a=b\r\n";
    WriteWholeFile(profile, text);
    ASSERT_TRUE(app.LoadConfig());
    for (LPCSTR pszKey : { "Video", "CpuSpeed", "KickstartPath", "FrameRate", "FastMem", "DF0Path", "EmulatorType",
                           "SoundEmulation", "EmulatorPath", "SoundFreq", "Joystick", "Keyboard" })
        EXPECT_EQ(app.ReadProfileString("Demo", pszKey, "", 500), app.m_mapOptions[pszKey]) << pszKey;
}

TEST_F(OptionMapTest, IsAnyPageModifiedStopsAtTheFirstModifiedPage)
{
    EXPECT_FALSE(app.IsAnyPageModified());
    EXPECT_EQ(12u, g_calls.size());
    g_calls.clear();
    pages[3]->bModified = TRUE;
    pages[8]->bModified = TRUE;
    EXPECT_TRUE(app.IsAnyPageModified());
    EXPECT_EQ(4u, g_calls.size());
    EXPECT_EQ("modified page3", g_calls.back());
}

}  // namespace
