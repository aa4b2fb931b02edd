// Classes in this file:
//   CFloppyPage - the floppy drives DF0 to DF3 and the disk image catalog
#pragma once

#include "CatalogThread.h"
#include "framework/CommonControls.h"
#include "framework/Controls.h"
#include "pages/SettingsPage.h"

class CFloppyPage : public CSettingsPage
{
public:
    enum { DRIVE_COUNT = 4 };

    CFloppyPage();
    ~CFloppyPage() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Floppy"; }
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

    // Shows an image in the row of that device ("DF0" to "DF3")
    void SetDriveRow(const CString& strDevice, const CString& strName, const CString& strPath);
    // Shows a stored fragment: its path from the fourth character on, and the image's volume name
    void LoadDriveRow(const CString& strDevice, const CString& strValue);

    CCatalogThread* m_pCatalogThread = nullptr;
    CButton m_btnInsert;
    CProgressCtrl m_progressCatalog;
    CButton m_btnCatalog;
    CButton m_btnEject;
    CListCtrl m_listDrives;
    BOOL m_bCatalogRunning = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnCatalogBegin(WPARAM wParam, LPARAM lParam);
    LRESULT OnCatalogStep(WPARAM wParam, LPARAM lParam);
    LRESULT OnCatalogDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    void OnInsert();
    void OnEject();
    void OnDblclkDriveList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCatalog();

    DECLARE_MESSAGE_MAP()

private:
    enum { COLUMN_DEVICE, COLUMN_NAME, COLUMN_PATH };

    // The fragment of a row, with the path in its short form for the emulator
    CString BuildFragment(int nRow, BOOL bShortPath);
    // Writes a cell and widens its column to the text; columns never shrink
    void SetCell(int nRow, int nColumn, const CString& strText);
    // Waits for the last catalog thread to end, handling its messages meanwhile, and releases it
    void EndCatalogThread();
    static CString DriveKey(int nDrive);
};
