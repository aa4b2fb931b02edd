#include "Fixtures.h"
#include "TestSupport.h"

#include "drives/FloppyPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <mutex>

// The editor command lines the catalog would have run
static std::mutex s_editorMutex;
static std::vector<std::string> s_editorCommands;
static UINT RecordEditor(LPCSTR pszCommandLine, UINT)
{
    std::lock_guard<std::mutex> lock(s_editorMutex);
    s_editorCommands.push_back(pszCommandLine);
    return 33;
}

class FloppyPageTest : public CPageTest<CFloppyPage, CLauncherApp::PAGE_FLOPPY>
{
protected:
    void SetUp() override
    {
        s_editorCommands.clear();
        CCatalogThread::s_pfnStartEditor = RecordEditor;
        CPageFixture::SetUp();
    }
    void TearDown() override { host.DestroyWindow(); }
    static CString Key(int nDrive) { return CString("DF") + CString((char)('0' + nDrive)) + "Path"; }
    CString Row(int nRow) const
    {
        const CListCtrl& list = page.m_listDrives;
        return list.GetItemText(nRow, 0) + "|" + list.GetItemText(nRow, 1) + "|" + list.GetItemText(nRow, 2);
    }
    void FocusRow(int nRow)
    {
        LVITEMA item = {};
        item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageA(page.m_listDrives, LVM_SETITEMSTATE, nRow, (LPARAM)&item);
    }
    // Handles the run's messages until it reports its end and its thread is gone
    void FinishCatalog()
    {
        for (DWORD nStart = ::GetTickCount(); page.m_bCatalogRunning && ::GetTickCount() - nStart < 20000;)
        {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            PumpMessages();
        }
        ASSERT_FALSE(page.m_bCatalogRunning);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(page.m_pCatalogThread->m_hThread, 20000));
    }
};

TEST_F(FloppyPageTest, InsertedImagesGiveFragmentsShortTwinsAndVolumeNames)
{
    CString strFolder = dir.File("Amiga Floppy Images");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    AdfImage workbench, notDos, blank;
    workbench.strVolumeName = "Workbench1.3";
    notDos.strSignature = "KIC";
    blank.strVolumeName = "";
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Workbench Disk.adf", workbench));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Not Dos Disk.adf", notDos));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Blank Disk.adf", blank));
    char szShortFolder[MAX_PATH];
    ASSERT_NE(0u, ::GetShortPathNameA(strFolder, szShortFolder, sizeof(szShortFolder)));
    ASSERT_NE(strFolder, CString(szShortFolder));
    auto shortPath = [](const CString& strPath) {
        char sz[MAX_PATH];
        return ::GetShortPathNameA(strPath, sz, sizeof(sz)) ? CString(sz) : CString("(none)");
    };

    CPromptRecorder prompts;
    Click(IDC_FLOPPY_INSERT);  // no row has the focus yet
    EXPECT_TRUE(prompts.fileDialogs.empty());
    EXPECT_FALSE(page.IsModified());

    prompts.files = { std::string(strFolder + "\\Workbench Disk.adf"),
                      // three names while DF2 has the focus: the third finds no drive
                      std::string(strFolder) + '\0' + "Not Dos Disk.adf" + '\0' + "Blank Disk.adf" + '\0' + "Extra.adf" };
    FocusRow(0);
    NMHDR nmhdr = { page.m_listDrives.m_hWnd, IDC_FLOPPY_LIST, (UINT)NM_DBLCLK };
    ::SendMessageA(page.m_hWnd, WM_NOTIFY, IDC_FLOPPY_LIST, (LPARAM)&nmhdr);
    FocusRow(2);
    Click(IDC_FLOPPY_INSERT);
    ASSERT_EQ(2u, prompts.fileDialogs.size());
    EXPECT_TRUE(prompts.fileDialogs[1].flags & OFN_ALLOWMULTISELECT);

    const CString strImages[4] = { strFolder + "\\Workbench Disk.adf", "", strFolder + "\\Not Dos Disk.adf",
                                   strFolder + "\\Blank Disk.adf" };
    EXPECT_EQ("DF0|Workbench1.3|" + strImages[0], Row(0));
    EXPECT_EQ(CString("DF1||"), Row(1));
    EXPECT_EQ("DF2|NDOS|" + strImages[2], Row(2));
    EXPECT_EQ("DF3||" + strImages[3], Row(3));  // an unnamed image is still an image

    EXPECT_TRUE(page.IsModified());
    page.UpdateOptions();
    EXPECT_FALSE(page.IsModified());
    app.SaveConfig();
    CString strExpectedLine = "-G";
    for (int n = 0; n < 4; n++)
    {
        SCOPED_TRACE(Key(n));
        CString strPrefix = CString("-") + CString((char)('0' + n)) + " ";
        CString strFragment = strImages[n].IsEmpty() ? CString("") : strPrefix + strImages[n];
        CString strShort = strImages[n].IsEmpty() ? CString("") : strPrefix + shortPath(strImages[n]);
        EXPECT_EQ(strFragment, Option(Key(n)));
        EXPECT_EQ(strShort, Option(Key(n) + "DOS"));
        EXPECT_EQ(strFragment, ProfileValue(app.m_strProfile, "Test", Key(n), "(absent)"));
        EXPECT_EQ(CString("(absent)"), ProfileValue(app.m_strProfile, "Test", Key(n) + "DOS", "(absent)"));
        if (!strShort.IsEmpty())
            strExpectedLine += "?" + strShort;
    }
    CString strLine = "-G";
    page.AppendOptions(strLine, "?");
    EXPECT_EQ(strExpectedLine, strLine);

    // The next choice opens in the folder of the drive's image.
    Click(IDC_FLOPPY_INSERT);
    ASSERT_EQ(3u, prompts.fileDialogs.size());
    EXPECT_EQ(std::string(strFolder), prompts.fileDialogs[2].initialDir);
    EXPECT_EQ("DF2|NDOS|" + strImages[2], Row(2));
}

TEST_F(FloppyPageTest, StoredFragmentsLoadBackAndEjectIsAChange)
{
    CString strImage = dir.File("Work.adf");
    AdfImage image;
    image.strVolumeName = "Work Disk";
    ASSERT_TRUE(MakeAdfImage(strImage, image));
    const LPCSTR pszStored[4] = { "", "", "-2", "-3 C:\\No Such Image.adf" };
    ::WritePrivateProfileStringA("Test", "DF0Path", "-0 " + strImage, app.m_strProfile);
    ::WritePrivateProfileStringA("Test", "DF1Path", strImage, app.m_strProfile);  // no prefix: loses three characters
    for (int n = 2; n < 4; n++)
        ::WritePrivateProfileStringA("Test", Key(n), pszStored[n], app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    EXPECT_EQ("DF0|Work Disk|" + strImage, Row(0));
    EXPECT_EQ("DF1|Not found|" + strImage.Mid(3), Row(1));
    EXPECT_EQ(CString("DF2||"), Row(2));
    EXPECT_EQ(CString("DF3|Not found|C:\\No Such Image.adf"), Row(3));
    EXPECT_TRUE(page.IsModified());  // DF1 now has its prefix

    ::WritePrivateProfileStringA("Test", "DF1Path", "", app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    EXPECT_TRUE(page.IsModified());  // the bare prefix of DF2 becomes an empty fragment
    ::WritePrivateProfileStringA("Test", "DF2Path", "", app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    EXPECT_FALSE(page.IsModified());
    FocusRow(0);
    Click(IDC_FLOPPY_EJECT);
    EXPECT_EQ(CString("DF0||"), Row(0));
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ("-0 " + strImage, Option("DF0Path"));
}

TEST_F(FloppyPageTest, CatalogListsTheFoldersImagesInAReport)
{
    CString strFolder = dir.File("Disks");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    AdfImage workbench, longName, shortImage;
    workbench.strVolumeName = "Workbench1.3";
    longName.strVolumeName = "A Volume Name Of Thirty Five Chars!";
    shortImage.nFileLength = 1000;
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\A File Name Of 26 Chars.adf", longName));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Short.adf", shortImage));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Workbench13.adf", workbench));
    ASSERT_TRUE(::CreateDirectoryA(strFolder + "\\Folder.adf", nullptr));
    WriteWholeFile(strFolder + "\\Notes.txt", "not an image");

    CPromptRecorder prompts;
    Click(IDC_FLOPPY_CATALOG);  // the report's name is cancelled
    EXPECT_FALSE(page.m_bCatalogRunning);
    CString strReport = dir.File("My Report.txt");
    // The first answer went to the cancelled dialog.
    prompts.files = { "", std::string(strReport), std::string(strFolder + "\\Short.adf") };
    Click(IDC_FLOPPY_CATALOG);
    ASSERT_EQ(3u, prompts.fileDialogs.size());
    EXPECT_EQ("Select one of the files to catalog", prompts.fileDialogs[2].title);
    EXPECT_EQ(CString("&Stop"), page.m_btnCatalog.GetWindowText());
    FinishCatalog();
    EXPECT_EQ(CString("&Start"), page.m_btnCatalog.GetWindowText());
    EXPECT_EQ(3, page.m_progressCatalog.GetRangeUpper());  // the folder named like an image is no image

    auto row = [](std::string a, std::string b, std::string c) {
        a.resize(20, ' '), b.resize(30, ' '), c.resize(15, ' ');
        return "| " + a + " | " + b + " | " + c + " |\r\n";
    };
    const std::string strSeparator = "+----------------------+--------------------------------+-----------------+\r\n";
    std::string strExpected = strSeparator + row("ZOT Brimlo", "Amiga Disk File Catalog", "") +
                              row("Directory", std::string(strFolder).substr(0, 30), "") + strSeparator +
                              row("DOS Filename", "Amiga Filename", "File Length") + strSeparator +
                              "| A File Name Of 26 Ch | A Volume Name Of Thirty Five C | 901120          |\r\n" +
                              row("Short.adf", "NDOS", "1000") + row("Workbench13.adf", "Workbench1.3", "901120") +
                              strSeparator + row("", "Total Size", "1803240") + row("", "Number Of Files", "3") +
                              strSeparator;
    EXPECT_EQ(strExpected, ReadWholeFile(strReport));
    ASSERT_EQ(1u, s_editorCommands.size());
    EXPECT_EQ("Notepad.exe " + std::string(strReport), s_editorCommands[0]);
}

TEST_F(FloppyPageTest, StoppingOrClosingEndsTheRunWithATruncatedReport)
{
    ASSERT_TRUE(MakeAdfImage(dir.File("One.adf")));
    ASSERT_TRUE(MakeAdfImage(dir.File("Two.adf")));
    CPromptRecorder prompts;
    prompts.files = { std::string(dir.File("Stopped.txt")), std::string(dir.File("One.adf")),
                      std::string(dir.File("Closed.txt")), std::string(dir.File("One.adf")) };
    // The run waits for its first message to be handled: both Stop clicks
    // come before any image.
    Click(IDC_FLOPPY_CATALOG);
    Click(IDC_FLOPPY_CATALOG);
    Click(IDC_FLOPPY_CATALOG);
    EXPECT_EQ(2u, prompts.fileDialogs.size());
    FinishCatalog();
    std::string strEmpty = ReadWholeFile(dir.File("Stopped.txt"));
    EXPECT_NE(std::string::npos, strEmpty.find("| File Length     |\r\n+---"));
    EXPECT_NE(std::string::npos, strEmpty.find("| Total Size                     | 0               |"));
    EXPECT_NE(std::string::npos, strEmpty.find("| Number Of Files                | 0               |"));
    EXPECT_EQ(2, page.m_progressCatalog.GetRangeUpper());
    EXPECT_EQ(1u, s_editorCommands.size());

    // Closing the window stops the run, handles its messages and waits for it.
    Click(IDC_FLOPPY_CATALOG);
    ASSERT_TRUE(page.m_bCatalogRunning);
    host.DestroyWindow();
    EXPECT_EQ(nullptr, page.m_hWnd);
    EXPECT_EQ(nullptr, page.m_pCatalogThread);
    EXPECT_FALSE(page.m_bCatalogRunning);
    EXPECT_EQ(strEmpty, ReadWholeFile(dir.File("Closed.txt")));
}
