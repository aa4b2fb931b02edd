#include "DriveListPage.h"

#include "app/LauncherApp.h"

// Header widths: the heading's text plus this margin
static const int HEADER_MARGIN = 15;
// A cell's text needs this much more than its own width
static const int CELL_MARGIN = 30;

void CDriveListPage::LoadFromProfile()
{
    // Redrawn once at the end, not once for every cell
    m_rDriveList.SetRedraw(FALSE);
    for (int nDrive = 0; nDrive < m_nDriveCount; nDrive++)
        LoadRow(DeviceName(nDrive), App().ReadConfigValue(DriveKey(nDrive)));
    m_rDriveList.SetRedraw(TRUE);
}

void CDriveListPage::SaveToProfile()
{
    for (int nDrive = 0; nDrive < m_nDriveCount; nDrive++)
        App().WriteConfigValue(DriveKey(nDrive));
}

void CDriveListPage::UpdateOptions()
{
    CLauncherApp& app = App();
    int nRows = m_rDriveList.GetItemCount();
    for (int nRow = 0; nRow < nRows; nRow++)
    {
        CString strKey = DriveKey(nRow);
        app.m_mapOptions[strKey] = BuildFragment(nRow, FALSE);
        app.m_mapOptions[strKey + "DOS"] = BuildFragment(nRow, TRUE);
    }
}

BOOL CDriveListPage::IsModified()
{
    int nRows = m_rDriveList.GetItemCount();
    for (int nRow = 0; nRow < nRows; nRow++)
        if (BuildFragment(nRow, FALSE) != OptionValue(DriveKey(nRow)))
            return TRUE;
    return FALSE;
}

void CDriveListPage::AppendOptions(CString& strLine, LPCSTR pszSeparator)
{
    for (int nDrive = 0; nDrive < m_nDriveCount; nDrive++)
        AppendOption(strLine, pszSeparator, DriveKey(nDrive) + "DOS");
}

CString CDriveListPage::DriveKey(int nDrive) const
{
    return DeviceName(nDrive) + "Path";
}

CString CDriveListPage::DeviceName(int nDrive) const
{
    CString strDevice;
    strDevice.Format("%s%d", (LPCSTR)m_strDevicePrefix, nDrive);
    return strDevice;
}

void CDriveListPage::InitDriveList(const LPCSTR* ppszColumns, int nColumns)
{
    // Without redrawing the list view does not lay out its scroll bars after
    // every column and row.
    m_rDriveList.SetRedraw(FALSE);
    for (int nColumn = 0; nColumn < nColumns; nColumn++)
        m_rDriveList.InsertColumn(nColumn, ppszColumns[nColumn], LVCFMT_LEFT,
                                  m_rDriveList.GetStringWidth(ppszColumns[nColumn]) + HEADER_MARGIN);
    CLauncherApp& app = App();
    for (int nDrive = 0; nDrive < m_nDriveCount; nDrive++)
    {
        m_rDriveList.InsertItem(nDrive, DeviceName(nDrive));
        app.m_mapOptions[DriveKey(nDrive)] = "";
    }
    m_rDriveList.SetRedraw(TRUE);
}

void CDriveListPage::SetCell(int nRow, int nColumn, const CString& strText)
{
    m_rDriveList.SetItemText(nRow, nColumn, strText);
    if (strText.IsEmpty())
        return;
    int nWidth = m_rDriveList.GetStringWidth(strText) + CELL_MARGIN;
    if (m_rDriveList.GetColumnWidth(nColumn) < nWidth)
        m_rDriveList.SetColumnWidth(nColumn, nWidth);
}
