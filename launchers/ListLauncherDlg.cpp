#include "ListLauncherDlg.h"

#include "PageIcons.h"
#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

#include <algorithm>

// Page Up and Page Down move this many items
static const int PAGE_STEP = 5;

CListLauncherDlg::CListLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_LIST_LAUNCHER, IDC_LIST_PAGE_AREA, CLauncherApp::STYLE_LIST, pParent)
{
}

void CListLauncherDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_PAGES, m_listCtrl);
}

BEGIN_MESSAGE_MAP(CListLauncherDlg, CLauncherDlg)
    ON_NOTIFY(NM_CLICK, IDC_LIST_PAGES, OnClickList)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LIST_PAGES, OnKeydownList)
END_MESSAGE_MAP()

BOOL CListLauncherDlg::OnInitDialog()
{
    CLauncherDlg::OnInitDialog();

    // One column of names, as wide as the list inside its border and beside
    // the scroll bar that twelve pages need
    RECT rcList;
    ::GetClientRect(m_listCtrl, &rcList);
    m_listCtrl.InsertColumn(0, "", LVCFMT_LEFT, rcList.right - ::GetSystemMetrics(SM_CXVSCROLL));

    CLauncherApp& app = *GetLauncherApp();
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        AddPageIcon(m_imageList, i);
        if (i == 0)
            m_listCtrl.SetImageList(m_imageList, LVSIL_SMALL);
        m_listCtrl.InsertItem(i, app.m_pPages[i]->GetPageName(), i);
        m_listCtrl.SetItemData(i, (DWORD_PTR)app.m_pPages[i]);
    }

    ShowPage(CLauncherApp::PAGE_EMULATOR);
    // No item is selected yet: the first key or click picks one.
    m_listCtrl.EnsureVisible(0, TRUE);
    m_listCtrl.SetFocus();
    app.LoadConfig();
    return TRUE;
}

// A click beside the items leaves nothing selected and the page as it was.
void CListLauncherDlg::OnClickList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    int nItem = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (nItem >= 0)
    {
        // The item carries its page.
        CSettingsPage* pPage = (CSettingsPage*)m_listCtrl.GetItemData(nItem);
        CSettingsPage* const* ppPages = GetLauncherApp()->m_pPages;
        for (int nPage = 0; nPage < CLauncherApp::PAGE_COUNT; nPage++)
            if (ppPages[nPage] == pPage)
                ShowPage(nPage);
    }
    *pResult = 0;
}

// The notification comes before the list view moves its selection, so the
// page that the key will select is worked out here.
void CListLauncherDlg::OnKeydownList(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nLast = CLauncherApp::PAGE_COUNT - 1;
    UINT vk = ((NMLVKEYDOWN*)pNMHDR)->wVKey;
    int nCurrent = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    int nPage = PageForKey(vk, VK_UP, VK_DOWN, nCurrent);
    if (vk == VK_PRIOR)
        nPage = std::max(nCurrent - PAGE_STEP, 0);
    else if (vk == VK_NEXT)
        nPage = std::min(nCurrent + PAGE_STEP, nLast);
    FollowKey(nCurrent, nPage);
    *pResult = 0;
}

// From no selection, or after Page Up and Page Down, the list view may pick
// another item than the page on view, and the two must not disagree.
void CListLauncherDlg::SelectShownPage()
{
    if (m_listCtrl.GetNextItem(-1, LVNI_SELECTED) != m_nShownPage)
    {
        const UINT nBoth = LVIS_SELECTED | LVIS_FOCUSED;
        m_listCtrl.SetItemState(m_nShownPage, nBoth, nBoth);
        m_listCtrl.EnsureVisible(m_nShownPage, TRUE);
    }
}
