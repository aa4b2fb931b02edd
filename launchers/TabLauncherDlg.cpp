#include "TabLauncherDlg.h"

#include "PageIcons.h"
#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

CTabLauncherDlg::CTabLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_TAB_LAUNCHER, IDC_TAB_PAGE_AREA, CLauncherApp::STYLE_TAB, pParent)
{
}

CTabLauncherDlg::~CTabLauncherDlg()
{
    if (m_hPageIcon)
        ::DestroyIcon(m_hPageIcon);
}

void CTabLauncherDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAB_PAGE_ICON, m_staticIcon);
    DDX_Control(pDX, IDC_TAB_PAGES, m_tabCtrl);
}

BEGIN_MESSAGE_MAP(CTabLauncherDlg, CLauncherDlg)
    ON_NOTIFY(NM_CLICK, IDC_TAB_PAGES, OnClickTab)
    ON_NOTIFY(TCN_KEYDOWN, IDC_TAB_PAGES, OnKeydownTab)
END_MESSAGE_MAP()

BOOL CTabLauncherDlg::OnInitDialog()
{
    CLauncherDlg::OnInitDialog();

    // With the default minimum width the short names take a third row of tabs,
    // which runs into the page area.
    m_tabCtrl.SetMinTabWidth(0);

    CLauncherApp& app = *GetLauncherApp();
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        AddPageIcon(m_imageList, i);
        m_tabCtrl.InsertItem(i, app.m_pPages[i]->GetPageName());
        // In today's look the tab's body has a face of its own, which the
        // pages over it take for their background.
        app.m_pPages[i]->EnableThemeDialogTexture(ETDT_ENABLETAB);
    }

    ShowPage(CLauncherApp::PAGE_EMULATOR);
    m_tabCtrl.SetCurSel(CLauncherApp::PAGE_EMULATOR);
    app.LoadConfig();
    return TRUE;
}

void CTabLauncherDlg::OnPageShown(int nPage)
{
    HICON hIcon = m_imageList.ExtractIcon(nPage);
    m_staticIcon.SetIcon(hIcon);
    if (m_hPageIcon)
        ::DestroyIcon(m_hPageIcon);
    m_hPageIcon = hIcon;
}

void CTabLauncherDlg::OnClickTab(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    ShowPage(m_tabCtrl.GetCurSel());
    *pResult = 0;
}

// The notification comes before the tab control moves its selection, so the
// page that the key will select is worked out here.
void CTabLauncherDlg::OnKeydownTab(NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT vk = ((NMTCKEYDOWN*)pNMHDR)->wVKey;
    int nCurrent = m_tabCtrl.GetCurSel();
    int nPage = PageForKey(vk, VK_LEFT, VK_RIGHT, nCurrent);
    if (vk == VK_UP)
    {
        // One row up: back by the number of tabs in a row, round to the last row
        int nRows = m_tabCtrl.GetRowCount();
        if (nRows < 1)
            return;
        nPage = nCurrent - CLauncherApp::PAGE_COUNT / nRows;
        if (nPage < 0)
            nPage += CLauncherApp::PAGE_COUNT;
    }
    if (FollowKey(nCurrent, nPage))
        *pResult = -1;
}

BOOL CTabLauncherDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0 || m_nShownPage < 0)
        return FALSE;
    int nStep = 0;
    if (pMsg->wParam == VK_TAB)
        nStep = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (pMsg->wParam == VK_NEXT)
        nStep = 1;
    else if (pMsg->wParam == VK_PRIOR)
        nStep = -1;
    // A control that wants every key, such as an open list, keeps it.
    if (nStep == 0 || (::SendMessageA(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam, (LPARAM)pMsg) & DLGC_WANTMESSAGE))
        return FALSE;

    // Round from the last page to the first, as property sheets do
    int nPage = (m_nShownPage + nStep + CLauncherApp::PAGE_COUNT) % CLauncherApp::PAGE_COUNT;
    BOOL bFocusInPage = ::IsChild(*GetLauncherApp()->m_pPages[m_nShownPage], ::GetFocus());
    ShowPage(nPage);
    m_tabCtrl.SetCurSel(nPage);
    // The control that had the focus is hidden with its page.
    if (bFocusInPage)
        SendMessage(WM_NEXTDLGCTL, (WPARAM)m_tabCtrl.m_hWnd, TRUE);
    return TRUE;
}

// Some tab controls leave Home, End and Up alone, and the selected tab must
// not stay behind the page on view.
void CTabLauncherDlg::SelectShownPage()
{
    if (m_tabCtrl.GetCurSel() != m_nShownPage)
        m_tabCtrl.SetCurSel(m_nShownPage);
}
