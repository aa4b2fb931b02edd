// Classes in this file:
//   CFloppyPage - the floppy drives DF0 to DF3 and the disk image catalog
#pragma once

#include "CatalogThread.h"
#include "DriveListPage.h"
#include "framework/CommonControls.h"
#include "framework/Controls.h"

class CFloppyPage : public CDriveListPage
{
public:
    enum { DRIVE_COUNT = 4 };

    CFloppyPage();
    ~CFloppyPage() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Floppy"; }

    // The run started last, held until the next start or the page's end
    CCatalogThread* m_pCatalogThread = nullptr;
    CProgressCtrl m_progressCatalog;
    CButton m_btnCatalog;
    CListCtrl m_listDrives;
    // From Start until the run tells its end; a window made while a run goes
    // on shows it
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

    // Shows an image in the row of that device ("DF0" to "DF3")
    void SetDriveRow(const CString& strDevice, const CString& strName, const CString& strPath);
    // Shows a stored fragment: its path from the fourth character on, and the image's volume name
    void LoadDriveRow(const CString& strDevice, const CString& strValue);
    // The row Insert fills, selected where the user sees it: the row with the
    // focus, else the selected one, else the first drive without an image
    // (DF0 when every drive holds one)
    int InsertRow();

    CString BuildFragment(int nRow, BOOL bShortPath) override;
    void LoadRow(const CString& strDevice, const CString& strValue) override { LoadDriveRow(strDevice, strValue); }
    // Shows the run under way in a new window of the page
    void ShowCatalogRun();
};
