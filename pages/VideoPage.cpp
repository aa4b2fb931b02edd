#include "VideoPage.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

// The page's profile and option-map keys, in the order every operation takes them
static LPCSTR const s_pszKeys[] = { "Video", "Video1081Emulation", "VideoDesktopWindow", "FrameRate" };
enum { KEY_VIDEO, KEY_1081_EMULATION, KEY_DESKTOP_WINDOW, KEY_FRAME_RATE };

// The resolution of a screen mode as the emulator reads it, "width:height":
// a text with a colon as it stands, "width x height" as resolutions are
// usually written with the colon in the x's place, and "" for any other text.
static CString ReadableResolution(const CString& strTyped)
{
    if (strTyped.Find(':') >= 0)
        return strTyped;
    CString strText = strTyped;
    strText.Trim();
    int nLength = strText.GetLength();
    int nX = 0;
    while (nX < nLength && strText[nX] >= '0' && strText[nX] <= '9')
        nX++;
    CString strWidth = strText.Left(nX);
    CString strRest = strText.Mid(nX);
    strRest.TrimLeft();
    if (strWidth.IsEmpty() || strRest.IsEmpty() || (strRest[0] != 'x' && strRest[0] != 'X'))
        return "";
    CString strHeight = strRest.Mid(1);
    strHeight.TrimLeft();
    for (int i = 0; i < strHeight.GetLength(); i++)
        if (strHeight[i] < '0' || strHeight[i] > '9')
            return "";
    if (strHeight.IsEmpty())
        return "";
    return strWidth + ":" + strHeight;
}

// The resolution of a stored "-O width:height:flags" fragment: the part between
// the option and the last colon.
static CString StoredResolution(const CString& strVideo)
{
    int nFirst = strVideo.Find(':');
    int nLast = strVideo.ReverseFind(':');
    return strVideo.Mid(3, nFirst - 3) + ":" + strVideo.Mid(nFirst + 1, nLast - nFirst - 1);
}

CVideoPage::CVideoPage() : CKeyedPage(IDD_VIDEO_PAGE, s_pszKeys)
{
}

void CVideoPage::DoDataExchange(CDataExchange* pDX)
{
    CKeyedPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIDEO_FRAME_RATE, m_sliderFrameRate);
    DDX_Check(pDX, IDC_VIDEO_1081_EMULATION, m_b1081Emulation);
    DDX_Check(pDX, IDC_VIDEO_DOUBLE_HEIGHT, m_bDoubleHeight);
    DDX_Check(pDX, IDC_VIDEO_DESKTOP_WINDOW, m_bDesktopWindow);
    DDX_Check(pDX, IDC_VIDEO_LOWRES, m_bLowRes);
    DDX_Check(pDX, IDC_VIDEO_CENTER_VERTICALLY, m_bCenterVertically);
    DDX_Check(pDX, IDC_VIDEO_CENTER_HORIZONTALLY, m_bCenterHorizontally);
    DDX_CBString(pDX, IDC_VIDEO_RESOLUTION, m_strResolution);
    DDX_Text(pDX, IDC_VIDEO_FRAME_RATE_VALUE, m_strFrameRate);
    DDX_Check(pDX, IDC_VIDEO_CORRECT_ASPECT, m_bCorrectAspect);
}

BEGIN_MESSAGE_MAP(CVideoPage, CKeyedPage)
    ON_MESSAGE(WM_SLIDERCHANGE, OnSliderMoved)
    ON_CBN_KILLFOCUS(IDC_VIDEO_RESOLUTION, OnKillfocusResolution)
END_MESSAGE_MAP()

BOOL CVideoPage::OnInitDialog()
{
    CKeyedPage::OnInitDialog();

    m_b1081Emulation = FALSE;
    m_bDesktopWindow = TRUE;
    m_strResolution = DEFAULT_RESOLUTION;
    m_bCenterHorizontally = TRUE;
    m_bCenterVertically = TRUE;
    m_bDoubleHeight = TRUE;
    m_bCorrectAspect = FALSE;
    m_bLowRes = FALSE;

    m_sliderFrameRate.SetRange(1, 9);
    m_sliderFrameRate.SetPos(1);
    m_sliderFrameRate.SetNotifyID(SLIDER_FRAME_RATE);

    UpdateData(FALSE);
    OnSliderMoved(SLIDER_FRAME_RATE, 0);
    // The option map starts at what the page shows.
    UpdateOptions();
    return TRUE;
}

LRESULT CVideoPage::OnSliderMoved(WPARAM wParam, LPARAM)
{
    UpdateData(TRUE);
    if ((short)wParam == SLIDER_FRAME_RATE)
        m_strFrameRate.Format("1/%d", m_sliderFrameRate.GetPos());
    UpdateData(FALSE);
    return 0;
}

UINT CVideoPage::GetTemplateID()
{
    return IDD_VIDEO_PAGE;
}

CString CVideoPage::GetPageName()
{
    return "Video";
}

void CVideoPage::LoadFromProfile()
{
    CLauncherApp& app = App();

    // "-O 800:600:dxy": the resolution lies between the option and the last
    // colon, the display flags after it.
    CString strVideo = app.ReadConfigValue(s_pszKeys[KEY_VIDEO]);
    int nLast = strVideo.ReverseFind(':');
    m_strResolution = StoredResolution(strVideo);
    // Letters typed into the resolution ("1024x768:") are not flags.
    CString strFlags = nLast >= 0 ? strVideo.Mid(nLast + 1) : CString();
    m_bDoubleHeight = strFlags.Find('d') >= 0;
    m_bCorrectAspect = strFlags.Find('c') >= 0;
    m_bLowRes = strFlags.Find('l') >= 0;
    m_bCenterHorizontally = strFlags.Find('x') >= 0;
    m_bCenterVertically = strFlags.Find('y') >= 0;

    m_b1081Emulation = !app.ReadConfigValue(s_pszKeys[KEY_1081_EMULATION]).IsEmpty();
    m_bDesktopWindow = !app.ReadConfigValue(s_pszKeys[KEY_DESKTOP_WINDOW]).IsEmpty();

    // Out-of-range rates are left for the slider to bring within 1 to 9.
    m_sliderFrameRate.SetPos(FragmentNumber(app.ReadConfigValue(s_pszKeys[KEY_FRAME_RATE])));

    UpdateData(FALSE);
    OnSliderMoved(SLIDER_FRAME_RATE, 0);
}

BOOL CVideoPage::BuildFragment(int nKey, CString& strFragment)
{
    switch (nKey)
    {
    case KEY_VIDEO:
    {
        // A configuration without a screen mode cannot be loaded again: a
        // text that names no resolution keeps the one the screen mode had.
        CString strResolution = ReadableResolution(m_strResolution);
        if (strResolution.IsEmpty())
            strResolution = LastResolution();
        strFragment = "-O " + strResolution + ":";
        if (m_bDoubleHeight)
            strFragment += 'd';
        if (m_bCorrectAspect)
            strFragment += 'c';
        if (m_bLowRes)
            strFragment += 'l';
        if (m_bCenterHorizontally)
            strFragment += 'x';
        if (m_bCenterVertically)
            strFragment += 'y';
        break;
    }
    case KEY_1081_EMULATION: strFragment = m_b1081Emulation ? "-X" : ""; break;
    case KEY_DESKTOP_WINDOW: strFragment = m_bDesktopWindow ? "-W" : ""; break;
    case KEY_FRAME_RATE: strFragment.Format("-f %d", m_sliderFrameRate.GetPos()); break;
    }
    return TRUE;
}

CString CVideoPage::LastResolution() const
{
    CString strVideo = OptionValue(s_pszKeys[KEY_VIDEO]);
    return strVideo.IsEmpty() ? CString(DEFAULT_RESOLUTION) : StoredResolution(strVideo);
}

void CVideoPage::OnKillfocusResolution()
{
    UpdateData(TRUE);
    CString strResolution = ReadableResolution(m_strResolution);
    if (!strResolution.IsEmpty() && strResolution == m_strResolution)
        return;
    if (strResolution.IsEmpty())
    {
        CString strText;
        strText.Format("\"%s\" is not a resolution. Please give it as width:height, for example 800:600.",
                       (LPCSTR)m_strResolution);
        MessageBox(strText, "ERROR", MB_OK | MB_ICONEXCLAMATION);
        strResolution = LastResolution();
    }
    // Shown as the emulator will get it
    m_strResolution = strResolution;
    UpdateData(FALSE);
}
