#include "LauncherApp.h"

#include "ConfigPage.h"
#include "drives/FloppyPage.h"
#include "drives/HardDiskPage.h"
#include "framework/Prompt.h"
#include "pages/EmulatorPage.h"
#include "pages/InfoPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "pages/KickstartPage.h"
#include "pages/MemoryPage.h"
#include "pages/MiscPage.h"
#include "pages/SoundPage.h"
#include "pages/VideoPage.h"
#include "res/resource.h"

// Section names the profile functions cannot address as typed: they would land
// outside every section or in another one. Nothing is written to them.
static BOOL IsWritableSection(LPCSTR pszSection)
{
    return pszSection && *pszSection;
}

CLauncherApp::CLauncherApp()
{
    m_pPages[PAGE_EMULATOR] = new CEmulatorPage;
    m_pPages[PAGE_KICKSTART] = new CKickstartPage;
    m_pPages[PAGE_VIDEO] = new CVideoPage;
    m_pPages[PAGE_MEMORY] = new CMemoryPage;
    m_pPages[PAGE_HARDDISK] = new CHardDiskPage;
    m_pPages[PAGE_FLOPPY] = new CFloppyPage;
    m_pPages[PAGE_JOYSTICK] = new CJoystickPage;
    m_pPages[PAGE_SOUND] = new CSoundPage;
    m_pPages[PAGE_KEYBOARD] = new CKeyboardPage;
    m_pPages[PAGE_MISC] = new CMiscPage;
    m_pPages[PAGE_CONFIG] = new CConfigPage;
    m_pPages[PAGE_INFO] = new CInfoPage;
}

CLauncherApp::~CLauncherApp()
{
    for (CSettingsPage* pPage : m_pPages)
        delete pPage;
}

BOOL CLauncherApp::FindProfile()
{
    char szPath[500] = "";
    ::GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    return FindProfile(szPath);
}

BOOL CLauncherApp::FindProfile(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    if (nSlash < 0)
        return FALSE;
    m_strProfile = strPath.Left(nSlash + 1) + "Kovana.ini";
    return TRUE;
}

CString CLauncherApp::ReadProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault, DWORD nBufferSize)
{
    CString strValue;
    DWORD nLength = ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, strValue.GetBuffer(nBufferSize),
                                               nBufferSize, m_strProfile);
    strValue.ReleaseBuffer(nLength < nBufferSize ? nLength : 0);
    return strValue;
}

UINT CLauncherApp::ReadProfileInt(LPCSTR pszSection, LPCSTR pszKey, INT nDefault)
{
    return ::GetPrivateProfileIntA(pszSection, pszKey, nDefault, m_strProfile);
}

void CLauncherApp::WriteProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszValue)
{
    if (!IsWritableSection(pszSection))
        return;
    // A line break would split the line and could start a section of its own,
    // and the profile functions fail on values of 32,767 characters or more.
    CString strValue(pszValue);
    strValue.Replace('\r', ' ');
    strValue.Replace('\n', ' ');
    const int nMaxValue = 32000;
    if (strValue.GetLength() > nMaxValue)
        strValue = strValue.Left(nMaxValue);
    ::WritePrivateProfileStringA(pszSection, pszKey, strValue, m_strProfile);
}

CString CLauncherApp::ReadConfigValue(LPCSTR pszKey)
{
    CString strValue = ReadProfileString(m_mapOptions["CurrentConfigName"], pszKey, "", 500);
    m_mapOptions[pszKey] = strValue;
    return strValue;
}

void CLauncherApp::WriteConfigValue(LPCSTR pszKey)
{
    WriteSectionValue(m_mapOptions["CurrentConfigName"], pszKey);
}

void CLauncherApp::WriteSectionValue(LPCSTR pszSection, LPCSTR pszKey)
{
    // Copy the section name first: the look-up below may grow the map.
    CString strSection(pszSection);
    CString strValue = m_mapOptions[pszKey];
    WriteProfileString(strSection, pszKey, strValue);
}

BOOL CLauncherApp::LoadConfig()
{
    CString strName = m_mapOptions["CurrentConfigName"];
    if (strName.IsEmpty())
        return FALSE;
    if (ReadConfigValue("Video").IsEmpty())
    {
        CPrompt::MessageBox(nullptr, "The configuration does not exist.", "ERROR", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    for (CSettingsPage* pPage : m_pPages)
        pPage->LoadFromProfile();
    if (m_pLauncher && m_pLauncher->m_hWnd)
        m_pLauncher->SetWindowText("ZOT Brimlo - " + strName);
    return TRUE;
}

BOOL CLauncherApp::SaveConfig()
{
    UpdateAllOptions();
    // Without a current configuration there is no section to save into.
    if (m_mapOptions["CurrentConfigName"].IsEmpty())
        return TRUE;
    CString strLine;
    CString strEmulatorType = m_mapOptions["EmulatorType"];
    m_mapOptions["EmulatorType"] = "DOS";
    for (CSettingsPage* pPage : m_pPages)
    {
        pPage->SaveToProfile();
        pPage->AppendOptions(strLine, "?");
    }
    m_mapOptions["EmulatorType"] = strEmulatorType;
    WriteProfileString(m_mapOptions["CurrentConfigName"], "DosCommandLine", "-G?" + strLine);
    return TRUE;
}

BOOL CLauncherApp::UpdateAllOptions()
{
    for (CSettingsPage* pPage : m_pPages)
        pPage->UpdateOptions();
    return TRUE;
}

BOOL CLauncherApp::IsAnyPageModified()
{
    for (CSettingsPage* pPage : m_pPages)
        if (pPage->IsModified())
            return TRUE;
    return FALSE;
}

void CLauncherApp::OfferToSave(CWnd& owner)
{
    if (IsAnyPageModified()
        && owner.MessageBox("Do you want to save the current config first?", "Warning", MB_YESNO | MB_ICONQUESTION)
               == IDYES)
        SaveConfig();
}

CLauncherApp* GetLauncherApp()
{
    return dynamic_cast<CLauncherApp*>(AfxGetApp());
}
