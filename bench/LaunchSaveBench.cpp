// Launch and Save over a profile of 500 configurations, in this process with
// the real application object and the real tab launcher window: from the click
// to the options file written, when the emulator would start (Launch), and to
// the section written (Save).
// Each floor does the same writes bare: the options file with the same file
// calls, the section with one profile call per key, in the order Save writes.
#include "BenchSupport.h"
#include "framework/File.h"
#include "harness/TestFiles.h"
#include "harness/WindowDriving.h"
#include "launchers/TabLauncherDlg.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>

static const int CONFIGS = 500;
static const int RUNS = 15;

// The profile calls that saving this configuration makes, in their order,
// with the values now in the profile
static std::vector<CProfileWrite> SaveWrites(LPCSTR pszProfile, const CString& strName)
{
    std::vector<char> buffer(1 << 16);
    DWORD nLength = ::GetPrivateProfileSectionA(strName, buffer.data(), (DWORD)buffer.size(), pszProfile);
    std::vector<CProfileWrite> writes;
    CProfileWrite dosLine;
    for (DWORD i = 0; i < nLength; i += (DWORD)strlen(buffer.data() + i) + 1)
    {
        CString strLine(buffer.data() + i);
        int nEquals = strLine.Find('=');
        CProfileWrite write = { strName, strLine.Left(nEquals), strLine.Mid(nEquals + 1) };
        if (write.strKey == "DosCommandLine")
            dosLine = write;
        else
            writes.push_back(write);
    }
    for (LPCSTR pszKey : { "CurrentConfigName", "NumberOfConfig" })
    {
        char szValue[500] = "";
        ::GetPrivateProfileStringA("ConfigList", pszKey, "", szValue, sizeof(szValue), pszProfile);
        writes.push_back({ "ConfigList", pszKey, szValue });
    }
    writes.push_back(dosLine);
    return writes;
}

static void WriteBare(const std::vector<CProfileWrite>& writes, LPCSTR pszProfile)
{
    for (const CProfileWrite& write : writes)
        ::WritePrivateProfileStringA(write.strSection, write.strKey, write.strValue, pszProfile);
}

static void WriteOptionsBare(LPCSTR pszPath, const CString& strContent)
{
    CStdioFile file;
    file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    file.WriteString(strContent);
    file.Close();
}

// Stands in for starting the emulator: the options file is written by then.
static double s_dEmulatorStarted = 0;
static UINT StartNoEmulator(LPCSTR, UINT)
{
    s_dEmulatorStarted = Now();
    return 33;
}

static void Report(LPCSTR pszLabel, const CTimes& times, const CTimes& floorTimes, BOOL bSame)
{
    printf("  %-34s %7.1f ms (best %7.1f)   floor %7.1f ms   ratio %.2f%s\n", pszLabel, times.Median() * 1000,
           times.Best() * 1000, floorTimes.Median() * 1000, times.Median() / floorTimes.Median(),
           bSame ? "" : "   THE FLOOR WROTE OTHER BYTES");
}

int main()
{
    // The figures go to a pipe when run from a script; show each at once.
    setvbuf(stdout, nullptr, _IONBF, 0);
    CLauncherApp app;
    CTempDir dir("kovana-launch-save-bench");
    std::string section = DefaultSection(app, dir.Path());
    // A Win32 build of the emulator, which is never started
    ::CreateDirectoryA(dir.File("zot"), nullptr);
    CString strEmulator = dir.File("zot\\zot.exe");
    if (!::CopyFileA(KOVANA_STANDIN_EXE, strEmulator, FALSE))
    {
        printf("the stand-in emulator could not be copied from %s\n", KOVANA_STANDIN_EXE);
        return 1;
    }
    CLauncherApp::s_pfnStartEmulator = StartNoEmulator;
    size_t nPath = section.find("EmulatorPath=");
    size_t nPathEnd = section.find("\r\n", nPath);
    section.replace(nPath, nPathEnd - nPath, "EmulatorPath=" + strEmulator.str());
    app.m_strProfile = dir.File("Kovana.ini");
    CString strFloorProfile = dir.File("Floor.ini");
    WriteOldProfile(app.m_strProfile, ProfileText(CONFIGS, section));

    CTabLauncherDlg launcher;
    app.m_pLauncher = &launcher;
    if (!launcher.Create(IDD_TAB_LAUNCHER))
    {
        printf("the tab launcher window could not be made\n");
        return 1;
    }
    launcher.ShowWindow(SW_SHOW);
    HWND hConfigPage = app.m_pPages[CLauncherApp::PAGE_CONFIG]->m_hWnd;
    HWND hDebugger = ::GetDlgItem(app.m_pPages[CLauncherApp::PAGE_MISC]->m_hWnd, IDC_MISC_DEBUGGER);

    // Launch
    CString strOptions = dir.File("zot\\.zotrc");
    CTimes launch, launchFloor;
    CString strContent;
    BOOL bSameOptions = TRUE;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        ::DeleteFileA(strOptions);
        double dStart = Now();
        s_dEmulatorStarted = 0;
        ClickButton(launcher.m_hWnd, IDOK);
        launch.Add((s_dEmulatorStarted ? s_dEmulatorStarted : Now()) - dStart);
        std::string written = ReadWholeFile(strOptions);
        // Written in text mode: each line break went out as CR LF.
        std::string lines;
        for (char ch : written)
            if (ch != '\r')
                lines += ch;
        strContent = lines.c_str();

        CString strFloorOptions = dir.File("floor.rc");
        dStart = Now();
        WriteOptionsBare(strFloorOptions, strContent);
        launchFloor.Add(Now() - dStart);
        bSameOptions = bSameOptions && !written.empty() && ReadWholeFile(strFloorOptions) == written;
    }

    // Save after one setting changed, and the first save of a new section
    // (as New makes it)
    CTimes saveOne, saveOneFloor, saveNew, saveNewFloor;
    BOOL bSameOne = TRUE, bSameNew = TRUE;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        for (int nCase = 0; nCase < 2; nCase++)
        {
            CTimes& times = nCase == 0 ? saveOne : saveNew;
            CTimes& floorTimes = nCase == 0 ? saveOneFloor : saveNewFloor;
            BOOL& bSame = nCase == 0 ? bSameOne : bSameNew;
            if (nCase == 0)
                ::SendMessageA(hDebugger, BM_SETCHECK, nRun % 2 ? BST_UNCHECKED : BST_CHECKED, 0);
            else
                app.m_mapOptions["CurrentConfigName"] = "New " + ConfigName(nRun);
            std::string before = ReadWholeFile(app.m_strProfile);
            WriteWholeFile(strFloorProfile, before);

            double dStart = Now();
            ClickButton(hConfigPage, IDC_CONFIG_SAVE);
            times.Add(Now() - dStart);

            std::vector<CProfileWrite> writes = SaveWrites(app.m_strProfile, app.m_mapOptions["CurrentConfigName"]);
            dStart = Now();
            WriteBare(writes, strFloorProfile);
            floorTimes.Add(Now() - dStart);
            std::string after = ReadWholeFile(app.m_strProfile);
            bSame = bSame && after != before && ReadWholeFile(strFloorProfile) == after;
        }
    }
    launcher.DestroyWindow();
    app.m_pLauncher = nullptr;

    printf("Over %d configurations (%u KB profile), median of %d clicks:\n", CONFIGS,
           (unsigned)(ReadWholeFile(app.m_strProfile).size() / 1024), RUNS);
    Report("Launch (options file written)", launch, launchFloor, bSameOptions);
    Report("Save, one setting changed", saveOne, saveOneFloor, bSameOne);
    Report("Save, a new section", saveNew, saveNewFloor, bSameNew);
    return 0;
}
