#include "LauncherDlg.h"

#include "app/LauncherApp.h"

void CLauncherDlg::Launch()
{
    GetLauncherApp()->LaunchEmulator();
}

void CLauncherDlg::Leave()
{
    GetLauncherApp()->OfferToSave(*this);
    EndDialog(IDOK);
}

void CLauncherDlg::CreatePages(const CWnd& pageArea)
{
    WINDOWPLACEMENT wpPageArea;
    pageArea.GetWindowPlacement(&wpPageArea);
    for (CSettingsPage* pPage : GetLauncherApp()->m_pPages)
    {
        pPage->Create(pPage->GetTemplateID(), this);
        pPage->SetWindowPlacement(&wpPageArea);
        pPage->ShowWindow(SW_HIDE);
    }
}

void CLauncherDlg::ShowOnlyPage(CSettingsPage* pPage)
{
    for (CSettingsPage* pEach : GetLauncherApp()->m_pPages)
        pEach->ShowWindow(SW_HIDE);
    if (pPage)
        pPage->ShowWindow(SW_SHOW);
}
