// The file dialogs the pages open: kind, title, filter, proposed name, default
// extension, flags and owner, as a user meets them.
#include "TestSupport.h"

#include "drives/HardDiskPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

class FileDialogs : public CPageFixture
{
protected:
    FileDialogs() : CPageFixture(CLauncherApp::PAGE_EMULATOR, "Test") {}
};

TEST_F(FileDialogs, EachBrowseOpensItsOwnDialog)
{
    const DWORD dwOpen = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    const struct
    {
        int nPage;
        int nButton;
        LPCSTR pszFilter, pszFileName, pszDefExt;
        DWORD dwFlags;
        bool bOwnedByPage;
    } cases[] = {
        { CLauncherApp::PAGE_EMULATOR, IDC_EMULATOR_BROWSE, "Executables (*.exe)|*.exe", "zot.exe", "exe", dwOpen, false },
        { CLauncherApp::PAGE_KICKSTART, IDC_KICKSTART_BROWSE, "Kickstart ROM (*.rom)|*.rom", "kick.rom", "rom", dwOpen,
          false },
        { CLauncherApp::PAGE_INFO, IDC_INFO_BROWSE, "Executables (*.exe)|*.exe", "zot.exe", "exe", dwOpen, false },
        // A hard disk's folder is the one the dialog is confirmed in, whatever the name.
        { CLauncherApp::PAGE_HARDDISK, IDC_HARDDISK_EDIT, "", "", "", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER,
          true },
    };
    // Edit acts on the focused disk.
    CHardDiskPage& hardDisks = static_cast<CHardDiskPage&>(*app.m_pPages[CLauncherApp::PAGE_HARDDISK]);
    hardDisks.m_listDisks.SetItemState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszFileName);
        CPromptRecorder prompts;  // cancels the dialog
        HWND hPage = app.m_pPages[c.nPage]->m_hWnd;
        ClickButton(hPage, c.nButton);
        ASSERT_EQ(1u, prompts.fileDialogs.size());
        const auto& shown = prompts.fileDialogs[0];
        EXPECT_TRUE(shown.bOpen);
        EXPECT_EQ("", shown.title);
        EXPECT_EQ(c.pszFilter, shown.filter);
        EXPECT_EQ(c.pszFileName, shown.fileName);
        EXPECT_EQ(c.pszDefExt, shown.defExt);
        EXPECT_EQ(c.dwFlags, shown.flags);
        EXPECT_EQ(c.bOwnedByPage ? hPage : nullptr, shown.hWndOwner);
    }
}

}  // namespace
