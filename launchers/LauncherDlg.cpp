#include "LauncherDlg.h"

#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

// Posted by FollowKey: by the time it arrives the control has acted on the key.
static const UINT WM_SYNC_SELECTION = WM_APP + 1;

BEGIN_MESSAGE_MAP(CLauncherDlg, CDialog)
    ON_MESSAGE(WM_SYNC_SELECTION, OnSyncSelection)
END_MESSAGE_MAP()

CLauncherDlg::CLauncherDlg(UINT nIDTemplate, UINT nIDPageArea, int nStyle, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nIDPageArea(nIDPageArea), m_nStyle(nStyle)
{
    m_hIcon = AfxLoadWindowIcon(IDR_MAINFRAME, TRUE);
    m_hSmallIcon = AfxLoadWindowIcon(IDR_MAINFRAME, FALSE);
}

BOOL CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon, FALSE);
    // The Info page shows the style of the window it opens in.
    CLauncherApp& app = *GetLauncherApp();
    app.m_nLauncherStyle = m_nStyle;
    // A new window comes last in the Tab order; each page takes the page
    // area's place in it instead, where the template puts the page.
    CWnd wndPageArea(GetDlgItem(m_nIDPageArea));
    WINDOWPLACEMENT wpPageArea;
    wndPageArea.GetWindowPlacement(&wpPageArea);
    HWND hWndBefore = wndPageArea;
    for (CSettingsPage* pPage : app.m_pPages)
    {
        pPage->Create(pPage->GetTemplateID(), this);
        ::SetWindowPos(*pPage, hWndBefore, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        hWndBefore = *pPage;
        pPage->SetWindowPlacement(&wpPageArea);
        pPage->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CLauncherDlg::ShowPage(int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT)
        return;
    CSettingsPage* const* ppPages = GetLauncherApp()->m_pPages;
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
        ppPages[i]->ShowWindow(SW_HIDE);
    ppPages[nPage]->ShowWindow(SW_SHOW);
    m_nShownPage = nPage;
    OnPageShown(nPage);
}

void CLauncherDlg::Launch()
{
    GetLauncherApp()->LaunchEmulator();
}

void CLauncherDlg::Leave()
{
    // A save that failed has told why; the window stays with what it shows,
    // to be saved again or left with No.
    if (GetLauncherApp()->OfferToSave(*this))
        EndDialog(IDOK);
}

int CLauncherDlg::PageForKey(UINT vk, UINT vkBack, UINT vkOn, int nCurrent)
{
    if (vk == VK_HOME)
        return 0;
    if (vk == VK_END)
        return CLauncherApp::PAGE_COUNT - 1;
    if (vk == vkBack)
        return nCurrent - 1;
    if (vk == vkOn)
        return nCurrent + 1;
    return -1;
}

BOOL CLauncherDlg::FollowKey(int nCurrent, int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT || nPage == nCurrent)
        return FALSE;
    ShowPage(nPage);
    PostMessage(WM_SYNC_SELECTION);
    return TRUE;
}

LRESULT CLauncherDlg::OnSyncSelection(WPARAM, LPARAM)
{
    if (m_nShownPage >= 0)
        SelectShownPage();
    return 0;
}
