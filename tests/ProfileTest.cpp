// The profile store on the real private-profile functions.
#include "TestSupport.h"

#include <gtest/gtest.h>

class ProfileTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CString profile = dir.File("Kovana.ini");
    CTestApp app{ profile };
};

TEST_F(ProfileTest, ReadConfigValueStoresWhatItReadInTheOptionMap)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    ::WritePrivateProfileStringA("Demo", "SoundFreq", "-R 44100", profile);
    app.m_mapOptions["SoundFreq"] = "stale";
    EXPECT_EQ(CString("-R 44100"), app.ReadConfigValue("SoundFreq"));
    EXPECT_EQ(CString("-R 44100"), app.m_mapOptions["SoundFreq"]);

    // A key missing from the section empties the map's entry.
    app.m_mapOptions["SoundBits"] = "-b 16";
    EXPECT_EQ(CString(""), app.ReadConfigValue("SoundBits"));
    EXPECT_EQ(CString(""), app.m_mapOptions["SoundBits"]);
}

TEST_F(ProfileTest, LongValueReadsBackAsItsFirst499Characters)
{
    CString value;
    for (int i = 0; i < 600; i++)
        value += (char)('a' + i % 26);
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    app.m_mapOptions["KickstartPath"] = value;
    app.WriteConfigValue("KickstartPath");
    EXPECT_EQ(value, ProfileValue(profile, "Demo", "KickstartPath"));
    EXPECT_EQ(value.Left(499), app.ReadConfigValue("KickstartPath"));
}

TEST_F(ProfileTest, EmptyValueIsWrittenAsKeyWithoutValue)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    app.m_mapOptions["DF0Path"] = "-0 a.adf";
    app.WriteConfigValue("DF0Path");
    app.m_mapOptions["DF0Path"] = "";
    app.WriteConfigValue("DF0Path");
    // A key never set writes an empty value too.
    app.WriteConfigValue("DF1Path");

    std::string text = ReadWholeFile(profile);
    EXPECT_NE(std::string::npos, text.find("DF0Path=\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("DF1Path=")) << text;
    EXPECT_EQ(CString(""), ProfileValue(profile, "Demo", "DF0Path", "absent"));
}

TEST_F(ProfileTest, WriteSectionValueWritesTheMapValueIntoTheNamedSection)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    app.m_mapOptions["NumberOfConfig"] = "3";
    app.WriteSectionValue("ConfigList", "NumberOfConfig");
    app.WriteSectionValue("ConfigList", "CurrentConfigName");
    EXPECT_EQ(3u, app.ReadProfileInt("ConfigList", "NumberOfConfig", 0));
    EXPECT_EQ(CString("Demo"), ProfileValue(profile, "ConfigList", "CurrentConfigName"));
    EXPECT_EQ(CString(""), ProfileValue(profile, "Demo", "NumberOfConfig", ""));
}

TEST_F(ProfileTest, ValuesCannotBreakTheProfile)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    app.m_mapOptions["SoundFreq"] = "-R 1\r\n[ConfigList]\r\nNumberOfConfig=99";
    app.WriteConfigValue("SoundFreq");
    EXPECT_EQ(0u, app.ReadProfileInt("ConfigList", "NumberOfConfig", 0));
    EXPECT_EQ(CString("-R 1  [ConfigList]  NumberOfConfig=99"), ProfileValue(profile, "Demo", "SoundFreq"));

    // The profile functions fail on values of 32,767 characters or more.
    app.m_mapOptions["Video"] = CString('x', 40000);
    app.WriteConfigValue("Video");
    EXPECT_EQ(CString('x', 499), app.ReadConfigValue("Video"));
    EXPECT_EQ(CString("-R 1  [ConfigList]  NumberOfConfig=99"), ProfileValue(profile, "Demo", "SoundFreq"));
}

TEST_F(ProfileTest, NothingIsWrittenWithoutACurrentConfiguration)
{
    // An empty section name would put the keys above every section.
    app.m_mapOptions["Video"] = "-O 640:480";
    app.WriteConfigValue("Video");
    app.SaveConfig();
    EXPECT_FALSE(FileExists(profile));
}

TEST_F(ProfileTest, ProfileLiesBesideTheExecutable)
{
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szExe, sizeof(szExe));
    CString exe(szExe);
    ASSERT_TRUE(app.FindProfile());
    EXPECT_EQ(exe.Left(exe.ReverseFind('\\') + 1) + "Kovana.ini", app.m_strProfile);
}

// The writes of one transaction leave the profile as one profile call per
// write would, with the values as the file keeps them (a read drops the
// blanks at their ends): comments, lines without "=", sections of one name
// and keys in other case stay as they were.
TEST_F(ProfileTest, WritesTogetherLeaveTheProfileAsOneCallPerWriteWould)
{
    const std::vector<CProfileWrite> demoAndList = {
        { "Demo", "Video", "-O 1" }, { "Demo", "FastMem", "-F 2" }, { "ConfigList", "NumberOfConfig", "2" },
        { "Demo", "video", "-O 3" }, { "Demo", "DosCommandLine", "-G?-O 3 " },
    };
    const struct { const char* before; std::vector<CProfileWrite> writes; } cases[] = {
        { "", demoAndList },
        { "[ConfigList]\r\nNumberOfConfig=1\r\n[Demo]\r\nVIDEO=old\r\nJoystick=-J\r\nFastMem=-F 2\r\n", demoAndList },
        { "[Demo]\r\nVideo=old\r\n; kept\r\nFastMem=old\r\n", demoAndList },
        { "[Demo]\r\nVideo=old\r\n[Other]\r\nX=1\r\n[demo]\r\nFastMem=old\r\n", demoAndList },
        { "[Demo]\r\nVideo=old\r\nbare\r\nFastMem=old\r\n", demoAndList },
        { "[Demo]\r\nVideo=old\r\nVideo=second\r\n\r\n[ConfigList]\r\n;last\r\n", demoAndList },
        { "[Demo]\r\nVideo = -O 3\r\n  FastMem=-F 2\r\nDosCommandLine=-G?-O 3\r\n[ConfigList]\r\nNumberOfConfig=2\r\n",
          demoAndList },
        { "[ConfigList]\r\nA=1\r\n", { { "ConfigList", "B", "2" }, { "configlist", "A", "3" }, { "CONFIGLIST", "C", " 4" } } },
        { "; above every section\r\n[Other]\r\n[ConfigList]\r\nA=\"1\"\r\n", { { "ConfigList", "A", "\"1\"" }, { "ConfigList", "B", "x" } } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.before);
        CString strOneByOne = dir.File("OneByOne.ini");
        WriteWholeFile(profile, c.before);
        WriteWholeFile(strOneByOne, c.before);
        ASSERT_TRUE(app.WriteProfileStrings(c.writes));
        for (const CProfileWrite& write : c.writes)
            ::WritePrivateProfileStringA(write.strSection, write.strKey, ProfileTrimmed(write.strValue), strOneByOne);
        EXPECT_EQ(ReadWholeFile(strOneByOne), ReadWholeFile(profile));
        EXPECT_FALSE(FileExists(profile + ".new"));
    }
}
