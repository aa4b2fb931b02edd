// Classes in this file:
//   CHardDiskPage - the hard disks DH0 to DH9: host folders that the Amiga mounts as volumes
#pragma once

#include "DriveListPage.h"
#include "framework/CommonControls.h"

class CHardDiskPage : public CDriveListPage
{
public:
    enum { DISK_COUNT = 10 };

    CHardDiskPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "HD"; }

    // Shows a hard disk in the row of that device ("DH0" to "DH9")
    void SetDiskRow(const CString& strDevice, const CString& strName, BOOL bReadOnly, const CString& strPath);

    CListCtrl m_listDisks;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDelete();
    void OnEdit();
    void OnDblclkDiskList(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    enum { COLUMN_DEVICE, COLUMN_NAME, COLUMN_READ_ONLY, COLUMN_PATH };

    CString BuildFragment(int nRow, BOOL bShortPath) override;
    void LoadRow(const CString& strDevice, const CString& strValue) override { LoadDiskRow(strDevice, strValue); }
    // Shows a stored fragment, split into its read-only flag, name and path
    void LoadDiskRow(const CString& strDevice, const CString& strValue);
};
