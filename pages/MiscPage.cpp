#include "MiscPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

// The page's profile and option-map keys, in the order they are entered and
// saved, so also the order in which a new section receives them
static LPCSTR const s_pszKeys[] = { "Debugger", "IllegalInstructions", "Accuracy", "SystemClock", "32BitBlits",
                                    "ImmediateBlits" };
enum { KEY_DEBUGGER, KEY_ILLEGAL_INSTRUCTIONS, KEY_ACCURACY, KEY_SYSTEM_CLOCK, KEY_32BIT_BLITS, KEY_IMMEDIATE_BLITS };
// The emulator takes the system clock last, and only the Win32 build takes it.
static const int s_nAppendOrder[] = { KEY_DEBUGGER, KEY_ILLEGAL_INSTRUCTIONS, KEY_ACCURACY, KEY_32BIT_BLITS,
                                      KEY_IMMEDIATE_BLITS };

// The system clock's fragment for each entry of its list, in list order
static LPCSTR const s_pszClockFragments[] = {
    "-Q -1", "", "-Q 100000", "-Q 120000", "-Q 133333", "-Q 150000",
    "-Q 166667", "-Q 180000", "-Q 200000", "-Q 233333", "-Q 250000",
};
static const int CLOCK_ENTRY_COUNT = sizeof(s_pszClockFragments) / sizeof(s_pszClockFragments[0]);
enum { CLOCK_AUTOMATIC = 1 };

CMiscPage::CMiscPage() : CKeyedPage(IDD_MISC_PAGE, s_pszKeys)
{
}

void CMiscPage::DoDataExchange(CDataExchange* pDX)
{
    CKeyedPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MISC_SYSTEM_CLOCK, m_comboSystemClock);
    DDX_Control(pDX, IDC_MISC_ACCURACY, m_sliderAccuracy);
    DDX_Check(pDX, IDC_MISC_DEBUGGER, m_bDebugger);
    DDX_Check(pDX, IDC_MISC_ILLEGAL_INSTRUCTIONS, m_bIllegalInstructions);
    DDX_Check(pDX, IDC_MISC_IMMEDIATE_BLITS, m_bImmediateBlits);
    DDX_Check(pDX, IDC_MISC_32BIT_BLITS, m_b32BitBlits);
}

BOOL CMiscPage::OnInitDialog()
{
    CKeyedPage::OnInitDialog();

    m_sliderAccuracy.SetRange(0, 3);
    m_sliderAccuracy.SetPos(0);
    m_comboSystemClock.SetCurSel(CLOCK_AUTOMATIC);
    UpdateData(FALSE);

    UpdateOptions();
    // The map starts at "-A 2" although the slider stands at "-A 3": a fresh
    // page counts as changed until a configuration is loaded into it.
    App().m_mapOptions[s_pszKeys[KEY_ACCURACY]] = "-A 2";
    return TRUE;
}

UINT CMiscPage::GetTemplateID()
{
    return IDD_MISC_PAGE;
}

CString CMiscPage::GetPageName()
{
    return "Misc";
}

void CMiscPage::LoadFromProfile()
{
    CLauncherApp& app = App();

    m_bDebugger = !app.ReadConfigValue(s_pszKeys[KEY_DEBUGGER]).IsEmpty();
    m_b32BitBlits = !app.ReadConfigValue(s_pszKeys[KEY_32BIT_BLITS]).IsEmpty();
    m_bImmediateBlits = !app.ReadConfigValue(s_pszKeys[KEY_IMMEDIATE_BLITS]).IsEmpty();
    m_bIllegalInstructions = !app.ReadConfigValue(s_pszKeys[KEY_ILLEGAL_INSTRUCTIONS]).IsEmpty();

    // The slider runs upside down: the top gives the highest accuracy. The
    // number is brought within the range first, so that the subtraction
    // cannot overflow for a number held at the limits of an int.
    int nAccuracy = FragmentNumber(app.ReadConfigValue(s_pszKeys[KEY_ACCURACY]));
    int nMax = m_sliderAccuracy.GetRangeMax();
    if (nAccuracy > nMax)
        nAccuracy = nMax;
    if (nAccuracy < 0)
        nAccuracy = 0;
    m_sliderAccuracy.SetPos(nMax - nAccuracy);

    // Only an exact match selects: a stored value without an entry leaves the
    // list as it was.
    CString strClock = app.ReadConfigValue(s_pszKeys[KEY_SYSTEM_CLOCK]);
    for (int nEntry = 0; nEntry < CLOCK_ENTRY_COUNT; nEntry++)
        if (FragmentValue(strClock) == FragmentValue(s_pszClockFragments[nEntry]))
        {
            m_comboSystemClock.SetCurSel(nEntry);
            break;
        }

    UpdateData(FALSE);
}

void CMiscPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    for (int nKey : s_nAppendOrder)
        AppendOption(strLine, pszSeparator, s_pszKeys[nKey]);
    // The DOS build has no host clock to follow.
    if (OptionValue("EmulatorType") == CLauncherApp::TYPE_WIN32)
        AppendOption(strLine, pszSeparator, s_pszKeys[KEY_SYSTEM_CLOCK]);
}

BOOL CMiscPage::BuildFragment(int nKey, CString& strFragment)
{
    switch (nKey)
    {
    case KEY_DEBUGGER: strFragment = m_bDebugger ? "-D" : ""; break;
    case KEY_ILLEGAL_INSTRUCTIONS: strFragment = m_bIllegalInstructions ? "-i" : ""; break;
    case KEY_ACCURACY:
        strFragment.Format("-A %d", m_sliderAccuracy.GetRangeMax() - m_sliderAccuracy.GetPos());
        break;
    case KEY_SYSTEM_CLOCK:
    {
        // Without a selected entry the clock keeps the fragment it has.
        int nClock = m_comboSystemClock.GetCurSel();
        if (nClock < 0 || nClock >= CLOCK_ENTRY_COUNT)
            return FALSE;
        strFragment = s_pszClockFragments[nClock];
        break;
    }
    case KEY_32BIT_BLITS: strFragment = m_b32BitBlits ? "-n 3" : ""; break;
    case KEY_IMMEDIATE_BLITS: strFragment = m_bImmediateBlits ? "-n i" : ""; break;
    }
    return TRUE;
}
