// Classes in this file:
//   CLauncherApp - the application: profile, option map, pages, load, save, launch
#pragma once

#include "ProfileLock.h"
#include "ProfileSection.h"
#include "ProfileUpdate.h"
#include "framework/Dialog.h"
#include "framework/Map.h"

#include <vector>

class CProfileTransaction;
class CSettingsPage;

class CLauncherApp : public CWinApp
{
public:
    enum { PAGE_COUNT = 12 };
    // Page indexes, in the fixed order of every loop over pages
    enum
    {
        PAGE_EMULATOR, PAGE_KICKSTART, PAGE_VIDEO, PAGE_MEMORY, PAGE_HARDDISK, PAGE_FLOPPY,
        PAGE_JOYSTICK, PAGE_SOUND, PAGE_KEYBOARD, PAGE_MISC, PAGE_CONFIG, PAGE_INFO
    };

    CLauncherApp();
    ~CLauncherApp() override;
    CLauncherApp(const CLauncherApp&) = delete;
    CLauncherApp& operator=(const CLauncherApp&) = delete;

    COLORREF m_crButtonFace = 0;
    CSettingsPage* m_pPages[PAGE_COUNT];
    CMapStringToString m_mapOptions;
    CString m_strProfile;
    CString m_strStyle;
    // The launcher windows' caption, which names the current configuration
    // after a dash, and the heading of a catalog report
    static constexpr LPCSTR PROGRAM_TITLE = "ZOT Brimlo";

    // The launcher window now running. It ends with STYLE_CHANGED to ask for
    // the window of the newly stored style.
    CDialog* m_pLauncher = nullptr;
    enum { STYLE_CHANGED = 19 };
    // The launcher styles, as stored and as the Info page lists them
    enum { STYLE_TAB = 1, STYLE_LIST, STYLE_MODERN };
    // The style of the launcher window opened last; 0 before the first. A
    // style given on the command line opens a window that m_strStyle, read
    // from the profile, does not name.
    int m_nLauncherStyle = 0;
    // TRUE while the pages hold the current configuration as the profile
    // stores it: loaded from it, or saved into it
    BOOL m_bConfigLoaded = FALSE;

    BOOL InitInstance() override;

// Profile store
    // Sets m_strProfile to "Kovana.ini" beside the executable; FALSE when the
    // executable's path holds no backslash
    BOOL FindProfile();
    // The same for an executable's path as given
    BOOL FindProfile(const CString& strPath);
    CString ReadConfigValue(LPCSTR pszKey);
    void WriteConfigValue(LPCSTR pszKey);
    void WriteSectionValue(LPCSTR pszSection, LPCSTR pszKey);
    // The buffer of every value read from the profile: a longer value reads
    // back cut to PROFILE_VALUE_MAX characters.
    enum { PROFILE_BUFFER_SIZE = 500, PROFILE_VALUE_MAX = PROFILE_BUFFER_SIZE - 1 };
    // The profile functions on m_strProfile; every profile access goes through
    // these. A read inside a transaction sees the profile as it was before it.
    CString ReadProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault, DWORD nBufferSize);
    UINT ReadProfileInt(LPCSTR pszSection, LPCSTR pszKey, INT nDefault);
    CProfileSection ReadProfileSection(LPCSTR pszSection);
    // A key read with default "" from a section read before, as
    // ReadProfileString would read it
    CString ReadProfileString(const CProfileSection& section, LPCSTR pszSection, LPCSTR pszKey, DWORD nBufferSize);
    // Inside a transaction the write waits for its commit. Otherwise it is a
    // transaction of its own: FALSE when the profile could not be written.
    BOOL WriteProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszValue);
    // The writes as one transaction, as if made one by one in their order
    BOOL WriteProfileStrings(const std::vector<CProfileWrite>& writes);
    // Tells the user that the profile could not be written and what was
    // therefore not done
    void ReportWriteFailure(HWND hWndOwner, const CString& strNotDone);

// The whole configuration
    // FALSE when the configuration could not be loaded; the pages then keep
    // what they show
    BOOL LoadConfig();
    // FALSE, after telling the user, when the profile could not be written
    BOOL SaveConfig();
    BOOL IsAnyPageModified();
    // Before the pages are left or loaded anew: when a page changed, asks
    // "Do you want to save the current config first?" and saves on Yes.
    // FALSE when the save failed: the pages are then to stay as they are.
    BOOL OfferToSave(CWnd& owner);
    // The launcher window's caption names the current configuration when the
    // pages show it, and none otherwise.
    void ShowConfigName();

// Emulator launch and detection
    // The folder that holds the path's last component, "" without a backslash.
    // A drive's root keeps its backslash: "C:" alone names the drive's current
    // folder, not its root.
    static CString FolderOf(const CString& strPath);
    // Writes the options file and starts the emulator, or tells the user what
    // kept it from starting. Saves nothing.
    void LaunchEmulator();
    // Starts the emulator on a command line; WinExec unless replaced
    typedef UINT (*EmulatorStarter)(LPCSTR pszCommandLine, UINT nCmdShow);
    static EmulatorStarter s_pfnStartEmulator;
    CString GetEmulatorType(CString strPath);
    CString GetShortPath(CString strPath, BOOL bShortName);
    CString GetDiskName(CString strPath);

    // What a look-up in a file shows when the file cannot be opened, and when
    // it holds none of the texts looked for; the Kickstart page and the
    // catalog show the same
    static constexpr LPCSTR TEXT_NOT_FOUND = "Not found";
    static constexpr LPCSTR TEXT_UNKNOWN = "Unknown";
    // GetEmulatorType's answer for the DOS build; every other text it finds is
    // the version of a Win32 build
    static constexpr LPCSTR TEXT_DOS_BUILD = "Dos ZOT";
    // The option map's "EmulatorType": the build the options are meant for
    static constexpr LPCSTR TYPE_WIN32 = "WIN32";
    static constexpr LPCSTR TYPE_DOS = "DOS";

private:
    friend class CProfileTransaction;

    // Every page stores its fragments in the option map.
    BOOL UpdateAllOptions();
    // The options file written from the option map, then the emulator
    // started; what failed, for the user, or "" when it started
    CString WriteOptionsAndStart();

    // The outermost transaction that is open, and whether its update runs
    CProfileTransaction* m_pTransaction = nullptr;
    BOOL m_bUpdating = FALSE;
    // Held from start-up to the end: no other copy works on the profile meanwhile
    CProfileLock m_profileLock;
    // While LoadConfig runs, the section being loaded, read once
    const CProfileSection* m_pLoadingSection = nullptr;
};

// Makes the profile writes of one operation a single update of the whole
// profile (CProfileUpdate): the writes made while it lives wait, and its
// commit puts them in place together, so that a process ending at any moment
// leaves the profile before the operation or after it. A transaction begun
// while another is open joins it, and the outermost one writes.
class CProfileTransaction
{
public:
    explicit CProfileTransaction(CLauncherApp& app);
    // Without a commit, nothing of it is written.
    ~CProfileTransaction();
    CProfileTransaction(const CProfileTransaction&) = delete;
    CProfileTransaction& operator=(const CProfileTransaction&) = delete;

    // TRUE when the profile holds every write. One that joined another
    // leaves that to the outermost and says TRUE.
    BOOL Commit();

private:
    friend class CLauncherApp;

    CLauncherApp& m_app;
    BOOL m_bOutermost;
    // The writes waiting for the commit, and the sections read meanwhile:
    // until the commit the profile stays as it was.
    std::vector<CProfileWrite> m_writes;
    CProfileSections m_read;
};

// The running application object
CLauncherApp* GetLauncherApp();
