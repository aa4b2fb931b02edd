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

TEST_F(ProfileTest, FirstStartWithoutFileGivesTheDefaults)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    EXPECT_EQ(0u, app.ReadProfileInt("ConfigList", "NumberOfConfig", 0));
    EXPECT_EQ(CString("1"), app.ReadProfileString("ConfigList", "BrimloStyle", "1", 50));
    EXPECT_EQ(CString(""), app.ReadConfigValue("Video"));
    EXPECT_FALSE(FileExists(profile));
}

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

TEST_F(ProfileTest, NamesDifferingOnlyInCaseShareOneSection)
{
    app.m_mapOptions["CurrentConfigName"] = "Demo";
    app.m_mapOptions["Video"] = "-O 640:480";
    app.WriteConfigValue("Video");
    app.m_mapOptions["CurrentConfigName"] = "DEMO";
    EXPECT_EQ(CString("-O 640:480"), app.ReadConfigValue("Video"));
    app.m_mapOptions["Video"] = "-O 800:600";
    app.WriteConfigValue("Video");
    app.m_mapOptions["CurrentConfigName"] = "demo";
    EXPECT_EQ(CString("-O 800:600"), app.ReadConfigValue("Video"));
    EXPECT_EQ(std::string::npos, ReadWholeFile(profile).find("DEMO"));
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
