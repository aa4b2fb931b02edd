#include "TestSupport.h"

#include "app/ConfigNameDlg.h"
#include "app/ConfigPage.h"
#include "app/WriteProgressDlg.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>

// Stands in for a settings page with one key: its "control" is a string that
// a test edits as a user would, and it loads, saves and compares like a page.
class CStandInPage : public CSettingsPage
{
public:
    CStandInPage() : CSettingsPage(IDD_VIDEO_PAGE) {}
    CString m_strShown = "-v default";

    UINT GetTemplateID() override { return IDD_VIDEO_PAGE; }
    CString GetPageName() override { return "Video"; }
    void LoadFromProfile() override { m_strShown = App().ReadConfigValue("Video"); }
    void SaveToProfile() override { App().WriteConfigValue("Video"); }
    void UpdateOptions() override { App().m_mapOptions["Video"] = m_strShown; }
    BOOL IsModified() override { return m_strShown != App().m_mapOptions["Video"]; }
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override { AppendOption(strLine, pszSeparator, "Video"); }
};

// Any top-level window standing in for the launcher, whose caption LoadConfig sets.
class CLauncherStandIn : public CDialog
{
public:
    explicit CLauncherStandIn(HWND hWnd) : CDialog(0) { m_hWnd = hWnd; }
    ~CLauncherStandIn() override { m_hWnd = nullptr; }
};

// Uses the real Configuration name dialog as a user would: from a timer that
// runs inside the dialog's modal loop, types each name in turn and presses
// the step's button. Once the steps run out it presses Cancel.
struct NameStep
{
    std::string text;
    int button;
};

class CNameDialogUser
{
public:
    explicit CNameDialogUser(std::vector<NameStep> steps) : m_steps(std::move(steps))
    {
        s_pUser = this;
        m_nTimer = ::SetTimer(nullptr, 0, 10, OnTimer);
    }
    ~CNameDialogUser()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_pUser = nullptr;
    }

    std::vector<HWND> dialogs;           // the dialog at each step
    std::vector<std::string> seenTexts;  // its name box before each step

private:
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
    {
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "#32770") == 0 && AfxGetWindowText(hWnd) == "Configuration name")
        {
            *(HWND*)lParam = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        CNameDialogUser& u = *s_pUser;
        HWND hDlg = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, (LPARAM)&hDlg);
        if (!hDlg)
            return;
        u.dialogs.push_back(hDlg);
        u.seenTexts.push_back(AfxGetWindowText(::GetDlgItem(hDlg, IDC_CONFIG_NAME)).str());
        NameStep step = u.m_nNext < u.m_steps.size() ? u.m_steps[u.m_nNext++] : NameStep{ "", IDCANCEL };
        if (step.button == IDOK)
            ::SetDlgItemTextA(hDlg, IDC_CONFIG_NAME, step.text.c_str());
        ::PostMessageA(::GetDlgItem(hDlg, step.button), BM_CLICK, 0, 0);
    }

    std::vector<NameStep> m_steps;
    size_t m_nNext = 0;
    UINT_PTR m_nTimer;
    static CNameDialogUser* s_pUser;
};
CNameDialogUser* CNameDialogUser::s_pUser = nullptr;

class ConfigPageTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CTestApp app{ dir.File("Kovana.ini") };
    CTestHost host;
    CPromptRecorder prompts;
    CStandInPage* video = new CStandInPage;
    CConfigPage& page = *(CConfigPage*)app.m_pPages[CLauncherApp::PAGE_CONFIG];
    CLauncherStandIn launcher{ host.m_hWnd };

    // The Config page among pages that keep out of its way, and one page that
    // changes when a test says so
    ConfigPageTest()
    {
        for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
        {
            if (i == CLauncherApp::PAGE_CONFIG)
                continue;
            CSettingsPage* pPage = app.m_pPages[i];
            app.m_pPages[i] = i == CLauncherApp::PAGE_VIDEO ? (CSettingsPage*)video
                                                            : new CPlainPage(pPage->GetTemplateID(), pPage->GetPageName());
            delete pPage;
        }
        app.m_pLauncher = &launcher;
    }
    ~ConfigPageTest() override { app.m_pLauncher = nullptr; }

    CString Value(LPCSTR pszSection, LPCSTR pszKey) { return ProfileValue(app.m_strProfile, pszSection, pszKey, "<missing>"); }
    CString Entry(int n) { CString strKey; strKey.Format("Config#%d", n); return Value("ConfigList", strKey); }
    CString Current() { return app.m_mapOptions["CurrentConfigName"]; }

    // A profile with these configurations, each with its own "Video" value
    void WriteConfigs(const std::vector<std::string>& names, LPCSTR pszCurrent)
    {
        CString strCount;
        strCount.Format("%d", (int)names.size());
        ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", strCount, app.m_strProfile);
        for (size_t i = 0; i < names.size(); i++)
        {
            CString strKey;
            strKey.Format("Config#%d", (int)i + 1);
            ::WritePrivateProfileStringA("ConfigList", strKey, names[i].c_str(), app.m_strProfile);
            ::WritePrivateProfileStringA(names[i].c_str(), "Video", ("-v " + names[i]).c_str(), app.m_strProfile);
        }
        ::WritePrivateProfileStringA("ConfigList", "CurrentConfigName", pszCurrent, app.m_strProfile);
    }
    // All page windows, in page order, as a launcher window makes them
    void Open() { ASSERT_TRUE(CreatePageWindows(app, host)); }
    void Command(int nID, int nCode) { page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)page.GetDlgItem(nID)); }
    void Select(int nIndex) { page.m_listConfigs.SetCurSel(nIndex); Command(IDC_CONFIG_LIST, LBN_SELCHANGE); }
    CString Caption() { return host.GetWindowText(); }
    void Restart()
    {
        page.DestroyWindow();
        Open();
    }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < page.m_listConfigs.GetCount(); i++)
        {
            CString strText;
            page.m_listConfigs.GetText(i, strText);
            entries.push_back(strText.str());
        }
        return entries;
    }
};

TEST_F(ConfigPageTest, FirstStartOkCreatesTheFirstConfigurationFromThePageDefaults)
{
    CNameDialogUser user({ { "Amiga 500", IDOK } });
    Open();

    ASSERT_EQ(1u, user.dialogs.size());
    EXPECT_EQ(std::vector<std::string>{ "Amiga 500" }, Entries());
    EXPECT_EQ(0, page.m_listConfigs.GetCurSel());
    EXPECT_EQ("1", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("Amiga 500", Entry(1));
    EXPECT_EQ("Amiga 500", Value("ConfigList", "CurrentConfigName"));
    EXPECT_EQ("-v default", Value("Amiga 500", "Video"));
    EXPECT_EQ("-G?", Value("Amiga 500", "DosCommandLine").Left(3));
    EXPECT_EQ("ZOT Brimlo - Amiga 500", host.GetWindowText());
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, FirstStartCancelLeavesNoConfigurationAndWritesNothing)
{
    CNameDialogUser user({ { "", IDCANCEL } });
    Open();
    EXPECT_EQ(1u, user.dialogs.size());
    EXPECT_EQ(0, page.m_listConfigs.GetCount());
    EXPECT_EQ("", Current());
    EXPECT_FALSE(FileExists(app.m_strProfile));
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, StartListsTheEntriesInOrderAndSelectsTheCurrentByPrefix)
{
    const struct { const char* current; int selected; } cases[] = {
        { "alpha", 1 }, { "AMIGA", 2 }, { "", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.current);
        WriteConfigs({ "Zeta", "alpha", "Amiga 1200", "amiga" }, c.current);
        Open();
        EXPECT_EQ((std::vector<std::string>{ "Zeta", "alpha", "Amiga 1200", "amiga" }), Entries());
        EXPECT_EQ(c.selected, page.m_listConfigs.GetCurSel());
        EXPECT_EQ(c.current, Current());
        EXPECT_EQ("4", app.m_mapOptions["NumberOfConfig"]);
        page.DestroyWindow();
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, DamagedCountNeitherHidesNorFloodsTheListAndIsMendedByTheNextWrite)
{
    for (const char* count : { "abc", "", "0", "-1", "1", "5" })
    {
        SCOPED_TRACE(count);
        WriteConfigs({ "A", "B", "C" }, "B");
        ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", count, app.m_strProfile);
        {
            CNameDialogUser nobody({});
            Open();
            EXPECT_TRUE(nobody.dialogs.empty());
        }
        EXPECT_EQ((std::vector<std::string>{ "A", "B", "C" }), Entries());
        EXPECT_EQ(1, page.m_listConfigs.GetCurSel());
        Command(IDC_CONFIG_SAVE, BN_CLICKED);
        EXPECT_EQ("3", Value("ConfigList", "NumberOfConfig"));
        {
            CNameDialogUser user({ { "D", IDOK } });
            Command(IDC_CONFIG_NEW, BN_CLICKED);
        }
        EXPECT_EQ("D", Entry(4));
        Restart();
        EXPECT_EQ((std::vector<std::string>{ "A", "B", "C", "D" }), Entries());
        Select(0);
        Command(IDC_CONFIG_DELETE, BN_CLICKED);
        EXPECT_EQ((std::vector<std::string>{ "B", "C", "D", "" }), (std::vector<std::string>{
            Entry(1).str(), Entry(2).str(), Entry(3).str(), Entry(4).str() }));
        EXPECT_EQ("<missing>", Entry(5));
        EXPECT_EQ("3", Value("ConfigList", "NumberOfConfig"));
        page.DestroyWindow();
        ::DeleteFileA(app.m_strProfile);
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, EmptyEntriesAndGapsAreLeftOutAndNumberedAnewOnSave)
{
    WriteConfigs({ "A", "B" }, "A");
    ::WritePrivateProfileStringA("ConfigList", "Config#2", "", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "Config#3", "B", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "Config#2001", "X", app.m_strProfile);
    ::WritePrivateProfileStringA("ConfigList", "NumberOfConfig", "2001", app.m_strProfile);
    Open();
    EXPECT_EQ((std::vector<std::string>{ "A", "B", "X" }), Entries());
    Command(IDC_CONFIG_SAVE, BN_CLICKED);
    EXPECT_EQ((std::vector<std::string>{ "A", "B", "X", "" }), (std::vector<std::string>{
        Entry(1).str(), Entry(2).str(), Entry(3).str(), Entry(2001).str() }));
    EXPECT_EQ("3", Value("ConfigList", "NumberOfConfig"));
    Restart();
    EXPECT_EQ((std::vector<std::string>{ "A", "B", "X" }), Entries());
}

TEST_F(ConfigPageTest, AListOfMoreThan2000NamesIsKeptWhole)
{
    std::string text = "[ConfigList]\r\nNumberOfConfig=2100\r\nCurrentConfigName=N1\r\n";
    for (int n = 1; n <= 2100; n++)
        text += "Config#" + std::to_string(n) + "=N" + std::to_string(n) + "\r\n";
    WriteWholeFile(app.m_strProfile, text + "[N1]\r\nVideo=-v N1\r\n");
    Open();
    ASSERT_EQ(2100, page.m_listConfigs.GetCount());
    // Filled without redrawing, the list still scrolls down to its last name.
    SCROLLINFO si = { sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0 };
    ASSERT_TRUE(::GetScrollInfo(page.m_listConfigs.m_hWnd, SB_VERT, &si));
    EXPECT_EQ(2099, si.nMax);
    Command(IDC_CONFIG_SAVE, BN_CLICKED);
    EXPECT_EQ("2100", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("N2100", Entry(2100));
}

TEST_F(ConfigPageTest, DeletingTheSecondOfThreeClosesTheGapAndLoadsTheFirst)
{
    WriteConfigs({ "A", "B", "C" }, "B");
    Open();
    app.LoadConfig();
    Select(1);
    Command(IDC_CONFIG_DELETE, BN_CLICKED);

    EXPECT_EQ((std::vector<std::string>{ "A", "C" }), Entries());
    EXPECT_EQ(0, page.m_listConfigs.GetCurSel());
    EXPECT_EQ("A", Entry(1));
    EXPECT_EQ("C", Entry(2));
    EXPECT_EQ("", Entry(3));
    EXPECT_EQ("2", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("A", Value("ConfigList", "CurrentConfigName"));
    EXPECT_EQ("A", Current());
    EXPECT_EQ("-v A", video->m_strShown);
    EXPECT_EQ("-v B", Value("B", "Video"));  // the section itself stays
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, TwoConfigurationsOfOneNameDeleteTheFirstNumberedEntry)
{
    WriteConfigs({ "Dup", "Mid" }, "Dup");
    Open();
    CNameDialogUser user({ { "Dup", IDOK } });
    prompts.answers = { IDYES };
    Command(IDC_CONFIG_NEW, BN_CLICKED);
    prompts.boxes.clear();
    EXPECT_EQ("Dup", Entry(3));
    EXPECT_EQ("3", Value("ConfigList", "NumberOfConfig"));

    Select(2);
    Command(IDC_CONFIG_DELETE, BN_CLICKED);
    EXPECT_EQ("Mid", Entry(1));
    EXPECT_EQ("Dup", Entry(2));
    EXPECT_EQ("", Entry(3));
    EXPECT_EQ("2", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ((std::vector<std::string>{ "Mid", "Dup" }), Entries());
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, LoadAsksToSaveOnlyWhenAPageChanged)
{
    const struct { const char* shown; int answer; bool doubleClick; bool asked; const char* savedA; bool readOnly; } cases[] = {
        { "-v A", IDYES, false, false, "-v A", false },
        { "-v edited", IDYES, false, true, "-v edited", false },
        { "-v edited", IDNO, true, true, "-v A", false },
        // A save that fails loads nothing over what the pages show.
        { "-v edited", IDYES, false, true, "-v A", true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.shown);
        SCOPED_TRACE(c.readOnly ? "read-only" : "writable");
        WriteConfigs({ "A", "B" }, "A");
        Open();
        app.LoadConfig();
        video->m_strShown = c.shown;
        prompts.boxes.clear();
        prompts.answers = { c.answer };
        if (c.readOnly)
        {
            prompts.answers.push_back(IDOK);
            ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_READONLY);
        }

        Select(1);
        EXPECT_EQ("A", Current());  // selecting alone loads nothing
        if (c.doubleClick)
            Command(IDC_CONFIG_LIST, LBN_DBLCLK);
        else
            Command(IDC_CONFIG_LOAD, BN_CLICKED);

        ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(c.asked ? (c.readOnly ? 2u : 1u) : 0u, prompts.boxes.size());
        if (c.asked)
        {
            EXPECT_EQ("Do you want to save the current config first?", prompts.boxes[0].text);
            EXPECT_EQ("Warning", prompts.boxes[0].caption);
            EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), prompts.boxes[0].type);
            EXPECT_EQ(page.m_hWnd, prompts.boxes[0].hWndOwner);
        }
        if (c.readOnly)
        {
            EXPECT_EQ("ERROR", prompts.boxes[1].caption);
        }
        EXPECT_EQ(c.savedA, Value("A", "Video"));
        EXPECT_EQ(c.readOnly ? "A" : "B", Current());
        EXPECT_EQ(c.readOnly ? "-v edited" : "-v B", video->m_strShown);
        EXPECT_EQ(c.readOnly, (bool)app.IsAnyPageModified());
        page.DestroyWindow();
    }
}

TEST_F(ConfigPageTest, NewWithTheNameOfAnExistingConfigurationAsksBeforeReplacingIt)
{
    const struct { const char* typed; int answer; } cases[] = {
        { "Amiga", IDNO }, { "AMIGA", IDNO }, { "amiga", IDYES },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.typed);
        WriteConfigs({ "Amiga", "B" }, "B");
        Open();
        app.LoadConfig();
        video->m_strShown = "-v shown";
        std::string before = ReadWholeFile(app.m_strProfile);
        prompts.boxes.clear();
        prompts.answers = { c.answer };
        {
            CNameDialogUser user({ { c.typed, IDOK } });
            Command(IDC_CONFIG_NEW, BN_CLICKED);
        }
        ASSERT_EQ(1u, prompts.boxes.size());
        EXPECT_NE(std::string::npos, prompts.boxes[0].text.find("\"Amiga\"")) << prompts.boxes[0].text;
        EXPECT_EQ("Warning", prompts.boxes[0].caption);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), prompts.boxes[0].type);
        EXPECT_EQ(page.m_hWnd, prompts.boxes[0].hWndOwner);
        if (c.answer == IDNO)
        {
            EXPECT_EQ(before, ReadWholeFile(app.m_strProfile));
            EXPECT_EQ((std::vector<std::string>{ "Amiga", "B" }), Entries());
            EXPECT_EQ("B", Current());
        }
        else
        {
            EXPECT_EQ((std::vector<std::string>{ "Amiga", "B", c.typed }), Entries());
            EXPECT_EQ("-v shown", Value("Amiga", "Video"));
            EXPECT_EQ(c.typed, Current());
        }
        page.DestroyWindow();
        ::DeleteFileA(app.m_strProfile);
    }
}

// Another program holds the profile open for reading and lets nobody write it.
class CWriteLockedFile
{
public:
    explicit CWriteLockedFile(LPCSTR pszPath)
        : m_hFile(::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    ~CWriteLockedFile() { ::CloseHandle(m_hFile); }
    CWriteLockedFile(const CWriteLockedFile&) = delete;
    CWriteLockedFile& operator=(const CWriteLockedFile&) = delete;

private:
    HANDLE m_hFile;
};

TEST_F(ConfigPageTest, AProfileThatCannotBeWrittenIsReportedAndNothingChanges)
{
    const struct { int button; const char* notDone; bool pageOwns; } cases[] = {
        { IDC_CONFIG_NEW, "\"C\" was not created.", true },
        { IDC_CONFIG_SAVE, "\"A\" was not saved.", false },
        { IDC_CONFIG_DELETE, "\"A\" was not deleted.", true },
    };
    // Another program holds it open, or the user made it read-only.
    for (bool bReadOnly : { false, true })
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.notDone);
            SCOPED_TRACE(bReadOnly ? "read-only" : "locked");
            WriteConfigs({ "A", "B" }, "A");
            Open();
            app.LoadConfig();
            video->m_strShown = "-v edited";
            std::string before = ReadWholeFile(app.m_strProfile);
            {
                std::unique_ptr<CWriteLockedFile> pLock(bReadOnly ? nullptr : new CWriteLockedFile(app.m_strProfile));
                if (bReadOnly)
                    ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_READONLY);
                CNameDialogUser user({ { "C", IDOK } });
                Command(c.button, BN_CLICKED);
            }
            ::SetFileAttributesA(app.m_strProfile, FILE_ATTRIBUTE_NORMAL);
            ASSERT_EQ(1u, prompts.boxes.size());
            const ShownBox& box = prompts.boxes[0];
            EXPECT_NE(std::string::npos, box.text.find(app.m_strProfile.str())) << box.text;
            EXPECT_NE(std::string::npos, box.text.find(c.notDone)) << box.text;
            EXPECT_EQ("ERROR", box.caption);
            EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), box.type);
            EXPECT_EQ(c.pageOwns ? page.m_hWnd : host.m_hWnd, box.hWndOwner);
            EXPECT_EQ(before, ReadWholeFile(app.m_strProfile));
            EXPECT_FALSE(FileExists(app.m_strProfile + CProfileUpdate::COPY_SUFFIX));
            EXPECT_EQ((std::vector<std::string>{ "A", "B" }), Entries());
            EXPECT_EQ(0, page.m_listConfigs.GetCurSel());
            EXPECT_EQ("A", Current());
            EXPECT_EQ("ZOT Brimlo - A", Caption());
            // What was not saved is still offered for saving.
            EXPECT_TRUE(app.IsAnyPageModified());
            page.DestroyWindow();
            prompts.boxes.clear();
            ::DeleteFileA(app.m_strProfile);
        }

    // A first start names no configuration, and says so once.
    app.m_mapOptions["CurrentConfigName"] = "";
    CWriteLockedFile lock(app.m_strProfile);
    CNameDialogUser user({ { "First", IDOK } });
    Open();
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_NE(std::string::npos, prompts.boxes[0].text.find("\"First\" was not created.")) << prompts.boxes[0].text;
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ("", Current());
}

// What the progress window showed at each step of an update
struct ProgressSeen
{
    bool bVisible;
    int nPos;
    int nUpper;
};
static std::vector<ProgressSeen> s_progressSeen;
static BOOL CALLBACK FindProgressWindow(HWND hWnd, LPARAM lParam)
{
    if (!::GetDlgItem(hWnd, IDC_WRITE_PROGRESS))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}
static void NoteProgress(int)
{
    HWND hWnd = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindProgressWindow, (LPARAM)&hWnd);
    HWND hBar = ::GetDlgItem(hWnd, IDC_WRITE_PROGRESS);
    s_progressSeen.push_back({ hWnd && ::IsWindowVisible(hWnd), (int)::SendMessageA(hBar, PBM_GETPOS, 0, 0),
                               (int)::SendMessageA(hBar, PBM_GETRANGE, FALSE, 0) });
}

// A section that holds a comment is written key by key, which keeps the
// comment where it stood; each call reads the whole file again, so a long
// renumbering shows its progress.
TEST_F(ConfigPageTest, DeleteInAHandCommentedListKeepsTheCommentAndShowsItsProgress)
{
    WriteConfigs({ "A", "B", "C", "D" }, "A");
    std::string text = ReadWholeFile(app.m_strProfile);
    text.insert(text.find("NumberOfConfig"), "; games first\r\n");
    WriteWholeFile(app.m_strProfile, text);
    Open();
    app.LoadConfig();
    HWND hFocus = ::GetFocus();
    CWriteProgressDlg::s_dwShowAfterMs = 0;
    CProfileUpdate::s_pfnStep = NoteProgress;
    Select(0);
    Command(IDC_CONFIG_DELETE, BN_CLICKED);
    CProfileUpdate::s_pfnStep = nullptr;
    CWriteProgressDlg::s_dwShowAfterMs = 1000;

    EXPECT_NE(std::string::npos, ReadWholeFile(app.m_strProfile).find("[ConfigList]\r\n; games first\r\n"));
    EXPECT_EQ((std::vector<std::string>{ "B", "C", "D", "" }), (std::vector<std::string>{
        Entry(1).str(), Entry(2).str(), Entry(3).str(), Entry(4).str() }));
    EXPECT_EQ("3", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("B", Value("ConfigList", "CurrentConfigName"));
    // Six keys change, one call each, besides the six steps of every update.
    ASSERT_EQ(12u, s_progressSeen.size());
    for (size_t i = 0; i < s_progressSeen.size(); i++)
    {
        SCOPED_TRACE(i);
        EXPECT_TRUE(s_progressSeen[i].bVisible);
        EXPECT_EQ((int)i + 1, s_progressSeen[i].nPos);
    }
    EXPECT_EQ(12, s_progressSeen.back().nUpper);
    HWND hLeft = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindProgressWindow, (LPARAM)&hLeft);
    EXPECT_FALSE(hLeft);
    EXPECT_EQ(hFocus, ::GetFocus());
}

// Ends this process at the chosen step of a profile update, as a user or a
// power cut might; step 0 only counts the steps.
static int s_nStopAtStep = 0;
static int s_nStepsSeen = 0;
static const int STOPPED = 77;
static void StopAtChosenStep(int nStep)
{
    s_nStepsSeen = nStep;
    if (nStep == s_nStopAtStep)
        ::TerminateProcess(::GetCurrentProcess(), STOPPED);
}

// The child process of a death test runs its test again from the start, up
// to its own death: it finds the parent's profile through the environment,
// which the parent clears again at its end.
class CProfileSharedWithChildren
{
public:
    explicit CProfileSharedWithChildren(CString& strProfile)
    {
        char szShared[MAX_PATH] = "";
        m_bChild = ::GetEnvironmentVariableA(VARIABLE, szShared, sizeof(szShared)) > 0;
        if (m_bChild)
            strProfile = szShared;
        else
            ::SetEnvironmentVariableA(VARIABLE, strProfile);
    }
    ~CProfileSharedWithChildren()
    {
        if (!m_bChild)
            ::SetEnvironmentVariableA(VARIABLE, nullptr);
    }
    CProfileSharedWithChildren(const CProfileSharedWithChildren&) = delete;
    CProfileSharedWithChildren& operator=(const CProfileSharedWithChildren&) = delete;

    BOOL IsChild() const { return m_bChild; }

private:
    static constexpr LPCSTR VARIABLE = "KOVANA_SHARED_PROFILE";
    BOOL m_bChild;
};

// Each operation is a test of its own: the child process of a death test runs
// its test again up to its own death, and a short way there keeps it quick.
struct EndedOperation
{
    const char* name;
    int button;
    int selected;  // the list entry it acts on
};

std::ostream& operator<<(std::ostream& os, const EndedOperation& operation)
{
    return os << operation.name;
}

class ConfigPageEndedTest : public ConfigPageTest, public ::testing::WithParamInterface<EndedOperation>
{
};

TEST_P(ConfigPageEndedTest, AProcessEndedAtAnyStepLeavesTheOldOrTheNewProfileWhole)
{
    const EndedOperation& c = GetParam();
    CProfileSharedWithChildren shared(app.m_strProfile);
    const CString strCopy = app.m_strProfile + CProfileUpdate::COPY_SUFFIX;
    WriteConfigs({ "A", "B", "X" }, "A");
    const std::string before = ReadWholeFile(app.m_strProfile);
    auto operate = [&] {
        Open();
        app.LoadConfig();
        Select(c.selected);
        video->m_strShown = "-v edited";
        CNameDialogUser user({ { "New one", IDOK } });
        Command(c.button, BN_CLICKED);
        page.DestroyWindow();
    };
    // Once to the end, counting the steps. A child goes on to its own step
    // without that.
    CProfileUpdate::s_pfnStep = StopAtChosenStep;
    s_nStopAtStep = 0;
    std::string after;
    int nSteps = INT_MAX;
    if (!shared.IsChild())
    {
        operate();
        after = ReadWholeFile(app.m_strProfile);
        nSteps = s_nStepsSeen;
        EXPECT_NE(before, after);
        EXPECT_FALSE(FileExists(strCopy));
    }
    for (int nStep = 1; nStep <= nSteps; nStep++)
    {
        WriteWholeFile(app.m_strProfile, before);
        // A copy that the last child left behind is in the way, read-only.
        ::SetFileAttributesA(strCopy, FILE_ATTRIBUTE_READONLY);
        int nStatus = -1;
        EXPECT_EXIT(
            {
                s_nStopAtStep = nStep;
                operate();
                ::ExitProcess(0);
            },
            [&](int nExitStatus) { nStatus = nExitStatus; return true; }, "");
        if (nStatus < 0)
            continue;  // a child on its way to its own step
        SCOPED_TRACE(nStep);
        EXPECT_EQ(STOPPED, nStatus);
        // The rename over the profile is the step before the last, which
        // only drops the platform's view of the copy.
        EXPECT_EQ(nStep < nSteps - 1 ? before : after, ReadWholeFile(app.m_strProfile));
    }
    CProfileUpdate::s_pfnStep = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Operations, ConfigPageEndedTest,
                         ::testing::Values(EndedOperation{ "New", IDC_CONFIG_NEW, 0 },
                                           EndedOperation{ "Save", IDC_CONFIG_SAVE, 0 },
                                           EndedOperation{ "Delete", IDC_CONFIG_DELETE, 1 }),
                         [](const ::testing::TestParamInfo<EndedOperation>& info) { return info.param.name; });

TEST_F(ConfigPageTest, AConfigurationThatFailedToLoadIsNeverOfferedForSaving)
{
    WriteConfigs({ "A", "B" }, "A");
    ::WritePrivateProfileStringA("B", "Video", nullptr, app.m_strProfile);
    ::WritePrivateProfileStringA("B", "FastMem", "-F 2", app.m_strProfile);
    Open();
    app.LoadConfig();
    Select(1);
    Command(IDC_CONFIG_LOAD, BN_CLICKED);
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ("The configuration does not exist.", prompts.boxes[0].text);
    EXPECT_EQ("B", Current());
    EXPECT_EQ("ZOT Brimlo", Caption());

    // The pages still show A, which differs from what B's read left in the map.
    std::string before = ReadWholeFile(app.m_strProfile);
    prompts.answers = { IDOK, IDYES };
    Select(0);
    Command(IDC_CONFIG_LOAD, BN_CLICKED);
    EXPECT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ(before, ReadWholeFile(app.m_strProfile));
    EXPECT_EQ("ZOT Brimlo - A", Caption());

    // Saving it on purpose makes it a configuration of its own.
    Select(1);
    Command(IDC_CONFIG_LOAD, BN_CLICKED);
    Command(IDC_CONFIG_SAVE, BN_CLICKED);
    EXPECT_EQ("-v A", Value("B", "Video"));
    EXPECT_EQ("-F 2", Value("B", "FastMem"));
    EXPECT_EQ("ZOT Brimlo - B", Caption());
}

TEST_F(ConfigPageTest, LoadAndDeleteWithNothingSelectedDoNothing)
{
    WriteConfigs({ "A", "B" }, "None of them");
    Open();
    ASSERT_EQ(LB_ERR, page.m_listConfigs.GetCurSel());
    std::string before = ReadWholeFile(app.m_strProfile);
    Command(IDC_CONFIG_LOAD, BN_CLICKED);
    Command(IDC_CONFIG_LIST, LBN_DBLCLK);
    Command(IDC_CONFIG_DELETE, BN_CLICKED);
    EXPECT_EQ(before, ReadWholeFile(app.m_strProfile));
    EXPECT_EQ(2, page.m_listConfigs.GetCount());
    EXPECT_EQ("None of them", Current());
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(ConfigPageTest, DeletingTheOnlyEntryLeavesNoCurrentConfiguration)
{
    WriteConfigs({ "Solo" }, "Solo");
    Open();
    app.LoadConfig();
    Select(0);
    Command(IDC_CONFIG_DELETE, BN_CLICKED);
    EXPECT_EQ(0, page.m_listConfigs.GetCount());
    EXPECT_EQ("", Current());
    EXPECT_EQ("", Entry(1));
    EXPECT_EQ("0", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("", Value("ConfigList", "CurrentConfigName"));
    EXPECT_TRUE(prompts.boxes.empty());

    // and numbering starts again at 1
    CNameDialogUser user({ { "Fresh", IDOK } });
    Command(IDC_CONFIG_NEW, BN_CLICKED);
    EXPECT_EQ("Fresh", Entry(1));
    EXPECT_EQ("1", Value("ConfigList", "NumberOfConfig"));
    EXPECT_EQ("Fresh", Current());
}

// What the profile functions themselves do with a name: it must come back
// from a value as written and address a section of its own.
static bool ProfileKeepsName(const std::string& name)
{
    CTempDir scratch;
    CString strIni = scratch.File("names.ini");
    ::WritePrivateProfileStringA("ConfigList", "Config#1", name.c_str(), strIni);
    ::WritePrivateProfileStringA(name.c_str(), "Video", "-v mine", strIni);
    char szBack[500] = "";
    ::GetPrivateProfileStringA("ConfigList", "Config#1", "", szBack, sizeof(szBack), strIni);
    char szSections[4096] = "";
    DWORD nLength = ::GetPrivateProfileSectionNamesA(szSections, sizeof(szSections), strIni);
    bool bListed = false;
    for (DWORD i = 0; i < nLength; i += lstrlenA(szSections + i) + 1)
        bListed = bListed || name == szSections + i;
    return name == szBack && bListed && ProfileValue(strIni, szBack, "Video") == "-v mine"
           && ProfileValue(strIni, "ConfigList", "Video") == "";
}

TEST(ConfigNameDlg, RefusesExactlyTheNamesTheProfileCannotKeep)
{
    const struct { std::string name; bool refused; } cases[] = {
        { "", true }, { " ", true }, { "\t\t", true }, { " Amiga", true }, { "Amiga ", true },
        { "\tAmiga", true }, { "Amiga\t", true }, { "Amiga\v", true }, { "\fAmiga", true }, { "Amiga\x1a", true },
        { "A\r\nB", true }, { "A\nB", true }, { "Amiga\r", true },
        { "ConfigList", true }, { "configlist", true }, { "CONFIGLIST", true },
        { "\"Amiga\"", true }, { "'Amiga'", true }, { "\"\"", true },
        { std::string(500, 'n'), true }, { std::string(650, 'n'), true },
        { "]", false }, { "Amiga]", false }, { "A]B", false }, { "[", false }, { "[x]", false },
        { "=", false }, { "a=b", false }, { ";", false }, { ";x", false }, { "#x", false },
        { "A B", false }, { "A\tB", false }, { "\"Amiga", false }, { "Amiga'", false }, { "\"A'", false },
        { "\"", false }, { "a\"b\"c", false }, { "caf\xe9", false }, { "\xa0x\xa0", false },
        { "ConfigList2", false }, { "Config List", false }, { std::string(499, 'n'), false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.name));
        EXPECT_EQ(c.refused, !CConfigNameDlg::CheckName(c.name.c_str()).IsEmpty());
        EXPECT_EQ(c.refused, !ProfileKeepsName(c.name));
    }
}

TEST_F(ConfigPageTest, NameDialogStaysOpenOnARefusedNameAndAcceptsTheCorrection)
{
    WriteConfigs({ "A" }, "A");
    Open();
    CNameDialogUser user({ { " Amiga", IDOK }, { "configlist", IDOK }, { "Amiga", IDOK } });
    Command(IDC_CONFIG_NEW, BN_CLICKED);

    ASSERT_EQ(3u, user.dialogs.size());
    EXPECT_EQ(" Amiga", user.seenTexts[1]);
    EXPECT_EQ("configlist", user.seenTexts[2]);
    ASSERT_EQ(2u, prompts.boxes.size());
    for (const ShownBox& box : prompts.boxes)
    {
        EXPECT_EQ("ERROR", box.caption);
        EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), box.type);
        EXPECT_EQ(user.dialogs[0], box.hWndOwner);
    }
    EXPECT_EQ("Amiga", Entry(2));
    EXPECT_EQ("<missing>", Value("ConfigList", "Video"));
}

TEST_F(ConfigPageTest, OddNamesComeBackAfterARestartAndLoad)
{
    const std::vector<std::string> names = { "A]B", "[x] = ;y", "\"Amiga", "caf\xe9", std::string(499, 'n') };
    WriteConfigs({ "A" }, "A");
    Open();
    for (size_t i = 0; i < names.size(); i++)
    {
        video->m_strShown.Format("-v %d", (int)i);
        CNameDialogUser user({ { names[i], IDOK } });
        Command(IDC_CONFIG_NEW, BN_CLICKED);
    }
    page.DestroyWindow();
    Open();
    std::vector<std::string> expected = { "A" };
    expected.insert(expected.end(), names.begin(), names.end());
    EXPECT_EQ(expected, Entries());
    for (size_t i = 0; i < names.size(); i++)
    {
        Select((int)i + 1);
        Command(IDC_CONFIG_LOAD, BN_CLICKED);
        CString strExpected;
        strExpected.Format("-v %d", (int)i);
        EXPECT_EQ(strExpected, video->m_strShown);
    }
    EXPECT_TRUE(prompts.boxes.empty());
}
