// The HD page's Edit in the real program: the system's folder picker, then the
// name, and the folder mounted as the emulator is given it.
#include "harness/DefaultProfile.h"
#include "Driver.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderPicker, EditMountsTheFolderChosenInTheSystemsPicker)
{
    CProgramRun run;
    ASSERT_TRUE(WriteWholeFile(run.Profile(), DefaultProfile("1", run.Emulator())));
    CString strFolder = run.File("Amiga Work Disk");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    ASSERT_TRUE(run.Start());
    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Work");
    ASSERT_TRUE(hLauncher);
    ASSERT_TRUE(ShowPage(hLauncher, CLauncherApp::PAGE_HARDDISK, IDC_HARDDISK_LIST));

    // The first arrow key puts the focus on DH0, which Edit acts on.
    HWND hList = FindControl(hLauncher, IDC_HARDDISK_LIST);
    PressKey(hList, VK_DOWN);
    ClickButton(::GetParent(hList), IDC_HARDDISK_EDIT);
    ASSERT_TRUE(AnswerFileDialog(run, "Select Folder", strFolder));
    HWND hName = run.WaitForWindow("Hard Disk Name");
    ASSERT_TRUE(hName);
    TypeText(::GetDlgItem(hName, IDC_HARDDISK_NAME), "Work");
    ClickButton(hName, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(hName); }));

    ClickButton(hLauncher, IDOK);
    CString receipt = run.File("zot-receipt.bin");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(receipt); }));
    char szShort[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetShortPathNameA(strFolder, szShort, sizeof(szShort)));
    EXPECT_NE(std::string::npos, ReadWholeFile(receipt).find(std::string("\n-m Work:") + szShort + "\r\n"))
        << ReadWholeFile(receipt);
}

}  // namespace
