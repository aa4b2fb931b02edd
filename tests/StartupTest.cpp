#include "ModalSteps.h"
#include "TestSupport.h"

#include "app/MainDlg.h"
#include "launchers/ListLauncherDlg.h"
#include "launchers/ModernLauncherDlg.h"
#include "launchers/TabLauncherDlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const COLORREF UNSET = RGB(1, 2, 3);

TEST(Startup, ProfileLiesBesideTheExecutable)
{
    struct
    {
        LPCSTR pszExecutable;
        BOOL bFound;
        LPCSTR pszProfile;
    } cases[] = {
        { "C:\\Games\\Zot\\Kovana.exe", TRUE, "C:\\Games\\Zot\\Kovana.ini" },
        { "C:\\Kovana.exe", TRUE, "C:\\Kovana.ini" },
        { "Kovana.exe", FALSE, "unchanged" },
        { "", FALSE, "unchanged" },
    };
    for (const auto& c : cases)
    {
        CTestApp app("unchanged");
        EXPECT_EQ(c.bFound, app.FindProfile(c.pszExecutable)) << c.pszExecutable;
        EXPECT_EQ(CString(c.pszProfile), app.m_strProfile) << c.pszExecutable;
    }
}

TEST(Startup, ButtonFaceTextIsReadAtFixedPositions)
{
    struct
    {
        std::string text;
        int nLength;  // bytes the registry returned; -1 for the whole text
        COLORREF crColor;
    } cases[] = {
        { "192 192 192", -1, RGB(192, 192, 192) },
        { "0 0 0", -1, RGB(0, 0, 0) },
        { "255 255 255", -1, RGB(255, 255, 255) },
        { "12 3 100", -1, RGB(12, 100, 0) },
        { "245 245 245", -1, RGB(245, 245, 245) },
        { "300 256 -1", -1, RGB(44, 0, 255) },
        { "7", -1, RGB(7, 0, 0) },
        { "", -1, RGB(0, 0, 0) },
        { "abc def ghi", -1, RGB(0, 0, 0) },
        { "250 251 252", 8, RGB(250, 251, 0) },
        { std::string("100 200\0 99", 11), -1, RGB(100, 200, 0) },
    };
    for (const auto& c : cases)
    {
        int nLength = c.nLength < 0 ? (int)c.text.size() : c.nLength;
        EXPECT_EQ(c.crColor, CMainDlg::ParseColorText(c.text.data(), nLength)) << c.text;
    }
}

TEST(Startup, SchemeColourLiesFortyBytesBeforeTheEnd)
{
    BYTE data[100] = {};
    data[60] = 7;
    data[61] = 8;
    data[62] = 9;
    COLORREF crColor = UNSET;
    EXPECT_TRUE(CMainDlg::ParseSchemeColor(data, 100, crColor));
    EXPECT_EQ(RGB(7, 8, 9), crColor);

    data[0] = 4;
    data[1] = 5;
    data[2] = 6;
    EXPECT_TRUE(CMainDlg::ParseSchemeColor(data, 40, crColor));
    EXPECT_EQ(RGB(4, 5, 6), crColor);

    crColor = UNSET;
    EXPECT_FALSE(CMainDlg::ParseSchemeColor(data + 1, 39, crColor));
    EXPECT_FALSE(CMainDlg::ParseSchemeColor(data, 0, crColor));
    EXPECT_EQ(UNSET, crColor);
}

// A registry key of the test's own under HKEY_CURRENT_USER, removed at the end
class CTempRegistryKey
{
public:
    CTempRegistryKey()
    {
        static int s_nCounter = 0;
        m_strPath.Format("Software\\KovanaTest\\%lu-%d", ::GetCurrentProcessId(), ++s_nCounter);
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_strPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
    }
    ~CTempRegistryKey()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strPath);
    }
    CTempRegistryKey(const CTempRegistryKey&) = delete;
    CTempRegistryKey& operator=(const CTempRegistryKey&) = delete;

    HKEY Key() const { return m_hKey; }

    void SetValue(LPCSTR pszSubKey, LPCSTR pszName, DWORD nType, const void* pData, DWORD nSize)
    {
        HKEY hKey;
        ::RegCreateKeyExA(m_hKey, pszSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        ::RegSetValueExA(hKey, pszName, 0, nType, (const BYTE*)pData, nSize);
        ::RegCloseKey(hKey);
    }
    void SetText(LPCSTR pszSubKey, LPCSTR pszName, const std::string& text)
    {
        SetValue(pszSubKey, pszName, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
    }

private:
    CString m_strPath;
    HKEY m_hKey = nullptr;
};

TEST(Startup, ButtonFaceComesFromTheColoursElseFromTheScheme)
{
    enum { NONE, TEXT, LONG_TEXT };
    struct
    {
        int nColors;        // "Control Panel\Colors" "ButtonFace"
        LPCSTR pszCurrent;  // "Control Panel\Appearance" "Current", null for none
        DWORD nSchemeSize;  // size of the scheme "Classic", 0 for none
        BOOL bFound;
        COLORREF crColor;
    } cases[] = {
        { TEXT, "Classic", 60, TRUE, RGB(12, 100, 0) },
        { NONE, "Classic", 60, TRUE, RGB(20, 21, 22) },
        { NONE, "Classic", 40, TRUE, RGB(0, 1, 2) },
        { LONG_TEXT, "Classic", 60, TRUE, RGB(20, 21, 22) },
        { NONE, "Other", 60, FALSE, UNSET },
        { NONE, "Classic", 39, FALSE, UNSET },
        { NONE, nullptr, 60, FALSE, UNSET },
        { NONE, "Classic", 0, FALSE, UNSET },
    };
    int nCase = 0;
    for (const auto& c : cases)
    {
        nCase++;
        CTempRegistryKey root;
        if (c.nColors != NONE)
            root.SetText("Control Panel\\Colors", "ButtonFace", c.nColors == TEXT ? "12 3 100" : std::string(70, '9'));
        else
            root.SetText("Control Panel\\Colors", "ButtonText", "0 0 0");
        if (c.pszCurrent)
            root.SetText("Control Panel\\Appearance", "Current", c.pszCurrent);
        if (c.nSchemeSize)
        {
            BYTE scheme[100];
            for (DWORD i = 0; i < c.nSchemeSize; i++)
                scheme[i] = (BYTE)i;
            root.SetValue("Control Panel\\Appearance\\Schemes", "Classic", REG_BINARY, scheme, c.nSchemeSize);
        }
        COLORREF crColor = UNSET;
        EXPECT_EQ(c.bFound, CMainDlg::ReadButtonFaceColor(root.Key(), crColor)) << nCase;
        EXPECT_EQ(c.crColor, crColor) << nCase;
        // Without either source the system's button face, never black
        EXPECT_EQ(c.bFound ? c.crColor : ::GetSysColor(COLOR_BTNFACE), CMainDlg::ButtonFaceColor(root.Key())) << nCase;
    }
}

TEST(Startup, ButtonFaceOfTheDesktop)
{
    // What a new Wine prefix holds
    COLORREF crColor = UNSET;
    EXPECT_TRUE(CMainDlg::ReadButtonFaceColor(HKEY_CURRENT_USER, crColor));
    EXPECT_EQ(RGB(245, 245, 245), crColor);
}

// Runs the main dialog; each launcher window that opens is recorded and ended
// with the next of the results.
struct LauncherRun
{
    LPCSTR pszWindow;     // "tab", "list" or "modern"
    COLORREF crDialogBk;  // the dialogs' background while the window runs
    CString strStyle;  // m_strStyle while the window runs
    bool bMainDlgHidden;
};

std::vector<LauncherRun> RunMainDialog(CLauncherApp& app, CMainDlg& dlg, std::vector<int> results, INT_PTR& nMainResult)
{
    std::vector<LauncherRun> runs;
    std::vector<std::function<bool()>> steps;
    for (int nResult : results)
        steps.push_back([&app, &dlg, &runs, nResult] {
            CDialog* pLauncher = app.m_pLauncher;
            if (!pLauncher || !IsRunning(pLauncher->m_hWnd))
                return false;
            LPCSTR pszWindow = dynamic_cast<CTabLauncherDlg*>(pLauncher)      ? "tab"
                               : dynamic_cast<CListLauncherDlg*>(pLauncher)   ? "list"
                               : dynamic_cast<CModernLauncherDlg*>(pLauncher) ? "modern"
                                                                              : "other";
            runs.push_back({ pszWindow, app.GetDialogBkColor(), app.m_strStyle, !::IsWindowVisible(dlg.m_hWnd) });
            pLauncher->EndDialog(nResult);
            return true;
        });
    CModalSteps driver(steps);
    nMainResult = dlg.DoModal();
    return runs;
}

TEST(Startup, StyleComesFromTheCommandLineElseFromTheProfile)
{
    struct
    {
        LPCSTR pszCommandLine;
        LPCSTR pszProfileStyle;  // null for none in the profile
        LPCSTR pszStyle;         // m_strStyle while the launcher runs
        LPCSTR pszWindow;
    } cases[] = {
        { "2", "1", "", "list" },
        { " x ", "1", "", "modern" },
        { "3", "1", "", "modern" },
        { "1", "3", "", "tab" },
        { "", "x", "x", "modern" },
        { "", "2", "2", "list" },
        { "", nullptr, "1", "tab" },
    };
    for (const auto& c : cases)
    {
        CTempDir dir;
        CTestApp app(dir.File("Kovana.ini"));
        CPromptRecorder prompts;
        SaveDefaultConfiguration(app, "Work");
        if (c.pszProfileStyle)
            ::WritePrivateProfileStringA("ConfigList", "BrimloStyle", c.pszProfileStyle, app.m_strProfile);
        app.m_lpCmdLine = c.pszCommandLine;
        CMainDlg dlg;
        INT_PTR nMainResult = 0;
        std::vector<LauncherRun> runs = RunMainDialog(app, dlg, { 1 }, nMainResult);
        EXPECT_EQ(IDCANCEL, nMainResult);
        ASSERT_EQ(1u, runs.size()) << c.pszCommandLine;
        EXPECT_STREQ(c.pszWindow, runs[0].pszWindow) << c.pszCommandLine;
        if (strcmp(c.pszWindow, "modern") == 0)
        {
            EXPECT_EQ(RGB(255, 255, 255), runs[0].crDialogBk);
        }
        EXPECT_EQ(CString(c.pszStyle), runs[0].strStyle) << c.pszCommandLine;
        EXPECT_TRUE(runs[0].bMainDlgHidden);
        EXPECT_TRUE(app.m_pLauncher == nullptr);
        EXPECT_EQ(RGB(245, 245, 245), app.m_crButtonFace);
    }
}

TEST(Startup, AStyleChangeOpensTheWindowOfTheStoredStyle)
{
    CTempDir dir;
    CTestApp app(dir.File("Kovana.ini"));
    CPromptRecorder prompts;
    SaveDefaultConfiguration(app, "Work");
    ::WritePrivateProfileStringA("ConfigList", "BrimloStyle", "1", app.m_strProfile);
    app.m_lpCmdLine = "3";
    CMainDlg dlg;
    INT_PTR nMainResult = 0;
    std::vector<LauncherRun> runs = RunMainDialog(app, dlg, { 19, 19, 1 }, nMainResult);
    EXPECT_EQ(IDCANCEL, nMainResult);
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(CString(""), runs[0].strStyle);
    EXPECT_EQ(CString("1"), runs[1].strStyle);
    EXPECT_EQ(CString("1"), runs[2].strStyle);
    // The modern window runs on white; the next window gets the desktop's colour back.
    EXPECT_STREQ("modern", runs[0].pszWindow);
    EXPECT_EQ(RGB(255, 255, 255), runs[0].crDialogBk);
    EXPECT_STREQ("tab", runs[1].pszWindow);
    EXPECT_EQ(RGB(245, 245, 245), runs[1].crDialogBk);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(Startup, InitInstanceRunsTheMainDialogThenEnds)
{
    CTestApp app("");
    CPromptRecorder prompts;
    app.m_lpCmdLine = "2";
    bool bMainDialog = false;
    // No profile lies beside the tests: the first start asks for a name, and Cancel writes nothing.
    CModalSteps steps({ [&] {
                           HWND hName = ::FindWindowA(nullptr, "Configuration name");
                           if (!IsRunning(hName))
                               return false;
                           ClickButton(hName, IDCANCEL);
                           return true;
                       },
                        [&] {
        if (!app.m_pLauncher || !IsRunning(app.m_pLauncher->m_hWnd))
            return false;
        bMainDialog = dynamic_cast<CMainDlg*>(app.m_pMainWnd) != nullptr;
        ClickButton(app.m_pLauncher->m_hWnd, IDCANCEL);
        return true;
    } });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(steps.Done());
    EXPECT_TRUE(bMainDialog);
    char szExecutable[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szExecutable, sizeof(szExecutable));
    CString strExecutable(szExecutable);
    EXPECT_EQ(strExecutable.Left(strExecutable.ReverseFind('\\') + 1) + "Kovana.ini", app.m_strProfile);
    EXPECT_FALSE(FileExists(app.m_strProfile));
}

}  // namespace
