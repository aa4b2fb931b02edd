#include "ModernLauncherDlg.h"

#include "PageIcons.h"
#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

CModernLauncherDlg::CModernLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_MODERN_LAUNCHER, IDC_MODERN_PAGE_AREA, CLauncherApp::STYLE_MODERN, pParent)
{
}

BEGIN_MESSAGE_MAP(CModernLauncherDlg, CLauncherDlg)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_MODERN_EMULATOR, IDC_MODERN_INFO, OnPageButton)
    ON_BN_CLICKED(IDC_MODERN_LEAVE, OnLeave)
    ON_BN_CLICKED(IDC_MODERN_LAUNCH, OnLaunch)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

// The side of a button's rectangle that faces the page area
static CPictureButton::Side SideFacing(const RECT& rcButton, const RECT& rcArea)
{
    if (rcButton.bottom <= rcArea.top)
        return CPictureButton::SIDE_BOTTOM;
    if (rcButton.top >= rcArea.bottom)
        return CPictureButton::SIDE_TOP;
    if (rcButton.right <= rcArea.left)
        return CPictureButton::SIDE_RIGHT;
    if (rcButton.left >= rcArea.right)
        return CPictureButton::SIDE_LEFT;
    return CPictureButton::SIDE_NONE;
}

BOOL CModernLauncherDlg::OnInitDialog()
{
    CLauncherDlg::OnInitDialog();

    // The buttons keep their template's size, which follows the dialog's font
    // and so the display's scale; their pictures are the largest that fit.
    RECT rcCell, rcArea, rcButton;
    ::GetClientRect(GetDlgItem(IDC_MODERN_EMULATOR), &rcCell);
    int nScale = CPictureButton::FittingScale(PictureScale(), rcCell.right, rcCell.bottom);
    ::GetWindowRect(GetDlgItem(IDC_MODERN_PAGE_AREA), &rcArea);

    CLauncherApp& app = *GetLauncherApp();
    m_toolTip.Create(this, TTS_ALWAYSTIP);
    for (int k = 0; k < BUTTON_COUNT; k++)
    {
        // The captions name the pictures; people and screen readers get the
        // names that the other windows show.
        if (k < CLauncherApp::PAGE_COUNT)
        {
            CString strName = app.m_pPages[k]->GetPageName();
            m_buttons[k].AutoLoad(IDC_MODERN_EMULATOR + k, this, nScale, strName);
            m_toolTip.AddTool(m_buttons[k], strName);
            ::GetWindowRect(m_buttons[k], &rcButton);
            m_buttons[k].SetMarkSide(SideFacing(rcButton, rcArea));
        }
        else
        {
            BOOL bLaunch = k == BUTTON_LAUNCH;
            m_buttons[k].AutoLoad(IDC_MODERN_EMULATOR + k, this, nScale, bLaunch ? "&Launch" : "Lea&ve");
            m_toolTip.AddTool(m_buttons[k], bLaunch ? "Launch" : "Leave");
        }
    }

    // The page comes first in the Tab order, before the buttons around it.
    for (CSettingsPage* pPage : app.m_pPages)
        ::SetWindowPos(pPage->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ShowPage(CLauncherApp::PAGE_EMULATOR);
    app.LoadConfig();
    return TRUE;
}

void CModernLauncherDlg::OnPageButton(UINT nID)
{
    ShowPage((int)nID - IDC_MODERN_EMULATOR);
}

void CModernLauncherDlg::OnOK()
{
    HWND hFocus = ::GetFocus();
    int nID = ::GetDlgCtrlID(hFocus);
    if (::GetParent(hFocus) == m_hWnd && nID >= IDC_MODERN_EMULATOR && nID < IDC_MODERN_EMULATOR + BUTTON_COUNT)
        SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hFocus);
    else
        Leave();
}

void CModernLauncherDlg::OnPageShown(int nPage)
{
    for (int k = 0; k < CLauncherApp::PAGE_COUNT; k++)
        m_buttons[k].SetCurrent(k == nPage);
}

// The window draws nothing of its own; the pages and the buttons cover it.
LRESULT CModernLauncherDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

// Owner-drawn buttons ask their parent to draw them; each button knows its pictures.
LRESULT CModernLauncherDlg::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    int k = (int)wParam - IDC_MODERN_EMULATOR;
    if (k < 0 || k >= BUTTON_COUNT)
        return FALSE;
    m_buttons[k].DrawItem((const DRAWITEMSTRUCT*)lParam);
    return TRUE;
}
