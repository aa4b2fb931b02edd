// A first start of the real program, driven from outside.
#include "harness/DefaultProfile.h"
#include "Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(FirstStart, NameTheFirstConfigurationLaunchAndLeave)
{
    CProgramRun run;
    ASSERT_TRUE(run.Start());

    // The name is asked for before the launcher window shows, where the
    // launcher window will show: in the middle of the screen.
    HWND hNameDialog = run.WaitForWindow("Configuration name");
    ASSERT_TRUE(hNameDialog);
    EXPECT_TRUE(IsCentredInWorkArea(hNameDialog));
    for (const std::string& caption : run.VisibleCaptions())
        EXPECT_EQ(std::string::npos, caption.find("ZOT Brimlo")) << caption;
    TypeText(::GetDlgItem(hNameDialog, IDC_CONFIG_NAME), "Work");
    ClickButton(hNameDialog, IDOK);

    // The whole first section is saved from the pages' defaults, in page order.
    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Work");
    ASSERT_TRUE(hLauncher);
    EXPECT_TRUE(IsCentredInWorkArea(hLauncher));
    EXPECT_EQ(DefaultProfile(nullptr, "", "DOS"), ReadWholeFile(run.Profile()));

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
    const std::string expected = DefaultOptionsFile();
    EXPECT_EQ(expected, ReadWholeFile(run.File(".zotrc")));
    EXPECT_EQ(expected, ReadWholeFile(receipt));
    EXPECT_TRUE(run.IsRunning());

    // The launch saved nothing; Leave offers to save the emulator chosen.
    EXPECT_EQ(DefaultProfile(nullptr, "", "DOS"), ReadWholeFile(run.Profile()));
    ClickButton(hLauncher, IDCANCEL);
    ASSERT_TRUE(AnswerMessageBox(run, "Warning", IDYES));
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.Emulator(), run.StoredValue("Work", "EmulatorPath"));
    EXPECT_EQ(CString("-w 7"), run.StoredValue("Work", "CpuSpeed"));
}

}  // namespace
