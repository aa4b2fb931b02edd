// Classes in this file:
//   CHardDiskPage - the hard disks DH0 to DH9: host folders that the Amiga mounts as volumes
#pragma once

#include "framework/CommonControls.h"
#include "framework/Controls.h"
#include "pages/SettingsPage.h"

class CHardDiskPage : public CSettingsPage
{
public:
    enum { DISK_COUNT = 10 };

    CHardDiskPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "HD"; }
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

    // Shows a hard disk in the row of that device ("DH0" to "DH9")
    void SetDiskRow(const CString& strDevice, const CString& strName, BOOL bReadOnly, const CString& strPath);
    // Shows a stored fragment, split into its read-only flag, name and path
    void LoadDiskRow(const CString& strDevice, const CString& strValue);

    CButton m_btnEdit;
    CButton m_groupHardDisk;
    CButton m_btnDelete;
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

    // The fragment of a row, with the path in its short form for the emulator
    CString BuildFragment(int nRow, BOOL bShortPath);
    // Writes a cell and widens its column to the text; columns never shrink
    void SetCell(int nRow, int nColumn, const CString& strText);
    static CString DiskKey(int nDisk);
};
