#include "Fixtures.h"
#include "TestSupport.h"

#include "pages/KickstartPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

class KickstartPageTest : public CPageTest<CKickstartPage, CLauncherApp::PAGE_KICKSTART>
{
protected:
    void TypePath(LPCSTR pszPath) { TypeAndLeave(IDC_KICKSTART_PATH, pszPath); }
};

TEST_F(KickstartPageTest, LeavingThePathShowsTheRomsRelease)
{
    CString strRom = dir.File("kick.rom");
    // A ROM size of 0 makes a plain file of nLength bytes instead.
    const struct { LPCSTR pszCase; UINT nRomKB; ULONGLONG nLength; std::vector<FileMark> marks; LPCSTR pszVersion; } cases[] = {
        { "1.2 near a ROM's end", 256, 0, { { 0x3F000, "release 1.2" } }, "1.x" },
        { "earliest marker wins", 512, 0, { { 0x2000, "2.0 Roms" }, { 0x3000, "release 1.2" } }, "2.x" },
        { "marker in the second chunk", 256, 0, { { 150000, "3.00 ROM" } }, "3.x" },
        { "marker is the whole file", 0, 8, { { 0, "3.00 ROM" } }, "3.x" },
        { "marker cut by the file's end", 0, 10, { { 0, "release 1.2" } }, "Unknown" },
        { "marker across two chunks", 0, 300000, { { 102400 - 5, "3.00 ROM" } }, "Unknown" },
        { "marker ending with the first chunk", 0, 300000, { { 102400 - 11, "release 1.2" } }, "1.x" },
        { "marker ending a byte into the second chunk", 0, 300000, { { 102400 - 10, "release 1.2" } }, "Unknown" },
        { "first and last bytes of the markers around other bytes", 0, 4096,
          { { 100, "release 1x2" }, { 200, "2.0 ROMs" }, { 300, "3.00 RAM" } }, "Unknown" },
        { "two full chunks", 0, 204800, { { 0, "2.0 Rom" } }, "Unknown" },
        { "empty file", 0, 0, {}, "Unknown" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        ASSERT_TRUE(c.nRomKB ? MakeKickstartRom(strRom, c.nRomKB, c.marks) : MakeMarkedFile(strRom, c.nLength, c.marks));
        TypePath(strRom);
        EXPECT_EQ(CString(c.pszVersion), Text(IDC_KICKSTART_VERSION));
    }

    // Files that cannot be read as a ROM; one that another program reads is fine.
    ::CreateDirectoryA(dir.File("folder"), nullptr);
    for (const CString& strPath : { CString(""), CString("NUL"), dir.File("missing.rom"), dir.File("folder") })
    {
        SCOPED_TRACE(strPath);
        TypePath(strPath);
        EXPECT_EQ(CString("Not found"), Text(IDC_KICKSTART_VERSION));
    }
    HANDLE hReader = ::CreateFileA(strRom, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader);
    TypePath(strRom);
    ::CloseHandle(hReader);
    EXPECT_EQ(CString("Unknown"), Text(IDC_KICKSTART_VERSION));
}

TEST_F(KickstartPageTest, CollectedPathGoesToTheEmulatorInItsShortForm)
{
    ::CreateDirectoryA(dir.File("Kickstart Images"), nullptr);
    CString strLong = dir.File("Kickstart Images\\Amiga 500 kick.rom");
    ASSERT_TRUE(MakeKickstartRom(strLong, 512, {}));
    char szShort[MAX_PATH];
    ASSERT_NE(0u, ::GetShortPathNameA(strLong, szShort, sizeof(szShort)));
    ASSERT_NE(strLong, CString(szShort));

    const struct { CString strPath, strShort; } cases[] = {
        { strLong, szShort }, { "", "" }, { "kick.rom", "kick.rom" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.strPath);
        ::SetWindowTextA(Control(IDC_KICKSTART_PATH), c.strPath);
        EXPECT_TRUE(page.IsModified());
        page.UpdateOptions();
        EXPECT_EQ("-r " + c.strPath, Option("KickstartPath"));
        EXPECT_EQ("-r " + c.strShort, Option("KickstartPathDOS"));
        EXPECT_EQ("-r " + c.strShort, Appended("?"));
        ::SetWindowTextA(Control(IDC_KICKSTART_PATH), "other");
    }
}

TEST_F(KickstartPageTest, LoadedPathIsUnchangedUntilEdited)
{
    EXPECT_EQ(CString(""), Option("KickstartPath"));
    EXPECT_TRUE(page.IsModified());

    CString strRom = dir.File("kick.rom");
    ASSERT_TRUE(MakeKickstartRom(strRom, 512, { { 0x400, "3.00 ROM" } }));
    // A null text leaves the key out of the section.
    const struct { CString strStored; LPCSTR pszStored; CString strPath; LPCSTR pszVersion; } cases[] = {
        { "-r " + strRom, "", strRom, "3.x" }, { "-r ", "", "", "Not found" }, { "", nullptr, "", "Not found" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.strStored);
        Store("KickstartPath", c.pszStored ? (LPCSTR)c.strStored : nullptr);
        Load();
        EXPECT_EQ(c.strPath, Text(IDC_KICKSTART_PATH));
        EXPECT_EQ(CString(c.pszVersion), Text(IDC_KICKSTART_VERSION));
        EXPECT_FALSE(page.IsModified());

        ::SetWindowTextA(Control(IDC_KICKSTART_PATH), "C:\\new.rom");
        EXPECT_TRUE(page.IsModified());
        app.SaveConfig();
        EXPECT_EQ(CString("-r C:\\new.rom"), Stored("KickstartPath"));
        EXPECT_EQ(CString(""), Stored("KickstartPathDOS"));
    }
}

TEST_F(KickstartPageTest, BrowseStartsInTheShownRomsFolderAndTakesOnlyOk)
{
    ::CreateDirectoryA(dir.File("roms"), nullptr);
    CString strOld = dir.File("roms\\old.rom"), strNew = dir.File("new.rom");
    ASSERT_TRUE(MakeKickstartRom(strOld, 256, { { 0x100, "release 1.2" } }));
    ASSERT_TRUE(MakeKickstartRom(strNew, 512, { { 0x100, "2.0 Roms" } }));
    Store("KickstartPath", "-r " + strOld);
    Load();
    // Typed without leaving the edit: the dialog starts where the shown ROM lies.
    ::SetWindowTextA(Control(IDC_KICKSTART_PATH), "D:\\elsewhere\\kick.rom");

    CPromptRecorder prompts;
    Click(IDC_KICKSTART_BROWSE);
    EXPECT_EQ(CString("D:\\elsewhere\\kick.rom"), Text(IDC_KICKSTART_PATH));
    EXPECT_EQ(CString("1.x"), Text(IDC_KICKSTART_VERSION));
    prompts.files = { "", std::string(strNew) };
    Click(IDC_KICKSTART_BROWSE);
    EXPECT_EQ(strNew, Text(IDC_KICKSTART_PATH));
    ASSERT_EQ(2u, prompts.fileDialogs.size());
    EXPECT_EQ(std::string(dir.File("roms")), prompts.fileDialogs[0].initialDir);
    EXPECT_EQ(CString("2.x"), Text(IDC_KICKSTART_VERSION));
    EXPECT_EQ("-r " + strOld, Option("KickstartPath"));
    EXPECT_TRUE(page.IsModified());
}
