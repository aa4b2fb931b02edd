// Classes in this file:
//   CDriveListPage - base of the drive pages: one list row and one profile key per drive
#pragma once

#include "framework/CommonControls.h"
#include "pages/SettingsPage.h"

class CDriveListPage : public CSettingsPage
{
public:
// Page operations: every drive's key, in drive order
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    // Only the short-path twins reach the emulator.
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    CDriveListPage(UINT nIDTemplate, LPCSTR pszDevicePrefix, int nDriveCount, CListCtrl& listDrives)
        : CSettingsPage(nIDTemplate), m_strDevicePrefix(pszDevicePrefix), m_nDriveCount(nDriveCount),
          m_rDriveList(listDrives) {}

    // "DF0Path", "DH3Path"...
    CString DriveKey(int nDrive) const;
    // "DF0", "DH3"...
    CString DeviceName(int nDrive) const;
    // Columns as wide as their headings, a row per drive, and every drive's empty fragment
    void InitDriveList(const LPCSTR* ppszColumns, int nColumns);
    // Writes a cell and widens its column to the text; columns never shrink
    void SetCell(int nRow, int nColumn, const CString& strText);

    // The fragment of a row, with the path in its short form for the emulator
    virtual CString BuildFragment(int nRow, BOOL bShortPath) = 0;
    // Shows a stored fragment in the row of that device
    virtual void LoadRow(const CString& strDevice, const CString& strValue) = 0;

private:
    CString m_strDevicePrefix;
    int m_nDriveCount;
    CListCtrl& m_rDriveList;
};
