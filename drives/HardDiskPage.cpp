#include "HardDiskPage.h"

#include "HardDiskNameDlg.h"
#include "app/LauncherApp.h"
#include "framework/File.h"
#include "res/resource.h"

static const LPCSTR s_pszColumns[] = { "Device", "Name", "R/O", "Path" };

BEGIN_MESSAGE_MAP(CHardDiskPage, CDriveListPage)
    ON_BN_CLICKED(IDC_HARDDISK_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_HARDDISK_EDIT, OnEdit)
    ON_NOTIFY(NM_DBLCLK, IDC_HARDDISK_LIST, OnDblclkDiskList)
END_MESSAGE_MAP()

CHardDiskPage::CHardDiskPage() : CDriveListPage(IDD_HARDDISK_PAGE, "DH", DISK_COUNT, m_listDisks)
{
}

UINT CHardDiskPage::GetTemplateID()
{
    return IDD_HARDDISK_PAGE;
}

void CHardDiskPage::DoDataExchange(CDataExchange* pDX)
{
    CDriveListPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HARDDISK_LIST, m_listDisks);
}

BOOL CHardDiskPage::OnInitDialog()
{
    CDriveListPage::OnInitDialog();
    InitDriveList(s_pszColumns, sizeof(s_pszColumns) / sizeof(s_pszColumns[0]));
    m_listDisks.SetFocus();
    return TRUE;
}

void CHardDiskPage::SetDiskRow(const CString& strDevice, const CString& strName, BOOL bReadOnly,
                               const CString& strPath)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = strDevice;
    int nRow = m_listDisks.FindItem(&find);
    if (nRow < 0)
        return;
    SetCell(nRow, COLUMN_NAME, strName);
    SetCell(nRow, COLUMN_READ_ONLY, strPath.IsEmpty() ? "" : (bReadOnly ? "Yes" : "No"));
    SetCell(nRow, COLUMN_PATH, strPath);
}

void CHardDiskPage::LoadDiskRow(const CString& strDevice, const CString& strValue)
{
    BOOL bReadOnly = strValue.GetLength() >= 2 && strValue[1] == 'M';
    // The name lies between "-m " and the first colon; the path follows it.
    int nColon = strValue.Find(':');
    CString strName = nColon > 3 ? strValue.Mid(3, nColon - 3) : CString("");
    CString strPath = nColon >= 0 ? strValue.Mid(nColon + 1) : strValue;
    SetDiskRow(strDevice, strName, bReadOnly, strPath);
}

void CHardDiskPage::OnDelete()
{
    int nRow = m_listDisks.GetNextItem(-1, LVNI_FOCUSED);
    if (nRow < 0)
        return;
    m_listDisks.SetItemText(nRow, COLUMN_NAME, "");
    m_listDisks.SetItemText(nRow, COLUMN_READ_ONLY, "");
    m_listDisks.SetItemText(nRow, COLUMN_PATH, "");
    m_listDisks.SetFocus();
}

void CHardDiskPage::OnEdit()
{
    int nRow = m_listDisks.GetNextItem(-1, LVNI_FOCUSED);
    if (nRow < 0)
        return;
    CString strDevice = m_listDisks.GetItemText(nRow, COLUMN_DEVICE);
    CString strReadOnly = m_listDisks.GetItemText(nRow, COLUMN_READ_ONLY);

    // The picker opens on the disk's folder, so that confirming it at once
    // keeps that folder; it gives only folders that exist, so the emulator
    // finds what it mounts.
    CFolderPickerDialog dlgFolder(m_listDisks.GetItemText(nRow, COLUMN_PATH), this);
    if (dlgFolder.DoModal() != IDOK)
        return;

    CHardDiskNameDlg dlgName(this);
    dlgName.m_strName = m_listDisks.GetItemText(nRow, COLUMN_NAME);
    dlgName.m_bReadOnly = strReadOnly == "Yes";
    if (dlgName.DoModal() != IDOK)
        return;
    SetDiskRow(strDevice, dlgName.m_strName, dlgName.m_bReadOnly, dlgFolder.GetFolderPath());
}

void CHardDiskPage::OnDblclkDiskList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

CString CHardDiskPage::BuildFragment(int nRow, BOOL bShortPath)
{
    CString strName = m_listDisks.GetItemText(nRow, COLUMN_NAME);
    if (strName.IsEmpty())
        return "";
    CString strPrefix = m_listDisks.GetItemText(nRow, COLUMN_READ_ONLY) == "Yes" ? "-M " : "-m ";
    CString strPath = m_listDisks.GetItemText(nRow, COLUMN_PATH);
    if (bShortPath)
        strPath = App().GetShortPath(strPath, TRUE);
    return strPrefix + strName + ":" + strPath;
}

