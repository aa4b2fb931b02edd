// Classes in this file:
//   CTabLauncherDlg - the "Tab Dialog" launcher window: one tab per settings page
#pragma once

#include "LauncherDlg.h"
#include "framework/CommonControls.h"
#include "framework/Controls.h"

class CTabLauncherDlg : public CLauncherDlg
{
public:
    explicit CTabLauncherDlg(CWnd* pParent = nullptr);
    ~CTabLauncherDlg() override;

    CStatic m_staticIcon;
    CTabCtrl m_tabCtrl;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClickTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeydownTab(NMHDR* pNMHDR, LRESULT* pResult);
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up move to the
    // next or the previous page from anywhere in the window
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The page's icon beside the tabs
    void OnPageShown(int nPage) override;
    void SelectShownPage() override;

    DECLARE_MESSAGE_MAP()

private:
    CImageList m_imageList;
    // The icon on view in the page icon static; ours to destroy
    HICON m_hPageIcon = nullptr;
};
