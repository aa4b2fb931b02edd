#include "MemoryPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

// One entry per slider, indexed by notify id - 1.
static const struct
{
    LPCSTR pszKey;
    LPCSTR pszFormat;
    int nUnitKB;     // memory size of one slider step
    int nMin, nMax;
    int nDefault;
} s_settings[CMemoryPage::SLIDER_COUNT] = {
    { "FastMem", "-F %d", 1024, 0, 8, 8 },
    { "ChipMem", "-c %d", 512, 1, 4, 4 },
    { "SlowMem", "-s %d", 256, 0, 4, 4 },
};

BEGIN_MESSAGE_MAP(CMemoryPage, CSettingsPage)
    ON_MESSAGE(WM_SLIDERCHANGE, OnSliderMoved)
END_MESSAGE_MAP()

CMemoryPage::CMemoryPage() : CSettingsPage(IDD_MEMORY_PAGE)
{
}

UINT CMemoryPage::GetTemplateID()
{
    return IDD_MEMORY_PAGE;
}

void CMemoryPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEMORY_SLOW, m_sliderSlow);
    DDX_Control(pDX, IDC_MEMORY_FAST, m_sliderFast);
    DDX_Control(pDX, IDC_MEMORY_CHIP, m_sliderChip);
    DDX_Text(pDX, IDC_MEMORY_CHIP_SIZE, m_strChipSize);
    DDX_Text(pDX, IDC_MEMORY_FAST_SIZE, m_strFastSize);
    DDX_Text(pDX, IDC_MEMORY_SLOW_SIZE, m_strSlowSize);
}

BOOL CMemoryPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    CMapStringToString& mapOptions = App().m_mapOptions;
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
    {
        const auto& setting = s_settings[nID - 1];
        CNotifySliderCtrl* pSlider = Slider(nID);
        pSlider->SetRange(setting.nMin, setting.nMax);
        pSlider->SetPos(setting.nDefault);
        pSlider->SetNotifyID((short)nID);
        mapOptions[setting.pszKey].Format(setting.pszFormat, setting.nDefault);
    }

    UpdateData(FALSE);
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        OnSliderMoved(nID, 0);
    return TRUE;
}

LRESULT CMemoryPage::OnSliderMoved(WPARAM wParam, LPARAM)
{
    // The labels are the only members, so nothing needs reading back first.
    CString* pstrSizes[SLIDER_COUNT] = { &m_strFastSize, &m_strChipSize, &m_strSlowSize };
    int nID = (short)wParam;
    if (CNotifySliderCtrl* pSlider = Slider(nID))
        pstrSizes[nID - 1]->Format("%d KB", pSlider->GetPos() * s_settings[nID - 1].nUnitKB);
    UpdateData(FALSE);
    return 0;
}

void CMemoryPage::LoadFromProfile()
{
    CLauncherApp& app = App();
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        Slider(nID)->SetPos(FragmentNumber(app.ReadConfigValue(s_settings[nID - 1].pszKey)));

    UpdateData(FALSE);
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        OnSliderMoved(nID, 0);
}

void CMemoryPage::SaveToProfile()
{
    for (const auto& setting : s_settings)
        App().WriteConfigValue(setting.pszKey);
}

void CMemoryPage::UpdateOptions()
{
    UpdateData(TRUE);
    CString strFragments[SLIDER_COUNT];
    BuildFragments(strFragments);

    CMapStringToString& mapOptions = App().m_mapOptions;
    for (int i = 0; i < SLIDER_COUNT; i++)
        mapOptions[s_settings[i].pszKey] = strFragments[i];
}

BOOL CMemoryPage::IsModified()
{
    UpdateData(TRUE);
    CString strFragments[SLIDER_COUNT];
    BuildFragments(strFragments);

    for (int i = 0; i < SLIDER_COUNT; i++)
        if (OptionValue(s_settings[i].pszKey) != strFragments[i])
            return TRUE;
    return FALSE;
}

void CMemoryPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    for (const auto& setting : s_settings)
        AppendOption(strLine, pszSeparator, setting.pszKey);
}

CNotifySliderCtrl* CMemoryPage::Slider(int nID)
{
    switch (nID)
    {
    case SLIDER_FAST: return &m_sliderFast;
    case SLIDER_CHIP: return &m_sliderChip;
    case SLIDER_SLOW: return &m_sliderSlow;
    }
    return nullptr;
}

void CMemoryPage::BuildFragments(CString (&strFragments)[SLIDER_COUNT])
{
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        strFragments[nID - 1].Format(s_settings[nID - 1].pszFormat, Slider(nID)->GetPos());
}
