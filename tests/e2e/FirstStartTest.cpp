// A first start of the real program, driven from outside.
#include "Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string FileBytes(LPCSTR pszPath)
{
    std::ifstream file(pszPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

CString ProfileValue(const CProgramRun& run, LPCSTR pszSection, LPCSTR pszKey)
{
    char szValue[1024] = "";
    ::GetPrivateProfileStringA(pszSection, pszKey, "(absent)", szValue, sizeof(szValue), run.Profile());
    return CString(szValue);
}

TEST(FirstStart, NameTheFirstConfigurationLaunchAndLeave)
{
    CProgramRun run;
    ASSERT_TRUE(run.Start());

    // The name is asked for before the launcher window shows.
    HWND hNameDialog = run.WaitForWindow("Configuration name");
    ASSERT_TRUE(hNameDialog);
    for (const std::string& caption : run.VisibleCaptions())
        EXPECT_EQ(std::string::npos, caption.find("ZOT Brimlo")) << caption;
    TypeText(::GetDlgItem(hNameDialog, IDC_CONFIG_NAME), "Demo");
    ClickButton(hNameDialog, IDOK);

    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Demo");
    ASSERT_TRUE(hLauncher);
    EXPECT_EQ(CString("1"), ProfileValue(run, "ConfigList", "NumberOfConfig"));
    EXPECT_EQ(CString("Demo"), ProfileValue(run, "ConfigList", "Config#1"));
    const char* const keys[] = { "EmulatorPath", "EmulatorType", "CpuSpeed", "CpuPriority", "SoundEmulation",
                                 "SoundBits", "SoundFreq", "SoundBuffer", "DosCommandLine" };
    for (const char* key : keys)
        EXPECT_NE(CString("(absent)"), ProfileValue(run, "Demo", key)) << key;
    EXPECT_EQ(CString("-w 7"), ProfileValue(run, "Demo", "CpuSpeed"));
    EXPECT_EQ(CString("-S 2"), ProfileValue(run, "Demo", "SoundEmulation"));

    // The Emulator page is on view: choose the stand-in emulator with Browse.
    HWND hBrowse = FindControl(hLauncher, IDC_EMULATOR_BROWSE);
    ASSERT_TRUE(hBrowse);
    ClickButton(::GetParent(hBrowse), IDC_EMULATOR_BROWSE);
    ASSERT_TRUE(AnswerFileDialog(run, "Open", run.Emulator()));
    HWND hPath = FindControl(hLauncher, IDC_EMULATOR_PATH);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(hPath) == run.Emulator(); }));
    EXPECT_EQ(CString("ZOT"), WindowText(FindControl(hLauncher, IDC_EMULATOR_TYPE)).Left(3));

    // Launch: the stand-in reads exactly the options file the emulator must get.
    ClickButton(hLauncher, IDOK);
    CString receipt = run.File("zot-receipt.bin");
    ASSERT_TRUE(WaitUntil([&] { return ::GetFileAttributesA(receipt) != INVALID_FILE_ATTRIBUTES; }));
    // The pages' defaults as a first start saves them, in page order, one per line
    const std::string expected = "-w 7\r\n-P 64\r\n"                       // Emulator
                                 "-r \r\n"                                  // Kickstart, no ROM chosen
                                 "-O 800:600:dxy\r\n-W\r\n-f 1\r\n"          // Video
                                 "-F 8\r\n-c 4\r\n-s 4\r\n"                   // Memory
                                 "-S 2\r\n-b 8\r\n-R 22050\r\n-B 8192\r\n"  // Sound
                                 "-L US\r\n"                                // Keyboard
                                 "-A 3";                                     // Misc, the slider at the top
    EXPECT_EQ(expected, FileBytes(run.File(".zotrc")));
    EXPECT_EQ(expected, FileBytes(receipt));
    EXPECT_TRUE(run.IsRunning());

    // Leave asks nothing after a launch, writes nothing and ends the program.
    std::string profileBefore = FileBytes(run.Profile());
    ClickButton(hLauncher, IDCANCEL);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(profileBefore, FileBytes(run.Profile()));
}

}  // namespace
