// Classes in this file:
//   CListLauncherDlg - the "List Dialog" launcher window: the pages picked from a list view
#pragma once

#include "LauncherDlg.h"
#include "framework/CommonControls.h"

class CListLauncherDlg : public CLauncherDlg
{
public:
    explicit CListLauncherDlg(CWnd* pParent = nullptr);

    CImageList m_imageList;
    CListCtrl m_listCtrl;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeydownList(NMHDR* pNMHDR, LRESULT* pResult);
    void SelectShownPage() override;

    DECLARE_MESSAGE_MAP()
};
