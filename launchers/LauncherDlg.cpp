#include "LauncherDlg.h"

#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"
#include "res/resource.h"

// Posted by FollowKey: by the time it arrives the control has acted on the key.
static const UINT WM_SYNC_SELECTION = WM_APP + 1;

BEGIN_MESSAGE_MAP(CLauncherDlg, CDialog)
    ON_MESSAGE(WM_SYNC_SELECTION, OnSyncSelection)
END_MESSAGE_MAP()

CLauncherDlg::CLauncherDlg(UINT nIDTemplate, UINT nIDPageArea, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nIDPageArea(nIDPageArea)
{
    m_hIcon = AfxLoadWindowIcon(IDR_MAINFRAME, TRUE);
    m_hSmallIcon = AfxLoadWindowIcon(IDR_MAINFRAME, FALSE);
}

BOOL CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon, FALSE);

    WINDOWPLACEMENT wpPageArea;
    CWnd(GetDlgItem(m_nIDPageArea)).GetWindowPlacement(&wpPageArea);
    for (CSettingsPage* pPage : GetLauncherApp()->m_pPages)
    {
        pPage->Create(pPage->GetTemplateID(), this);
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
    GetLauncherApp()->OfferToSave(*this);
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
