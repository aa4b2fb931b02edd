// The file dialogs the pages open: kind, title, filter, proposed name, default
// extension, flags and owner, as a user meets them.
#include "TestSupport.h"

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
    } cases[] = {
        { CLauncherApp::PAGE_EMULATOR, IDC_EMULATOR_BROWSE, "Executables (*.exe)|*.exe", "zot.exe", "exe" },
        { CLauncherApp::PAGE_KICKSTART, IDC_KICKSTART_BROWSE, "Kickstart ROM (*.rom)|*.rom", "kick.rom", "rom" },
        { CLauncherApp::PAGE_INFO, IDC_INFO_BROWSE, "Executables (*.exe)|*.exe", "zot.exe", "exe" },
    };
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
        EXPECT_EQ(dwOpen, shown.flags);
        EXPECT_EQ(nullptr, shown.hWndOwner);
    }
}

}  // namespace
