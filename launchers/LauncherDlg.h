// Classes in this file:
//   CLauncherDlg - what the launcher windows share: the icon, the page windows
//                  over one page area, the page on view, the keys that move
//                  through the pages, Launch and Leave
#pragma once

#include "framework/Dialog.h"

class CSettingsPage;

class CLauncherDlg : public CDialog
{
public:
    CLauncherDlg(UINT nIDTemplate, UINT nIDPageArea, int nStyle, CWnd* pParent);

// Operations
    // Hides every page, then shows the one of that index; any other index
    // changes nothing
    void ShowPage(int nPage);
    // Writes the options file and starts the emulator; the window stays open
    void Launch();
    // Offers to save when a page changed, then ends the window with IDOK
    void Leave();

protected:
    // The icon, then every page's window as a hidden child placed exactly
    // over the page area; a window calls LoadConfig when it is complete
    BOOL OnInitDialog() override;

    // The page on view; -1 before the first
    int m_nShownPage = -1;
    // Called once a page is on view
    virtual void OnPageShown(int /*nPage*/) {}

    // The page that a key shared by the windows selects from page nCurrent
    // (-1: none selected): Home the first, End the last, vkBack and vkOn one
    // back and one on; -1 for any other key
    static int PageForKey(UINT vk, UINT vkBack, UINT vkOn, int nCurrent);
    // Shows the page a key selects, as the control that took the key will
    // select it; FALSE when the key moves to no other page. Some controls
    // leave keys alone or pick another item, so once the control has acted,
    // the page on view gets its selection back (SelectShownPage).
    BOOL FollowKey(int nCurrent, int nPage);
    // Selects the page on view in the control that picks the pages
    virtual void SelectShownPage() {}

    void OnOK() override { Launch(); }
    void OnCancel() override { Leave(); }

    DECLARE_MESSAGE_MAP()

private:
    LRESULT OnSyncSelection(WPARAM wParam, LPARAM lParam);

    HICON m_hIcon;
    HICON m_hSmallIcon;
    UINT m_nIDPageArea;
    int m_nStyle;
};
