#include "TabLauncherDlg.h"

#include "PageIcons.h"
#include "app/LauncherApp.h"
#include "res/resource.h"

// Posted by the key handler: by the time it arrives the tab control has acted
// on the key. Some tab controls leave Home, End and Up alone, and the selected
// tab must not stay behind the page on view.
static const UINT WM_SYNC_TAB_SELECTION = WM_APP + 1;

CTabLauncherDlg::CTabLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_TAB_LAUNCHER, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
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
    DDX_Control(pDX, IDC_TAB_PAGE_AREA, m_staticPageArea);
    DDX_Control(pDX, IDC_TAB_PAGES, m_tabCtrl);
}

BEGIN_MESSAGE_MAP(CTabLauncherDlg, CLauncherDlg)
    ON_NOTIFY(NM_CLICK, IDC_TAB_PAGES, OnClickTab)
    ON_NOTIFY(TCN_KEYDOWN, IDC_TAB_PAGES, OnKeydownTab)
    ON_MESSAGE(WM_SYNC_TAB_SELECTION, OnSyncTab)
END_MESSAGE_MAP()

BOOL CTabLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // With the default minimum width the short names take a third row of tabs,
    // which runs into the page area.
    m_tabCtrl.SetMinTabWidth(0);

    CreatePages(m_staticPageArea);
    CLauncherApp& app = *GetLauncherApp();
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        AddPageIcon(m_imageList, i);
        m_tabCtrl.InsertItem(i, app.m_pPages[i]->GetPageName());
    }

    ShowPage(0);
    m_tabCtrl.SetCurSel(0);
    SetPageIcon(0);
    app.LoadConfig();
    return TRUE;
}

void CTabLauncherDlg::ShowPage(int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT)
        return;
    ShowOnlyPage(GetLauncherApp()->m_pPages[nPage]);
    m_nShownPage = nPage;
    SetPageIcon(nPage);
}

void CTabLauncherDlg::SetPageIcon(int nPage)
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
    const int nLast = CLauncherApp::PAGE_COUNT - 1;
    int nCurrent = m_tabCtrl.GetCurSel();
    int nPage;
    switch (((NMTCKEYDOWN*)pNMHDR)->wVKey)
    {
    case VK_END:
        if (nCurrent == nLast)
            return;
        nPage = nLast;
        break;
    case VK_HOME:
        if (nCurrent == 0)
            return;
        nPage = 0;
        break;
    case VK_LEFT:
        if (nCurrent - 1 < 0)
            return;
        nPage = nCurrent - 1;
        break;
    case VK_UP:
    {
        // One row up: back by the number of tabs in a row, round to the last row
        int nRows = m_tabCtrl.GetRowCount();
        if (nRows < 1)
            return;
        nPage = nCurrent - CLauncherApp::PAGE_COUNT / nRows;
        if (nPage < 0)
            nPage += CLauncherApp::PAGE_COUNT;
        break;
    }
    case VK_RIGHT:
        if (nCurrent + 1 >= CLauncherApp::PAGE_COUNT)
            return;
        nPage = nCurrent + 1;
        break;
    default:
        return;
    }
    ShowPage(nPage);
    PostMessage(WM_SYNC_TAB_SELECTION);
    *pResult = -1;
}

LRESULT CTabLauncherDlg::OnSyncTab(WPARAM, LPARAM)
{
    if (m_nShownPage >= 0 && m_tabCtrl.GetCurSel() != m_nShownPage)
        m_tabCtrl.SetCurSel(m_nShownPage);
    return 0;
}
