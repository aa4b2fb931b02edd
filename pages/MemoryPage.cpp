#include "MemoryPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

// The page's profile and option-map keys, in the order every operation takes
// them: one per slider, indexed by notify id - 1
static LPCSTR const s_pszKeys[CMemoryPage::SLIDER_COUNT] = { "FastMem", "ChipMem", "SlowMem" };

// One entry per slider, in the same order
static const struct
{
    LPCSTR pszFormat;
    int nUnitKB;     // memory size of one slider step
    int nMin, nMax;
    int nDefault;
} s_settings[CMemoryPage::SLIDER_COUNT] = {
    { "-F %d", 1024, 0, 8, 8 },
    { "-c %d", 512, 1, 4, 4 },
    { "-s %d", 256, 0, 4, 4 },
};

BEGIN_MESSAGE_MAP(CMemoryPage, CKeyedPage)
    ON_MESSAGE(WM_SLIDERCHANGE, OnSliderMoved)
END_MESSAGE_MAP()

CMemoryPage::CMemoryPage() : CKeyedPage(IDD_MEMORY_PAGE, s_pszKeys)
{
}

UINT CMemoryPage::GetTemplateID()
{
    return IDD_MEMORY_PAGE;
}

void CMemoryPage::DoDataExchange(CDataExchange* pDX)
{
    CKeyedPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEMORY_SLOW, m_sliderSlow);
    DDX_Control(pDX, IDC_MEMORY_FAST, m_sliderFast);
    DDX_Control(pDX, IDC_MEMORY_CHIP, m_sliderChip);
    DDX_Text(pDX, IDC_MEMORY_CHIP_SIZE, m_strChipSize);
    DDX_Text(pDX, IDC_MEMORY_FAST_SIZE, m_strFastSize);
    DDX_Text(pDX, IDC_MEMORY_SLOW_SIZE, m_strSlowSize);
}

BOOL CMemoryPage::OnInitDialog()
{
    CKeyedPage::OnInitDialog();

    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
    {
        const auto& setting = s_settings[nID - 1];
        CNotifySliderCtrl* pSlider = Slider(nID);
        pSlider->SetRange(setting.nMin, setting.nMax);
        pSlider->SetPos(setting.nDefault);
        pSlider->SetNotifyID((short)nID);
    }

    UpdateData(FALSE);
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        OnSliderMoved(nID, 0);
    // The option map starts at what the page shows.
    UpdateOptions();
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
        Slider(nID)->SetPos(FragmentNumber(app.ReadConfigValue(s_pszKeys[nID - 1])));

    UpdateData(FALSE);
    for (int nID = SLIDER_FAST; nID <= SLIDER_SLOW; nID++)
        OnSliderMoved(nID, 0);
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

BOOL CMemoryPage::BuildFragment(int nKey, CString& strFragment)
{
    strFragment.Format(s_settings[nKey].pszFormat, Slider(nKey + 1)->GetPos());
    return TRUE;
}
