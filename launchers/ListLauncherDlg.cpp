#include "ListLauncherDlg.h"

#include "PageIcons.h"
#include "app/LauncherApp.h"
#include "res/resource.h"

#include <algorithm>

// Page Up and Page Down move this many items
static const int PAGE_STEP = 5;

// Posted by the key handler: by the time it arrives the list view has acted on
// the key. From no selection, or after Page Up and Page Down, the list view
// may pick another item than the page shown, and the two must not disagree.
static const UINT WM_SYNC_LIST_SELECTION = WM_APP + 1;

CListLauncherDlg::CListLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_LIST_LAUNCHER, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

void CListLauncherDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnLaunch);
    DDX_Control(pDX, IDCANCEL, m_btnLeave);
    DDX_Control(pDX, IDC_LIST_PAGE_AREA, m_staticPageArea);
    DDX_Control(pDX, IDC_LIST_PAGES, m_listCtrl);
}

BEGIN_MESSAGE_MAP(CListLauncherDlg, CLauncherDlg)
    ON_NOTIFY(NM_CLICK, IDC_LIST_PAGES, OnClickList)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LIST_PAGES, OnKeydownList)
    ON_MESSAGE(WM_SYNC_LIST_SELECTION, OnSyncList)
END_MESSAGE_MAP()

BOOL CListLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    CreatePages(m_staticPageArea);
    CLauncherApp& app = *GetLauncherApp();
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        AddPageIcon(m_imageList, i);
        if (i == 0)
            m_listCtrl.SetImageList(m_imageList, LVSIL_SMALL);
        m_listCtrl.InsertItem(i, app.m_pPages[i]->GetPageName(), i);
        m_listCtrl.SetItemData(i, (DWORD_PTR)app.m_pPages[i]);
    }

    ShowPage(0);
    // No item is selected yet: the first key or click picks one.
    m_listCtrl.EnsureVisible(0, TRUE);
    m_listCtrl.SetFocus();
    app.LoadConfig();
    return TRUE;
}

void CListLauncherDlg::ShowPage(int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT)
        return;
    ShowOnlyPage(GetLauncherApp()->m_pPages[nPage]);
    m_nShownPage = nPage;
}

// A click beside the items leaves nothing selected and the page as it was.
void CListLauncherDlg::OnClickList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    int nItem = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (nItem >= 0)
    {
        ShowOnlyPage((CSettingsPage*)m_listCtrl.GetItemData(nItem));
        m_nShownPage = nItem;
    }
    *pResult = 0;
}

// The notification comes before the list view moves its selection, so the
// page that the key will select is worked out here.
void CListLauncherDlg::OnKeydownList(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nLast = CLauncherApp::PAGE_COUNT - 1;
    int nCurrent = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    int nPage;
    switch (((NMLVKEYDOWN*)pNMHDR)->wVKey)
    {
    case VK_PRIOR:
        if (nCurrent == 0)
            return;
        nPage = std::max(nCurrent - PAGE_STEP, 0);
        break;
    case VK_NEXT:
        if (nCurrent == nLast)
            return;
        nPage = std::min(nCurrent + PAGE_STEP, nLast);
        break;
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
    case VK_UP:
        if (nCurrent - 1 < 0)
            return;
        nPage = nCurrent - 1;
        break;
    case VK_DOWN:
        if (nCurrent + 1 >= CLauncherApp::PAGE_COUNT)
            return;
        nPage = nCurrent + 1;
        break;
    default:
        return;
    }
    ShowPage(nPage);
    PostMessage(WM_SYNC_LIST_SELECTION);
    *pResult = 0;
}

LRESULT CListLauncherDlg::OnSyncList(WPARAM, LPARAM)
{
    if (m_nShownPage >= 0 && m_listCtrl.GetNextItem(-1, LVNI_SELECTED) != m_nShownPage)
    {
        const UINT nBoth = LVIS_SELECTED | LVIS_FOCUSED;
        m_listCtrl.SetItemState(m_nShownPage, nBoth, nBoth);
        m_listCtrl.EnsureVisible(m_nShownPage, TRUE);
    }
    return 0;
}
