// Classes in this file:
//   CLauncherApp - the application: profile, option map, pages, load, save, launch
#pragma once

#include "framework/Dialog.h"
#include "framework/Map.h"
#include "pages/SettingsPage.h"

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
    // The launcher window now running. It ends with STYLE_CHANGED to ask for
    // the window of the newly stored style.
    CDialog* m_pLauncher = nullptr;
    enum { STYLE_CHANGED = 19 };

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
    // The profile functions on m_strProfile; every profile access goes through these
    CString ReadProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault, DWORD nBufferSize);
    UINT ReadProfileInt(LPCSTR pszSection, LPCSTR pszKey, INT nDefault);
    void WriteProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszValue);

// The whole configuration
    BOOL LoadConfig();
    BOOL SaveConfig();
    BOOL UpdateAllOptions();
    BOOL IsAnyPageModified();
    // Before the pages are left or loaded anew: when a page changed, asks
    // "Do you want to save the current config first?" and saves on Yes
    void OfferToSave(CWnd& owner);

// Emulator launch and detection
    // The folder that holds the path's last component, "" without a backslash.
    // A drive's root keeps its backslash: "C:" alone names the drive's current
    // folder, not its root.
    static CString FolderOf(const CString& strPath);
    void LaunchEmulator();
    // Starts the emulator on a command line; WinExec unless replaced
    typedef UINT (*EmulatorStarter)(LPCSTR pszCommandLine, UINT nCmdShow);
    static EmulatorStarter s_pfnStartEmulator;
    CString GetEmulatorType(CString strPath);
    CString GetShortPath(CString strPath, BOOL bShortName);
    CString GetDiskName(CString strPath);
};

// The running application object
CLauncherApp* GetLauncherApp();
