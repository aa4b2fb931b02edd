// The three launcher windows of the real program, each driven from outside
// through one user session: a setting changed, Launch, a style change on the
// Info page, Leave, with the save question answered each way.
#include "harness/DefaultProfile.h"
#include "Driver.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct WindowStyle
{
    LPCSTR pszStyle;    // on the command line and in the profile
    char chInfoEntry;   // the first letter of its entry on the Info page
    int nSelectorID;    // the control that picks the page
    LPCSTR pszSelectorClass;
    int nLaunchID;
    int nLeaveID;
};

const WindowStyle TAB = { "1", 'T', IDC_TAB_PAGES, "SysTabControl32", IDOK, IDCANCEL };
const WindowStyle LIST = { "2", 'L', IDC_LIST_PAGES, "SysListView32", IDOK, IDCANCEL };
const WindowStyle MODERN = { "3", 'M', IDC_MODERN_EMULATOR, "Button", IDC_MODERN_LAUNCH, IDC_MODERN_LEAVE };

CString SelectorClass(HWND hLauncher, const WindowStyle& style)
{
    char szClass[32] = "";
    ::GetClassNameA(::GetDlgItem(hLauncher, style.nSelectorID), szClass, sizeof(szClass));
    return CString(szClass);
}

enum LeaveWay { LEAVE_BUTTON, CLOSE_BOX, ESCAPE_KEY };

void Leave(HWND hLauncher, const WindowStyle& style, LeaveWay way)
{
    if (way == LEAVE_BUTTON)
        ClickButton(hLauncher, style.nLeaveID);
    else if (way == CLOSE_BOX)
        ::PostMessageA(hLauncher, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PressKey(hLauncher, VK_ESCAPE);
}

struct Session
{
    const WindowStyle* pStart;  // the window of the command line
    const WindowStyle* pNext;   // the window its Info page switches to
    LPCSTR pszStoredStyle;      // the profile's style, which the command line overrides
    int nAnswer;                // to both save questions; 0: nothing is changed, nothing asked
    LeaveWay way;
};

class LauncherWindows : public ::testing::TestWithParam<Session>
{
};

TEST_P(LauncherWindows, ChangeLaunchSwitchStyleAndLeave)
{
    const Session& session = GetParam();
    const WindowStyle& start = *session.pStart;
    const WindowStyle& next = *session.pNext;
    const bool bChange = session.nAnswer != 0;
    const bool bSave = session.nAnswer == IDYES;
    CProgramRun run;
    ASSERT_TRUE(WriteWholeFile(run.Profile(), DefaultProfile(session.pszStoredStyle, run.Emulator())));

    // The window of the command line opens alone; the hidden main dialog stays hidden.
    ASSERT_TRUE(run.Start(start.pszStyle));
    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Work");
    ASSERT_TRUE(hLauncher);
    EXPECT_EQ(CString(start.pszSelectorClass), SelectorClass(hLauncher, start));
    EXPECT_TRUE(IsCentredInWorkArea(hLauncher));
    EXPECT_EQ(std::vector<std::string>{ "ZOT Brimlo - Work" }, run.VisibleCaptions());

    // Launch hands the emulator exactly the options on the pages.
    std::string options = DefaultOptionsFile();
    if (bChange)
    {
        ASSERT_TRUE(ShowPage(hLauncher, CLauncherApp::PAGE_SOUND, IDC_SOUND_FREQUENCY));
        TypeText(FindControl(hLauncher, IDC_SOUND_FREQUENCY), "44100");
        options.replace(options.find("-R 22050"), 8, "-R 44100");
    }
    ClickButton(hLauncher, start.nLaunchID);
    CString receipt = run.File("zot-receipt.bin");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(receipt); }))
        << "options file " << (FileExists(run.File(".zotrc")) || FileExists(run.File("zot.rc")) ? "written" : "missing")
        << "; windows: " << ::testing::PrintToString(run.VisibleCaptions());
    EXPECT_EQ(options, ReadWholeFile(receipt));

    // A style change with an edit made after the launch asks first.
    if (bChange)
        TypeText(FindControl(hLauncher, IDC_SOUND_BUFFER), "4096");
    ASSERT_TRUE(ShowPage(hLauncher, CLauncherApp::PAGE_INFO, IDC_INFO_DOS_EMULATOR_PATH));
    HWND hStyles = ::GetDlgItem(PageOf(hLauncher, IDC_INFO_DOS_EMULATOR_PATH), IDC_INFO_STYLE);
    // The window of the command line, not the profile's
    EXPECT_EQ(start.pszStyle[0] - '1', (int)::SendMessageA(hStyles, CB_GETCURSEL, 0, 0));
    // The entry's letter on the closed list, then Enter to take it
    ::PostMessageA(hStyles, WM_CHAR, next.chInfoEntry, 1);
    PressKey(hStyles, VK_RETURN);
    if (bChange)
    {
        ASSERT_TRUE(AnswerMessageBox(run, "Warning", session.nAnswer));
    }
    HWND hNext = run.WaitForWindow("ZOT Brimlo - Work", false, 10000, hLauncher);
    ASSERT_TRUE(hNext);
    EXPECT_EQ(CString(next.pszSelectorClass), SelectorClass(hNext, next));
    EXPECT_TRUE(IsCentredInWorkArea(hNext));
    EXPECT_EQ(std::vector<std::string>{ "ZOT Brimlo - Work" }, run.VisibleCaptions());
    EXPECT_EQ(CString(next.pszStyle), run.StoredValue("ConfigList", "BrimloStyle"));
    // The new window shows what the profile holds now.
    LPCSTR pszFrequency = bSave ? "44100" : "22050";
    LPCSTR pszBuffer = bSave ? "4096" : "8192";
    EXPECT_EQ(CString(pszFrequency), WindowText(FindControl(hNext, IDC_SOUND_FREQUENCY)));
    EXPECT_EQ(CString(pszBuffer), WindowText(FindControl(hNext, IDC_SOUND_BUFFER)));
    EXPECT_EQ(CString("-R ") + pszFrequency, run.StoredValue("Work", "SoundFreq"));
    EXPECT_EQ(CString("-B ") + pszBuffer, run.StoredValue("Work", "SoundBuffer"));

    // Leave asks again when the new window holds an edit.
    if (bChange)
        TypeText(FindControl(hNext, IDC_SOUND_FREQUENCY), "11025");
    Leave(hNext, next, session.way);
    if (bChange)
    {
        ASSERT_TRUE(AnswerMessageBox(run, "Warning", session.nAnswer));
    }
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(0u, run.ExitCode());
    EXPECT_EQ(CString("-R ") + (bSave ? "11025" : pszFrequency), run.StoredValue("Work", "SoundFreq"));
    if (!bChange)
    {
        EXPECT_EQ(DefaultProfile(next.pszStyle, run.Emulator()), ReadWholeFile(run.Profile()));
    }
}

// Each window is left once each way, after the style change that opens it.
const Session SESSIONS[] = {
    { &TAB, &MODERN, "2", IDYES, ESCAPE_KEY },   { &LIST, &TAB, "3", IDYES, ESCAPE_KEY },
    { &MODERN, &LIST, "1", IDYES, ESCAPE_KEY },  { &TAB, &MODERN, "2", IDNO, CLOSE_BOX },
    { &LIST, &TAB, "3", IDNO, CLOSE_BOX },       { &MODERN, &LIST, "1", IDNO, CLOSE_BOX },
    { &TAB, &MODERN, "2", 0, LEAVE_BUTTON },     { &LIST, &TAB, "3", 0, LEAVE_BUTTON },
    { &MODERN, &LIST, "1", 0, LEAVE_BUTTON },
};

std::string SessionName(const Session& s)
{
    static LPCSTR const s_pszWindows[] = { "Tab", "List", "Modern" };
    static LPCSTR const s_pszWays[] = { "LeaveButton", "CloseBox", "Escape" };
    std::string name = s_pszWindows[s.pStart->pszStyle[0] - '1'];
    name += std::string("To") + s_pszWindows[s.pNext->pszStyle[0] - '1'];
    name += s.nAnswer == IDYES ? "Yes" : s.nAnswer == IDNO ? "No" : "Unchanged";
    return name + s_pszWays[s.way];
}

// Also the parameter's text in the test's name that CTest lists
void PrintTo(const Session& session, std::ostream* pStream)
{
    *pStream << SessionName(session);
}

INSTANTIATE_TEST_SUITE_P(EachWindow, LauncherWindows, ::testing::ValuesIn(SESSIONS),
                         [](const ::testing::TestParamInfo<Session>& info) { return SessionName(info.param); });

// A test that fails half-way must not leave the emulator behind, nor the
// program: the stand-in's window here stays open until the run ends.
TEST(ProgramRun, EndsWhatTheProgramStarted)
{
    HWND hEmulator = nullptr;
    {
        CProgramRun run;
        ASSERT_TRUE(WriteWholeFile(run.Profile(), DefaultProfile("1", run.Emulator())));
        ASSERT_TRUE(run.Start("", true));
        HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Work");
        ASSERT_TRUE(hLauncher);
        ClickButton(hLauncher, IDOK);
        hEmulator = run.WaitForWindow("Zot stand-in");
        ASSERT_TRUE(hEmulator);
    }
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(hEmulator); }));
}

}  // namespace
