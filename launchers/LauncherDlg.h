// Classes in this file:
//   CLauncherDlg - what the launcher windows share: the page windows over one
//                  page area, Launch and Leave
#pragma once

#include "framework/Dialog.h"

class CSettingsPage;

class CLauncherDlg : public CDialog
{
public:
    CLauncherDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

// Operations
    // Writes the options file and starts the emulator; the window stays open
    void Launch();
    // Offers to save when a page changed, then ends the window with 1
    void Leave();

protected:
    // Creates every page's window as a hidden child placed exactly over the page area
    void CreatePages(const CWnd& pageArea);
    // Hides every page, in page order, then shows that one
    void ShowOnlyPage(CSettingsPage* pPage);

    void OnOK() override { Launch(); }
    void OnCancel() override { Leave(); }
};
