#include "Fixtures.h"
#include "TestSupport.h"

#include "drives/FloppyPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

// The editor command lines the catalog would have run. A test that sets
// s_hReleaseEditor keeps the run inside the editor start until it sets that
// event (or 5 s have passed), to close windows meanwhile.
static std::mutex s_editorMutex;
static std::vector<std::string> s_editorCommands;
static HANDLE s_hEditorEntered = nullptr, s_hReleaseEditor = nullptr;
static bool s_bEditorReleased = false;
static UINT RecordEditor(LPCSTR pszCommandLine, UINT)
{
    {
        std::lock_guard<std::mutex> lock(s_editorMutex);
        s_editorCommands.push_back(pszCommandLine);
    }
    if (s_hReleaseEditor)
    {
        ::SetEvent(s_hEditorEntered);
        s_bEditorReleased = ::WaitForSingleObject(s_hReleaseEditor, 5000) == WAIT_OBJECT_0;
    }
    return 33;
}

// The catalog messages that reached Floppy page windows, each with the
// progress bar's position and upper limit after it:
// "begin 3 (0/3) step (1/3) ... done (0/3) "
static std::string s_strCatalogLog;
static LRESULT CALLBACK LogCatalogMessages(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT& msg = *(const CWPRETSTRUCT*)lParam;
    HWND hProgress = ::GetDlgItem(msg.hwnd, IDC_FLOPPY_PROGRESS);
    if (nCode == HC_ACTION && hProgress && msg.message >= WM_CATALOG_BEGIN && msg.message <= WM_CATALOG_DONE)
    {
        static const char* const s_pszNames[] = { "begin ", "step", "done" };
        s_strCatalogLog += s_pszNames[msg.message - WM_CATALOG_BEGIN];
        if (msg.message == WM_CATALOG_BEGIN)
            s_strCatalogLog += std::to_string(msg.wParam);
        s_strCatalogLog += " (" + std::to_string(::SendMessageA(hProgress, PBM_GETPOS, 0, 0)) + "/"
                           + std::to_string(::SendMessageA(hProgress, PBM_GETRANGE, FALSE, 0)) + ") ";
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

class FloppyPageTest : public CPageTest<CFloppyPage, CLauncherApp::PAGE_FLOPPY>
{
protected:
    void SetUp() override
    {
        s_editorCommands.clear();
        s_strCatalogLog.clear();
        m_pfnStartEditor = CCatalogThread::s_pfnStartEditor;
        CCatalogThread::s_pfnStartEditor = RecordEditor;
        CPageFixture::SetUp();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        if (m_hLogHook)
            ::UnhookWindowsHookEx(m_hLogHook);
        if (s_hReleaseEditor)
        {
            ::SetEvent(s_hReleaseEditor);
            FinishCatalog();
            ::CloseHandle(s_hReleaseEditor);
            ::CloseHandle(s_hEditorEntered);
            s_hReleaseEditor = s_hEditorEntered = nullptr;
        }
        CCatalogThread::s_pfnStartEditor = m_pfnStartEditor;
    }
    // Records the catalog messages from now on (in s_strCatalogLog). The hook
    // slows every message of the thread down, so only the tests that read the
    // record set it.
    void LogCatalog()
    {
        m_hLogHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, LogCatalogMessages, nullptr, ::GetCurrentThreadId());
    }
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

    // Runs this thread's messages, the catalog's among them, until the
    // condition holds; FALSE when the run's thread ends first or 20 s pass
    template <typename Condition>
    BOOL RunCatalogUntil(Condition condition, const CFloppyPage& onPage)
    {
        if (!onPage.m_pCatalogThread)
            return condition();
        HANDLE hThread = onPage.m_pCatalogThread->m_hThread;
        DWORD nStart = ::GetTickCount();
        while (!condition())
        {
            if (::GetTickCount() - nStart > 20000
                || ::MsgWaitForMultipleObjects(1, &hThread, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0)
                return condition();
            PumpMessages();
        }
        return TRUE;
    }
    // Handles the run's messages until its thread has ended
    void FinishCatalog()
    {
        ASSERT_NE(nullptr, page.m_pCatalogThread);
        RunCatalogUntil([]() { return false; }, page);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(page.m_pCatalogThread->m_hThread, 0));
    }
    void StartCatalog(CPromptRecorder& prompts, const CString& strReport, const CString& strImage)
    {
        prompts.files = { std::string(strReport), std::string(strImage) };
        prompts.fileDialogs.clear();
        Click(IDC_FLOPPY_CATALOG);
    }

    // A report as the run writes it, over the rows given: file name, volume name, length
    static std::string Report(const CString& strFolder, const std::vector<std::vector<std::string>>& rows)
    {
        auto row = [](std::string a, std::string b, std::string c) {
            a.resize(20, ' '), b.resize(30, ' '), c.resize(15, ' ');
            return "| " + a + " | " + b + " | " + c + " |\r\n";
        };
        const std::string strSeparator = "+" + std::string(22, '-') + "+" + std::string(32, '-') + "+"
                                         + std::string(17, '-') + "+\r\n";
        std::string strReport = strSeparator + row("ZOT Brimlo", "Amiga Disk File Catalog", "")
                                + row("Directory", std::string(strFolder).substr(0, 30), "") + strSeparator
                                + row("DOS Filename", "Amiga Filename", "File Length") + strSeparator;
        unsigned long long nTotal = 0;
        for (const auto& r : rows)
        {
            strReport += row(r[0], r[1], r[2]);
            nTotal += std::stoull(r[2]);
        }
        return strReport + strSeparator + row("", "Total Size", std::to_string(nTotal))
               + row("", "Number Of Files", std::to_string(rows.size())) + strSeparator;
    }
    // The images "Disk01.adf" to "DiskNN.adf" in the folder, named "Volume 1"...
    // and listed in that order
    static std::vector<std::vector<std::string>> MakeImages(const CString& strFolder, int nCount)
    {
        std::vector<std::vector<std::string>> rows;
        for (int i = 1; i <= nCount; i++)
        {
            AdfImage image;
            image.strVolumeName = "Volume " + std::to_string(i);
            std::string strName = std::string(i < 10 ? "Disk0" : "Disk") + std::to_string(i) + ".adf";
            EXPECT_TRUE(MakeAdfImage(strFolder + "\\" + strName.c_str(), image));
            rows.push_back({ strName, image.strVolumeName, std::to_string(AdfImage::IMAGE_SIZE) });
        }
        return rows;
    }

    // A file dialog as "open or save, title, filter, proposed name, extension,
    // one file or several", the filter's strings also separated by "|"
    static std::string Describe(const CPromptRecorder::FileDialog& shown)
    {
        return std::string(shown.bOpen ? "open" : "save") + ", " + shown.title + ", " + shown.filter + ", "
               + shown.fileName + ", " + shown.defExt + ((shown.flags & OFN_ALLOWMULTISELECT) ? ", several" : ", one")
               + ((shown.flags & OFN_EXPLORER) ? "" : ", old style");
    }

    HHOOK m_hLogHook = nullptr;
    CCatalogThread::EditorStarter m_pfnStartEditor = nullptr;
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

    // With no row chosen yet, Insert chooses the first empty drive where the
    // user sees it before it asks for its image.
    CPromptRecorder prompts;
    Click(IDC_FLOPPY_INSERT);
    ASSERT_EQ(1u, prompts.fileDialogs.size());
    EXPECT_EQ("df0.adf", prompts.fileDialogs[0].fileName);
    EXPECT_EQ(0, page.m_listDrives.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED));
    EXPECT_FALSE(page.IsModified());

    // The first answer went to the cancelled dialog.
    prompts.files = { "", std::string(strFolder + "\\Workbench Disk.adf"),
                      // three names while DF2 has the focus: the third finds no drive
                      std::string(strFolder) + '\0' + "Not Dos Disk.adf" + '\0' + "Blank Disk.adf" + '\0' + "Extra.adf" };
    FocusRow(0);
    NMHDR nmhdr = { page.m_listDrives.m_hWnd, IDC_FLOPPY_LIST, (UINT)NM_DBLCLK };
    ::SendMessageA(page.m_hWnd, WM_NOTIFY, IDC_FLOPPY_LIST, (LPARAM)&nmhdr);
    FocusRow(2);
    Click(IDC_FLOPPY_INSERT);
    ASSERT_EQ(3u, prompts.fileDialogs.size());
    EXPECT_EQ("df0.adf", prompts.fileDialogs[1].fileName);
    EXPECT_EQ("open, , Amiga Disk File (*.adf)|*.adf|Amiga Disk File Gzipped (*.gz)|*.gz, df2.adf, adf, several",
              Describe(prompts.fileDialogs[2]));
    EXPECT_EQ("", prompts.fileDialogs[2].initialDir);

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
    ASSERT_EQ(4u, prompts.fileDialogs.size());
    EXPECT_EQ(std::string(strFolder), prompts.fileDialogs[3].initialDir);
    EXPECT_EQ("DF2|NDOS|" + strImages[2], Row(2));

    // Nothing chosen again: the first drive without an image, DF1
    page.m_listDrives.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    Click(IDC_FLOPPY_INSERT);
    ASSERT_EQ(5u, prompts.fileDialogs.size());
    EXPECT_EQ("df1.adf", prompts.fileDialogs[4].fileName);
    EXPECT_EQ(1, page.m_listDrives.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED));
}

TEST_F(FloppyPageTest, StoredFragmentsLoadBackAndEjectIsAChange)
{
    CString strImage = dir.File("Work.adf");
    AdfImage image;
    image.strVolumeName = "Stra\xDF" "e Disk";  // ISO 8859-1, as the Amiga writes it
    ASSERT_TRUE(MakeAdfImage(strImage, image));
    const LPCSTR pszStored[4] = { "", "", "-2", "-3 C:\\No Such Image.adf" };
    ::WritePrivateProfileStringA("Test", "DF0Path", "-0 " + strImage, app.m_strProfile);
    ::WritePrivateProfileStringA("Test", "DF1Path", strImage, app.m_strProfile);  // no prefix: loses three characters
    for (int n = 2; n < 4; n++)
        ::WritePrivateProfileStringA("Test", Key(n), pszStored[n], app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    EXPECT_EQ("DF0|Stra\xDF" "e Disk|" + strImage, Row(0));
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
    LogCatalog();
    CString strFolder = dir.File("Disks");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    AdfImage workbench, longName, shortImage, demo;
    workbench.strVolumeName = "Workbench1.3";
    longName.strVolumeName = "A Volume Name Of Thirty Five Chars!";
    shortImage.nFileLength = 1000;
    demo.strVolumeName = "D\xE9mo Disk";
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\A File Name Of 26 Chars.adf", longName));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Demo.adf", demo));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Locked.adf"));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Short.adf", shortImage));
    ASSERT_TRUE(MakeAdfImage(strFolder + "\\Workbench13.adf", workbench));
    ASSERT_TRUE(::CreateDirectoryA(strFolder + "\\Folder.adf", nullptr));
    WriteWholeFile(strFolder + "\\Notes.txt", "not an image");
    // Held by another program: its name cannot be read, its length still counts.
    CLockedFile locked(strFolder + "\\Locked.adf");
    ASSERT_TRUE(locked.IsLocked());

    CPromptRecorder prompts;
    Click(IDC_FLOPPY_CATALOG);  // the report's name is cancelled
    EXPECT_FALSE(page.m_bCatalogRunning);
    CString strReport = dir.File("My Report.txt");
    // The first answer went to the cancelled dialog.
    prompts.files = { "", std::string(strReport), std::string(strFolder + "\\Short.adf") };
    Click(IDC_FLOPPY_CATALOG);
    ASSERT_EQ(3u, prompts.fileDialogs.size());
    const std::string strReportDialog = "save, Give a name to that report, *.txt|*.txt, AdfList.txt, txt, one";
    EXPECT_EQ(strReportDialog, Describe(prompts.fileDialogs[0]));
    EXPECT_EQ(strReportDialog, Describe(prompts.fileDialogs[1]));
    EXPECT_EQ("open, Select one of the files to catalog, *.adf|*.adf, *.adf, adf, one", Describe(prompts.fileDialogs[2]));
    EXPECT_EQ(CString("&Stop"), page.m_btnCatalog.GetWindowText());
    FinishCatalog();
    EXPECT_EQ(CString("&Start"), page.m_btnCatalog.GetWindowText());
    EXPECT_FALSE(page.m_bCatalogRunning);
    // The folder named like an image is no image.
    EXPECT_EQ("begin 5 (0/5) step (1/5) step (2/5) step (3/5) step (4/5) step (5/5) done (0/5) ", s_strCatalogLog);

    const std::string strFull = std::to_string(AdfImage::IMAGE_SIZE);
    EXPECT_EQ(Report(strFolder, { { "A File Name Of 26 Chars.adf", "A Volume Name Of Thirty Five Chars!", strFull },
                                  { "Demo.adf", "D\xE9mo Disk", strFull },
                                  { "Locked.adf", "Not found", strFull },
                                  { "Short.adf", "NDOS", "1000" },
                                  { "Workbench13.adf", "Workbench1.3", strFull } }),
              ReadWholeFile(strReport));
    ASSERT_EQ(1u, s_editorCommands.size());
    EXPECT_EQ("Notepad.exe " + std::string(strReport), s_editorCommands[0]);
}

TEST_F(FloppyPageTest, CatalogRunsThatListNothing)
{
    LogCatalog();
    CString strImages = dir.File("Images"), strEmpty = dir.File("Empty");
    ASSERT_TRUE(::CreateDirectoryA(strImages, nullptr));
    ASSERT_TRUE(::CreateDirectoryA(strEmpty, nullptr));
    MakeImages(strImages, 2);
    // An earlier report that another program holds open, and a folder of the report's name
    const std::string strEarlier = "an earlier report";
    WriteWholeFile(dir.File("held.txt"), strEarlier);
    std::unique_ptr<CLockedFile> pHeld(new CLockedFile(dir.File("held.txt")));
    ASSERT_TRUE(pHeld->IsLocked());
    ASSERT_TRUE(::CreateDirectoryA(dir.File("folder.txt"), nullptr));
    const struct
    {
        LPCSTR pszCase;
        CString strReport, strImage;
        int nStopClicks;
        std::string strLog;
        CString strFolder;  // of the report; none when it cannot be created
    } cases[] = {
        // Only the end is told to the page: the progress bar keeps the range
        // it had. The user is told why there is no report.
        { "report cannot be created", dir.File("No Such Folder\\r.txt"), strImages + "\\Disk01.adf", 0,
          "done (0/100) ", "" },
        { "report held open", dir.File("held.txt"), strImages + "\\Disk01.adf", 0, "done (0/100) ", "" },
        { "report is a folder", dir.File("folder.txt"), strImages + "\\Disk01.adf", 0, "done (0/100) ", "" },
        { "empty folder", dir.File("empty.txt"), strEmpty + "\\none.adf", 0, "begin 0 (0/0) done (0/0) ", strEmpty },
        { "missing folder", dir.File("missing.txt"), dir.File("Gone\\gone.adf"), 0, "begin 0 (0/0) done (0/0) ",
          dir.File("Gone") },
        // The run waits for its first message to be handled: both clicks
        // come before any image.
        { "stop before the first image", dir.File("stopped.txt"), strImages + "\\Disk02.adf", 2,
          "begin 2 (0/2) done (0/2) ", strImages },
    };
    CPromptRecorder prompts;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        s_editorCommands.clear();
        s_strCatalogLog.clear();
        prompts.boxes.clear();
        StartCatalog(prompts, c.strReport, c.strImage);
        for (int i = 0; i < c.nStopClicks; i++)
            Click(IDC_FLOPPY_CATALOG);
        EXPECT_EQ(2u, prompts.fileDialogs.size());  // Stop asks nothing
        FinishCatalog();
        EXPECT_EQ(c.strLog, s_strCatalogLog);
        EXPECT_EQ(CString("&Start"), page.m_btnCatalog.GetWindowText());
        EXPECT_FALSE(page.m_bCatalogRunning);
        if (c.strFolder.IsEmpty())
        {
            EXPECT_TRUE(s_editorCommands.empty());
            ASSERT_EQ(1u, prompts.boxes.size());
            EXPECT_EQ(host.m_hWnd, prompts.boxes[0].hWndOwner);
            EXPECT_EQ("The catalog report could not be written:\n" + std::string(c.strReport), prompts.boxes[0].text);
            EXPECT_EQ("ERROR", prompts.boxes[0].caption);
            EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), prompts.boxes[0].type);
            continue;
        }
        EXPECT_TRUE(prompts.boxes.empty());
        EXPECT_EQ(Report(c.strFolder, {}), ReadWholeFile(c.strReport));
        EXPECT_EQ(1u, s_editorCommands.size());
    }
    EXPECT_FALSE(FileExists(dir.File("No Such Folder\\r.txt")));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, ::GetFileAttributesA(dir.File("folder.txt")) & FILE_ATTRIBUTE_DIRECTORY);
    pHeld.reset();
    EXPECT_EQ(strEarlier, ReadWholeFile(dir.File("held.txt")));
}

// tools/test.sh lends the tests a drive letter (KOVANA_TEST_DRIVE, "T:").
// The report names the folder as the image's path gives it: a drive's root
// without its backslash.
TEST_F(FloppyPageTest, CatalogOfADriveRoot)
{
    char szDrive[8] = "";
    if (::GetEnvironmentVariableA("KOVANA_TEST_DRIVE", szDrive, sizeof(szDrive)) != 2 || szDrive[1] != ':')
        GTEST_SKIP() << "no test drive: run the tests through tools/test.sh";
    CString strImage = CString(szDrive) + "\\Root Disk.adf";
    ASSERT_TRUE(MakeAdfImage(strImage));
    CPromptRecorder prompts;
    StartCatalog(prompts, dir.File("report.txt"), strImage);
    FinishCatalog();
    ::DeleteFileA(strImage);
    EXPECT_EQ(Report(szDrive, { { "Root Disk.adf", "Workbench", std::to_string(AdfImage::IMAGE_SIZE) } }),
              ReadWholeFile(dir.File("report.txt")));
}

// A move of the bar repaints it at once: over many images it moves every few
// images, and at the last one.
TEST_F(FloppyPageTest, CatalogProgressOfALargeFolder)
{
    LogCatalog();
    const int nImages = 201;
    for (int i = 0; i < nImages; i++)
        ASSERT_TRUE(MakeMarkedFile(dir.File(("Disk" + std::to_string(1000 + i) + ".adf").c_str()), 1000, {}));
    CPromptRecorder prompts;
    StartCatalog(prompts, dir.File("report.txt"), dir.File("Disk1000.adf"));
    FinishCatalog();
    std::string strLog = "begin 201 (0/201) ";
    for (int i = 1; i <= nImages; i++)
        strLog += "step (" + std::to_string(i % 2 == 0 || i == nImages ? i : i - 1) + "/201) ";
    EXPECT_EQ(strLog + "done (0/201) ", s_strCatalogLog);
}

// Closing the window neither stops the run nor waits for it: the run
// finishes its report, and a window made for the page later shows it.
TEST_F(FloppyPageTest, CatalogGoesOnWhenItsWindowCloses)
{
    LogCatalog();
    const int nImages = 12;
    auto rows = MakeImages(dir.Path(), nImages);
    CPromptRecorder prompts;
    StartCatalog(prompts, dir.File("report.txt"), dir.File("Disk01.adf"));
    // The run waits for each message to be handled: it is in the middle of
    // the folder when the window closes.
    ASSERT_TRUE(RunCatalogUntil([&]() { return page.m_progressCatalog.GetPos() >= 2; }, page));
    CTestHost laterHost;
    host.DestroyWindow();
    ASSERT_TRUE(page.Create(page.GetTemplateID(), &laterHost));
    EXPECT_TRUE(page.m_bCatalogRunning);
    EXPECT_EQ(CString("&Stop"), page.m_btnCatalog.GetWindowText());
    EXPECT_EQ(nImages, page.m_progressCatalog.GetRangeUpper());
    int nShown = page.m_progressCatalog.GetPos();
    EXPECT_GE(nShown, 2);
    EXPECT_LT(nShown, nImages);

    s_strCatalogLog.clear();
    FinishCatalog();
    std::string strLog;
    for (int i = nShown + 1; i <= nImages; i++)
        strLog += "step (" + std::to_string(i) + "/12) ";
    EXPECT_EQ(strLog + "done (0/12) ", s_strCatalogLog);
    EXPECT_EQ(CString("&Start"), page.m_btnCatalog.GetWindowText());
    EXPECT_EQ(Report(dir.Path(), rows), ReadWholeFile(dir.File("report.txt")));
    EXPECT_EQ(1u, s_editorCommands.size());
    laterHost.DestroyWindow();
}

TEST_F(FloppyPageTest, ClosingTheWindowDoesNotWaitForTheEditor)
{
    MakeImages(dir.Path(), 1);
    s_hEditorEntered = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    s_hReleaseEditor = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CPromptRecorder prompts;
    StartCatalog(prompts, dir.File("report.txt"), dir.File("Disk01.adf"));
    ASSERT_TRUE(RunCatalogUntil([&]() { return !page.m_bCatalogRunning; }, page));
    // The run has told its end and now starts the editor, which takes its time.
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(s_hEditorEntered, 10000));
    host.DestroyWindow();
    ::SetEvent(s_hReleaseEditor);
    FinishCatalog();
    EXPECT_TRUE(s_bEditorReleased) << "closing the window waited for the editor";
}

// At the program's end the page objects go: the run finishes its report
// first, its messages handled meanwhile.
TEST_F(FloppyPageTest, CatalogIsCompleteWhenThePageGoesDuringTheRun)
{
    const int nImages = 6;
    auto rows = MakeImages(dir.Path(), nImages);
    std::unique_ptr<CFloppyPage> pOther(new CFloppyPage);
    ASSERT_TRUE(pOther->Create(pOther->GetTemplateID(), &host));
    CPromptRecorder prompts;
    prompts.files = { std::string(dir.File("report.txt")), std::string(dir.File("Disk01.adf")) };
    ClickButton(pOther->m_hWnd, IDC_FLOPPY_CATALOG);
    ASSERT_TRUE(RunCatalogUntil([&]() { return pOther->m_progressCatalog.GetPos() >= 1; }, *pOther));
    pOther->DestroyWindow();
    pOther.reset();
    EXPECT_EQ(Report(dir.Path(), rows), ReadWholeFile(dir.File("report.txt")));
    EXPECT_EQ(1u, s_editorCommands.size());
}
