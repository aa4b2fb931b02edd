#include "SoundPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

#include <climits>

// The page's profile and option-map keys, in the order every operation takes them
static LPCSTR const s_pszKeys[] = { "SoundEmulation", "SoundBits", "SoundFreq", "SoundBuffer" };
enum { KEY_EMULATION, KEY_BITS, KEY_FREQUENCY, KEY_BUFFER };

CSoundPage::CSoundPage() : CKeyedPage(IDD_SOUND_PAGE, s_pszKeys)
{
}

void CSoundPage::DoDataExchange(CDataExchange* pDX)
{
    CKeyedPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOUND_FREQUENCY, m_editFrequency);
    DDX_Control(pDX, IDC_SOUND_BUFFER, m_editBufferSize);
    DDX_Control(pDX, IDC_SOUND_EMULATION, m_comboSoundEmulation);
    DDX_Control(pDX, IDC_SOUND_BITS, m_comboSoundBits);
    DDX_Text(pDX, IDC_SOUND_BUFFER, m_strBufferSize);
    DDX_Text(pDX, IDC_SOUND_FREQUENCY, m_strFrequency);
}

BEGIN_MESSAGE_MAP(CSoundPage, CKeyedPage)
    ON_CBN_SELCHANGE(IDC_SOUND_EMULATION, OnSelchangeSoundEmulation)
END_MESSAGE_MAP()

BOOL CSoundPage::OnInitDialog()
{
    CKeyedPage::OnInitDialog();

    m_comboSoundEmulation.SelectString(-1, "On");
    m_comboSoundBits.SelectString(-1, "8");
    m_strFrequency = "22050";
    m_strBufferSize = "8192";
    UpdateData(FALSE);

    UpdateOptions();
    // The map starts at "-S 0" although "On" is shown: a fresh page counts as
    // changed until a configuration is loaded into it.
    App().m_mapOptions[s_pszKeys[KEY_EMULATION]] = "-S 0";
    return TRUE;
}

UINT CSoundPage::GetTemplateID()
{
    return IDD_SOUND_PAGE;
}

CString CSoundPage::GetPageName()
{
    return "Sound";
}

void CSoundPage::LoadFromProfile()
{
    CLauncherApp& app = App();

    // Entry 0 stands for -1, so the stored value is one less than the index.
    int nValue = FragmentNumber(app.ReadConfigValue(s_pszKeys[KEY_EMULATION]));
    // A value held at the top of an int has no entry, and one more would overflow.
    int nIndex = nValue < INT_MAX ? nValue + 1 : -1;
    // A value without an entry leaves no selection. Windows clears it for any
    // index past the list, Wine only for -1, so ask for -1 outright.
    if (nIndex < 0 || nIndex >= m_comboSoundEmulation.GetCount())
        nIndex = -1;
    m_comboSoundEmulation.SetCurSel(nIndex);

    // Every entry begins with the empty text, but Wine's list finds no entry
    // for it: the first entry is the one.
    CString strBits = FragmentValue(app.ReadConfigValue(s_pszKeys[KEY_BITS]));
    if (strBits.IsEmpty())
        m_comboSoundBits.SetCurSel(0);
    else
        m_comboSoundBits.SelectString(-1, strBits);
    m_strFrequency = FragmentValue(app.ReadConfigValue(s_pszKeys[KEY_FREQUENCY]));
    m_strBufferSize = FragmentValue(app.ReadConfigValue(s_pszKeys[KEY_BUFFER]));

    // The detail controls keep their enabled state: only the user's choice changes it.
    UpdateData(FALSE);
}

BOOL CSoundPage::BuildFragment(int nKey, CString& strFragment)
{
    switch (nKey)
    {
    case KEY_EMULATION:
        // No selection gives "-S -2", which the emulator is left to judge.
        strFragment.Format("-S %d", m_comboSoundEmulation.GetCurSel() - 1);
        break;
    case KEY_BITS:
    {
        CString strBits;
        m_comboSoundBits.GetLBText(m_comboSoundBits.GetCurSel(), strBits);
        strFragment = "-b " + strBits;
        break;
    }
    case KEY_FREQUENCY: strFragment = "-R " + m_strFrequency; break;
    case KEY_BUFFER: strFragment = "-B " + m_strBufferSize; break;
    }
    return TRUE;
}

void CSoundPage::OnSelchangeSoundEmulation()
{
    // Bits, frequency and buffer size matter only while sound is played.
    BOOL bEnable = m_comboSoundEmulation.GetCurSel() > 2;
    m_comboSoundBits.EnableWindow(bEnable);
    m_editFrequency.EnableWindow(bEnable);
    m_editBufferSize.EnableWindow(bEnable);
}
