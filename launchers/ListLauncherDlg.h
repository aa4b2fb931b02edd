// Classes in this file:
//   CListLauncherDlg - the "List Dialog" launcher window: the pages picked from a list view
#pragma once

#include "LauncherDlg.h"
#include "framework/CommonControls.h"
#include "framework/Controls.h"

class CListLauncherDlg : public CLauncherDlg
{
public:
    explicit CListLauncherDlg(CWnd* pParent = nullptr);

    CImageList m_imageList;
    CButton m_btnLaunch;
    CButton m_btnLeave;
    CStatic m_staticPageArea;
    CListCtrl m_listCtrl;
    HICON m_hIcon;

// Operations
    // Hides every page, then shows the one of that index
    void ShowPage(int nPage);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeydownList(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnSyncList(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    int m_nShownPage = -1;
};
