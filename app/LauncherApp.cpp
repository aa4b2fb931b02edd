#include "LauncherApp.h"

#include "ConfigPage.h"
#include "WriteProgressDlg.h"
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

CProfileSection CLauncherApp::ReadProfileSection(LPCSTR pszSection)
{
    if (m_pTransaction)
        return m_pTransaction->m_read.Read(m_strProfile, pszSection);
    CProfileSection section;
    section.Read(m_strProfile, pszSection);
    return section;
}

CString CLauncherApp::ReadProfileString(const CProfileSection& section, LPCSTR pszSection, LPCSTR pszKey,
                                        DWORD nBufferSize)
{
    CString strValue;
    // A section name with blanks at its ends is looked up differently by the
    // two kinds of read.
    if (!IsPlainSectionName(pszSection) || !section.Lookup(pszKey, nBufferSize, strValue))
        strValue = ReadProfileString(pszSection, pszKey, "", nBufferSize);
    return strValue;
}

// A line break would split the line and could start a section of its own,
// and the profile functions fail on values of 32,767 characters or more.
static CString StorableValue(LPCSTR pszValue)
{
    CString strValue(pszValue);
    strValue.Replace('\r', ' ');
    strValue.Replace('\n', ' ');
    const int nMaxValue = 32000;
    if (strValue.GetLength() > nMaxValue)
        strValue = strValue.Left(nMaxValue);
    return strValue;
}

BOOL CLauncherApp::WriteProfileString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszValue)
{
    if (!IsWritableSection(pszSection))
        return TRUE;
    CProfileTransaction transaction(*this);
    m_pTransaction->m_writes.push_back({ pszSection, pszKey, StorableValue(pszValue) });
    return transaction.Commit();
}

BOOL CLauncherApp::WriteProfileStrings(const std::vector<CProfileWrite>& writes)
{
    CProfileTransaction transaction(*this);
    for (const CProfileWrite& write : writes)
        WriteProfileString(write.strSection, write.strKey, write.strValue);
    return transaction.Commit();
}

CProfileTransaction::CProfileTransaction(CLauncherApp& app)
    : m_app(app), m_bOutermost(!app.m_pTransaction)
{
    if (m_bOutermost)
        m_app.m_pTransaction = this;
}

CProfileTransaction::~CProfileTransaction()
{
    if (m_app.m_pTransaction == this)
        m_app.m_pTransaction = nullptr;
}

BOOL CProfileTransaction::Commit()
{
    if (!m_bOutermost)
        return TRUE;
    m_app.m_pTransaction = nullptr;
    // The progress window lets paint messages through; should anything they
    // set off write the profile, it must not touch the copy being written.
    if (m_app.m_bUpdating)
        return FALSE;
    m_app.m_bUpdating = TRUE;
    CDialog* pLauncher = m_app.m_pLauncher && m_app.m_pLauncher->m_hWnd ? m_app.m_pLauncher : nullptr;
    CWriteProgressDlg progress(pLauncher);
    BOOL bWritten = CProfileUpdate(m_app.m_strProfile, &progress).Write(m_writes, &m_read);
    m_app.m_bUpdating = FALSE;
    return bWritten;
}

void CLauncherApp::ReportWriteFailure(HWND hWndOwner, const CString& strNotDone)
{
    CPrompt::MessageBox(hWndOwner, "The profile could not be written:\n" + m_strProfile + "\n\n" + strNotDone, "ERROR",
                        MB_OK | MB_ICONEXCLAMATION);
}

CString CLauncherApp::ReadConfigValue(LPCSTR pszKey)
{
    CString strName = m_mapOptions["CurrentConfigName"];
    CString strValue = m_pLoadingSection ? ReadProfileString(*m_pLoadingSection, strName, pszKey, PROFILE_BUFFER_SIZE)
                                         : ReadProfileString(strName, pszKey, "", PROFILE_BUFFER_SIZE);
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
    m_bConfigLoaded = FALSE;
    CString strName = m_mapOptions["CurrentConfigName"];
    if (strName.IsEmpty())
    {
        ShowConfigName();
        return FALSE;
    }
    // Every page reads its keys from the one read of the section.
    CProfileSection section = ReadProfileSection(strName);
    m_pLoadingSection = &section;
    BOOL bExists = !ReadConfigValue("Video").IsEmpty();
    if (bExists)
        for (CSettingsPage* pPage : m_pPages)
            pPage->LoadFromProfile();
    m_pLoadingSection = nullptr;
    if (!bExists)
        CPrompt::MessageBox(nullptr, "The configuration does not exist.", "ERROR", MB_OK | MB_ICONEXCLAMATION);
    m_bConfigLoaded = bExists;
    ShowConfigName();
    return bExists;
}

void CLauncherApp::ShowConfigName()
{
    if (!m_pLauncher || !m_pLauncher->m_hWnd)
        return;
    // The caption names no configuration that the pages do not show.
    CString strName = m_mapOptions["CurrentConfigName"];
    m_pLauncher->SetWindowText(m_bConfigLoaded ? PROGRAM_TITLE + (" - " + strName) : CString(PROGRAM_TITLE));
}

BOOL CLauncherApp::SaveConfig()
{
    // A save that fails puts the map back, so that the pages still differ
    // from the profile and are offered for saving again.
    CMapStringToString mapBefore = m_mapOptions;
    UpdateAllOptions();
    // Without a current configuration there is no section to save into.
    CString strName = m_mapOptions["CurrentConfigName"];
    if (strName.IsEmpty())
        return TRUE;
    // The pages write key by key; the keys go to the profile together, in
    // one update of the whole file.
    CProfileTransaction transaction(*this);
    CString strLine;
    CString strEmulatorType = m_mapOptions["EmulatorType"];
    m_mapOptions["EmulatorType"] = TYPE_DOS;
    for (CSettingsPage* pPage : m_pPages)
    {
        pPage->SaveToProfile();
        pPage->AppendOptions(strLine, "?");
    }
    m_mapOptions["EmulatorType"] = strEmulatorType;
    WriteProfileString(strName, "DosCommandLine", "-G?" + strLine);
    if (!transaction.Commit())
    {
        m_mapOptions = mapBefore;
        ReportWriteFailure(m_pLauncher ? m_pLauncher->m_hWnd : nullptr,
                           "The configuration \"" + strName + "\" was not saved.");
        return FALSE;
    }
    // A configuration that failed to load exists from its first save on.
    m_bConfigLoaded = TRUE;
    ShowConfigName();
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

BOOL CLauncherApp::OfferToSave(CWnd& owner)
{
    // Pages that never showed the current configuration hold nothing the user
    // changed in it: saving them would put their values over what is stored.
    if (!m_bConfigLoaded)
        return TRUE;
    if (IsAnyPageModified()
        && owner.MessageBox("Do you want to save the current config first?", "Warning", MB_YESNO | MB_ICONQUESTION)
               == IDYES)
        return SaveConfig();
    return TRUE;
}

CLauncherApp* GetLauncherApp()
{
    return dynamic_cast<CLauncherApp*>(AfxGetApp());
}
