// Helpers shared by the tests: a test application object with a profile of
// the test's choosing, answers for message boxes and file dialogs, and the
// fixture of every page test.
#pragma once

#include "app/LauncherApp.h"
#include "launchers/LauncherDlg.h"
#include "launchers/ModernLauncherDlg.h"
#include "pages/SettingsPage.h"
#include "harness/TestFiles.h"
#include "harness/WindowDriving.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Reads the profile the way the program does (the real profile function).
CString ProfileValue(LPCSTR pszProfile, LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault = "");

// Every message box the code under test would have shown, answered in turn.
struct ShownBox
{
    HWND hWndOwner;
    std::string text;
    std::string caption;
    UINT type;
};

class CPromptRecorder
{
public:
    CPromptRecorder();   // installs itself as the responder
    ~CPromptRecorder();  // and removes itself
    CPromptRecorder(const CPromptRecorder&) = delete;
    CPromptRecorder& operator=(const CPromptRecorder&) = delete;
    // TRUE while one answers in place of the real boxes and dialogs
    static BOOL IsInstalled();

    std::vector<ShownBox> boxes;
    std::vector<int> answers;        // given in order; IDNO/IDCANCEL when they run out
    std::vector<std::string> files;  // paths chosen in file dialogs, in order; Cancel when they run out
    // What each file dialog was opened with
    struct FileDialog
    {
        BOOL bOpen;
        HWND hWndOwner;
        std::string title;       // "" for the dialog's own title
        std::string filter;      // with "|" for each NUL between its strings
        std::string fileName;    // the name proposed in the name box
        std::string defExt;
        std::string initialDir;
        DWORD flags;
    };
    std::vector<FileDialog> fileDialogs;
    std::vector<std::string> folders;  // chosen in folder pickers, in order; Cancel when they run out
    // What each folder picker was opened with
    struct FolderDialog
    {
        HWND hWndOwner;
        std::string initialFolder;
    };
    std::vector<FolderDialog> folderDialogs;

private:
    static int OnMessageBox(HWND hWndOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType);
    static BOOL OnFileDialog(BOOL bOpen, OPENFILENAMEA& ofn);
    static BOOL OnFolderDialog(HWND hWndOwner, LPCSTR pszInitialFolder, CString& strFolder);
};

// The current directory of this process
CString CurrentDirectory();

// Puts the current directory back, as it was when this was made, when it goes
class CCurrentDirectoryKeeper
{
public:
    CCurrentDirectoryKeeper() : m_strDirectory(CurrentDirectory()) {}
    ~CCurrentDirectoryKeeper() { ::SetCurrentDirectoryA(m_strDirectory); }
    CCurrentDirectoryKeeper(const CCurrentDirectoryKeeper&) = delete;
    CCurrentDirectoryKeeper& operator=(const CCurrentDirectoryKeeper&) = delete;

private:
    CString m_strDirectory;
};

// Every start of the emulator, recorded by its command line instead of run,
// for as long as this lives; then the real start is back, and the current
// directory, which a launch moves to the emulator's folder.
class CLaunchRecorder
{
public:
    CLaunchRecorder();   // installs itself as the emulator's starter
    ~CLaunchRecorder();  // and puts back the one it replaced
    CLaunchRecorder(const CLaunchRecorder&) = delete;
    CLaunchRecorder& operator=(const CLaunchRecorder&) = delete;

    std::vector<std::string> commandLines;
    // What each start returns: above 31 for a start, else a system error code
    UINT nResult = 33;

private:
    static UINT OnStart(LPCSTR pszCommandLine, UINT nCmdShow);
    CCurrentDirectoryKeeper m_directory;
    CLauncherApp::EmulatorStarter m_pfnReplaced;
};

// A page with only a template id, a name and the base behaviour: it stands in
// for a real page where a test needs a page that keeps out of the way.
class CPlainPage : public CSettingsPage
{
public:
    CPlainPage(UINT nIDTemplate, LPCSTR pszName) : CSettingsPage(nIDTemplate), m_strName(pszName) {}

    UINT GetTemplateID() override { return m_nIDTemplate; }
    CString GetPageName() override { return m_strName; }

private:
    CString m_strName;
};

// A page that always reports a change, put in place of one of the
// application's pages for as long as it lives
class CChangedPage : public CPlainPage
{
public:
    CChangedPage(CLauncherApp& app, int nPage);
    ~CChangedPage() override;
    CChangedPage(const CChangedPage&) = delete;
    CChangedPage& operator=(const CChangedPage&) = delete;

    BOOL IsModified() override { return TRUE; }

private:
    CLauncherApp& m_app;
    int m_nPage;
    CSettingsPage* m_pOriginal;
};

// The pages' names, in page order
extern const char* const PAGE_NAMES[CLauncherApp::PAGE_COUNT];

// An application object whose profile lies in a temporary folder.
class CTestApp : public CLauncherApp
{
public:
    explicit CTestApp(LPCSTR pszProfile) { m_strProfile = pszProfile; }
};

// A top-level window to parent page windows, destroyed at the end.
class CTestHost : public CWnd
{
public:
    CTestHost();
    ~CTestHost() override;
};

// Creates every page window as a child of the host, in page order, as a
// launcher window does; FALSE when one cannot be created.
BOOL CreatePageWindows(CLauncherApp& app, CWnd& host);

// A profile that lists one configuration of that name, saved from the pages'
// defaults as New saves it on a first start: a section that the pages load
// without reporting a change. The name becomes the current configuration.
void SaveDefaultConfiguration(CLauncherApp& app, LPCSTR pszName);

// Runs the messages that are waiting for this thread's windows.
void PumpMessages();

// A message (a key) on the control with the focus, as a modal loop hands it to
// the dialog manager, and what it posts in turn
void PressInDialog(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// A launcher window of the style (CLauncherApp::STYLE_TAB, STYLE_LIST or
// STYLE_MODERN), not created yet
std::unique_ptr<CLauncherDlg> NewLauncherDlg(int nStyle);

// The one page whose window a launcher window shows; -1 when none or several are
int ShownPage(CLauncherApp& app);

// A page of a test application, with every page window created in a host
// window as a launcher window creates them, over a profile in a temporary
// folder that lists one configuration saved from the pages' defaults. The
// helpers act on the page as a user would and read what it shows.
class CPageFixture : public ::testing::Test
{
protected:
    CPageFixture(int nPage, LPCSTR pszSection) : m_nPage(nPage), m_strSection(pszSection) {}
    void SetUp() override;

    CTempDir dir;
    CTestApp app{ dir.File("Kovana.ini") };
    CTestHost host;

    CSettingsPage& Page() const { return *app.m_pPages[m_nPage]; }
    const CString& Section() const { return m_strSection; }

    // The option map's value, looked up without entering a missing key
    CString Option(LPCSTR pszKey) const;
    // Writes a key of the configuration's section; a null value removes it
    void Store(LPCSTR pszKey, LPCSTR pszValue) const;
    // A key of the configuration's section as the program reads it
    CString Stored(LPCSTR pszKey) const { return ProfileValue(app.m_strProfile, m_strSection, pszKey); }
    // Loads the configuration as a launcher window does
    void Load() { ASSERT_TRUE(app.LoadConfig()); }
    // The page's option line, collected with the separator
    CString Appended(LPCSTR pszSeparator = "\n") const;

    HWND Control(int nID) const { return ::GetDlgItem(Page().m_hWnd, nID); }
    CString Text(int nID) const { return AfxGetWindowText(Control(nID)); }
    // Types into an edit or an editable list and moves the focus on
    void TypeAndLeave(int nID, LPCSTR pszText) const;
    void Click(int nID) const { ClickButton(Page().m_hWnd, nID); }
    // Picks a list entry and tells the page, as the list does for a user
    void Choose(int nID, int nIndex) const;
    int Selection(int nID) const { return (int)::SendMessageA(Control(nID), CB_GETCURSEL, 0, 0); }
    CString SelectedText(int nID) const;
    BOOL IsChecked(int nID) const { return ::SendMessageA(Control(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int SliderPos(int nID) const { return (int)::SendMessageA(Control(nID), TBM_GETPOS, 0, 0); }
    // Moves a slider with a key, pressed and released, as a user would
    void PressSliderKey(int nID, UINT vk) const;

private:
    int m_nPage;
    CString m_strSection;
};

// The fixture with the page as its own class
template <class TPage, int nPage>
class CPageTest : public CPageFixture
{
protected:
    explicit CPageTest(LPCSTR pszSection = "Test") : CPageFixture(nPage, pszSection) {}
    TPage& page = static_cast<TPage&>(*app.m_pPages[nPage]);
};

// A launcher window of a test application over a profile that lists the
// configuration "Work", saved from the pages' defaults
template <class TDlg>
class CLauncherTest : public ::testing::Test
{
protected:
    CLauncherTest() { SaveDefaultConfiguration(m_app, "Work"); }
    ~CLauncherTest() override
    {
        if (m_dlg.m_hWnd)
            m_dlg.DestroyWindow();
    }

    // Opens the window without a modal loop of its own
    void Open(UINT nIDTemplate)
    {
        m_app.m_pLauncher = &m_dlg;
        ASSERT_TRUE(m_dlg.Create(nIDTemplate, nullptr));
    }
    int ShownPage() { return ::ShownPage(m_app); }

    CTempDir m_dir;
    CTestApp m_app{ m_dir.File("Kovana.ini") };
    CPromptRecorder m_prompts;
    TDlg m_dlg;
};

// The pixels that a drawing paints on a 32-bit surface cx by cy
struct CPixels
{
    int cx = 0, cy = 0;
    std::vector<DWORD> bits;
    COLORREF At(int x, int y) const { return bits[y * cx + x] & 0xFFFFFF; }
    bool operator==(const CPixels& o) const { return cx == o.cx && cy == o.cy && bits == o.bits; }
};
CPixels Render(int cx, int cy, const std::function<void(HDC)>& draw);
// A bitmap resource as the resources hold it
CPixels Picture(LPCSTR pszName);
// Whether a drawn picture button shows the picture whole in its middle: every
// pixel of the picture above the band that it leaves for the button's name
// (from 58 of 76 rows down), inside its blank margin (2 of 74 columns)
bool ShowsPicture(const CPixels& drawn, const CPixels& picture);
// The pictures' names of the modern window's buttons, page buttons first
extern const char* const BUTTON_PICTURES[CModernLauncherDlg::BUTTON_COUNT];
// The picture of button k in a state ('U' up, 'F' focused) at a scale in per cent
CPixels ButtonPicture(int k, char chState, int nScale);
