// What a first start writes: the new configuration's whole section, from the
// pages' defaults, in the order a new section receives its keys.
#include "ModalSteps.h"
#include "TestSupport.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// The section as the profile holds it, "key=value" lines in file order
std::vector<std::string> SectionLines(LPCSTR pszProfile, LPCSTR pszSection)
{
    std::vector<char> buffer(65536);
    DWORD nLength = ::GetPrivateProfileSectionA(pszSection, buffer.data(), (DWORD)buffer.size(), pszProfile);
    std::vector<std::string> lines;
    for (const char* p = buffer.data(); p < buffer.data() + nLength && *p; p += strlen(p) + 1)
        lines.push_back(p);
    return lines;
}

TEST(NewConfiguration, FirstStartWritesTheWholeSectionInPageOrder)
{
    CTempDir dir;
    CTestApp app(dir.File("Kovana.ini"));
    CTestHost host;
    // The Config page finds no configuration and asks for the first one's name.
    CModalSteps steps({ [] {
        HWND hDlg = ::FindWindowA("#32770", "Configuration name");
        if (!IsRunning(hDlg))
            return false;
        ::SetDlgItemTextA(hDlg, IDC_CONFIG_NAME, "Amiga 500");
        ClickButton(hDlg, IDOK);
        return true;
    } });
    ASSERT_TRUE(CreatePageWindows(app, host));
    ASSERT_TRUE(steps.Done());

    // Every page's keys, pages in their fixed order; the profile drops the
    // blank at the end of the empty ROM path's "-r ".
    const std::vector<std::string> expected = {
        "EmulatorPath=", "EmulatorType=DOS", "CpuSpeed=-w 7", "CpuPriority=-P 64",
        "KickstartPath=-r",
        "Video=-O 800:600:dxy", "Video1081Emulation=", "VideoDesktopWindow=-W", "FrameRate=-f 1",
        "FastMem=-F 8", "ChipMem=-c 4", "SlowMem=-s 4",
        "DH0Path=", "DH1Path=", "DH2Path=", "DH3Path=", "DH4Path=", "DH5Path=", "DH6Path=", "DH7Path=", "DH8Path=",
        "DH9Path=",
        "DF0Path=", "DF1Path=", "DF2Path=", "DF3Path=",
        "Joystick=",
        "SoundEmulation=-S 2", "SoundBits=-b 8", "SoundFreq=-R 22050", "SoundBuffer=-B 8192",
        "Keyboard=-L US",
        "Debugger=", "IllegalInstructions=", "Accuracy=-A 3", "SystemClock=", "32BitBlits=", "ImmediateBlits=",
        "DosCommandLine=-G?-r ?-O 800:600:dxy?-W?-f 1?-F 8?-c 4?-s 4?-S 2?-b 8?-R 22050?-B 8192?-L US?-A 3",
    };
    EXPECT_EQ(expected, SectionLines(app.m_strProfile, "Amiga 500"));
    EXPECT_EQ((std::vector<std::string>{ "NumberOfConfig=1", "Config#1=Amiga 500", "CurrentConfigName=Amiga 500" }),
              SectionLines(app.m_strProfile, "ConfigList"));
}

}  // namespace
