#include "FloppyPage.h"

#include "app/LauncherApp.h"
#include "framework/File.h"
#include "res/resource.h"

#include <algorithm>

static const LPCSTR s_pszColumns[] = { "Device", "Name", "Path" };

// The progress bar paints itself anew, at once, each time it moves: a move
// per image would cost the window more than the run's own work on the image.
// Over a large folder the bar moves every few images, a hundred times or so.
enum { PROGRESS_MOVES = 100 };

BEGIN_MESSAGE_MAP(CFloppyPage, CDriveListPage)
    ON_MESSAGE(WM_CATALOG_BEGIN, OnCatalogBegin)
    ON_MESSAGE(WM_CATALOG_STEP, OnCatalogStep)
    ON_MESSAGE(WM_CATALOG_DONE, OnCatalogDone)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_BN_CLICKED(IDC_FLOPPY_INSERT, OnInsert)
    ON_BN_CLICKED(IDC_FLOPPY_EJECT, OnEject)
    ON_NOTIFY(NM_DBLCLK, IDC_FLOPPY_LIST, OnDblclkDriveList)
    ON_BN_CLICKED(IDC_FLOPPY_CATALOG, OnCatalog)
END_MESSAGE_MAP()

CFloppyPage::CFloppyPage() : CDriveListPage(IDD_FLOPPY_PAGE, "DF", DRIVE_COUNT, m_listDrives)
{
}

// The program ends: a run still under way finishes its report first. No window
// is left to freeze, and the run's messages are handled meanwhile.
CFloppyPage::~CFloppyPage()
{
    if (!m_pCatalogThread)
        return;
    m_pCatalogThread->Attach(nullptr);
    HANDLE hThread = m_pCatalogThread->m_hThread;
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
    {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_pCatalogThread->Release();
}

UINT CFloppyPage::GetTemplateID()
{
    return IDD_FLOPPY_PAGE;
}

void CFloppyPage::DoDataExchange(CDataExchange* pDX)
{
    CDriveListPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FLOPPY_PROGRESS, m_progressCatalog);
    DDX_Control(pDX, IDC_FLOPPY_CATALOG, m_btnCatalog);
    DDX_Control(pDX, IDC_FLOPPY_LIST, m_listDrives);
}

BOOL CFloppyPage::OnInitDialog()
{
    CDriveListPage::OnInitDialog();
    InitDriveList(s_pszColumns, sizeof(s_pszColumns) / sizeof(s_pszColumns[0]));
    ShowCatalogRun();
    m_listDrives.SetFocus();
    return TRUE;
}

void CFloppyPage::SetDriveRow(const CString& strDevice, const CString& strName, const CString& strPath)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = strDevice;
    int nRow = m_listDrives.FindItem(&find);
    if (nRow < 0)
        return;
    SetCell(nRow, COLUMN_NAME, strName);
    SetCell(nRow, COLUMN_PATH, strPath);
}

void CFloppyPage::LoadDriveRow(const CString& strDevice, const CString& strValue)
{
    CString strPath = FragmentValue(strValue);
    SetDriveRow(strDevice, App().GetDiskName(strPath), strPath);
}

int CFloppyPage::InsertRow()
{
    int nRow = m_listDrives.GetNextItem(-1, LVNI_FOCUSED);
    if (nRow < 0)
        nRow = m_listDrives.GetNextItem(-1, LVNI_SELECTED);
    for (int i = 0; nRow < 0 && i < m_listDrives.GetItemCount(); i++)
        if (m_listDrives.GetItemText(i, COLUMN_PATH).IsEmpty())
            nRow = i;
    if (nRow < 0)
        nRow = 0;
    m_listDrives.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listDrives.EnsureVisible(nRow, FALSE);
    return nRow;
}

void CFloppyPage::OnInsert()
{
    int nRow = InsertRow();
    CString strDevice = m_listDrives.GetItemText(nRow, COLUMN_DEVICE);
    int nDrive = TextNumber(strDevice.Mid(2));

    // The name the dialog proposes is the drive's own.
    CString strFileName;
    strFileName.Format("df%d.adf", nDrive);
    CFileDialog dlg(TRUE, "adf", strFileName, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                    "Amiga Disk File (*.adf)|*.adf|Amiga Disk File Gzipped (*.gz)|*.gz", this);
    CString strInitialDir = CLauncherApp::FolderOf(m_listDrives.GetItemText(nRow, COLUMN_PATH));
    if (!strInitialDir.IsEmpty())
        dlg.m_ofn.lpstrInitialDir = strInitialDir;
    if (dlg.DoModal() != IDOK)
        return;

    // The result: one full path, or the folder and then each file name, every
    // string ended by a NUL and the list by a further NUL.
    LPCSTR pszResult = dlg.m_ofn.lpstrFile;
    LPCSTR pszEnd = pszResult + dlg.m_ofn.nMaxFile;
    auto next = [pszEnd](LPCSTR psz) {
        while (psz < pszEnd && *psz)
            psz++;
        return psz < pszEnd ? psz + 1 : pszEnd;
    };
    CString strFirst(pszResult, (int)(next(pszResult) - pszResult - 1));
    LPCSTR pszName = next(pszResult);
    if (pszName >= pszEnd || !*pszName)
    {
        SetDriveRow(strDevice, App().GetDiskName(strFirst), strFirst);
        return;
    }
    // A root folder comes back with its backslash already.
    CString strFolder = strFirst;
    if (strFolder.Right(1) != "\\")
        strFolder += "\\";
    for (; pszName < pszEnd && *pszName && nDrive < DRIVE_COUNT; pszName = next(pszName), nDrive++)
    {
        LPCSTR pszNameEnd = next(pszName);
        CString strPath = strFolder + CString(pszName, (int)(pszNameEnd - pszName - 1));
        strDevice.Format("DF%d", nDrive);
        SetDriveRow(strDevice, App().GetDiskName(strPath), strPath);
    }
}

void CFloppyPage::OnEject()
{
    int nRow = m_listDrives.GetNextItem(-1, LVNI_FOCUSED);
    if (nRow < 0)
        return;
    m_listDrives.SetItemText(nRow, COLUMN_NAME, "");
    m_listDrives.SetItemText(nRow, COLUMN_PATH, "");
    m_listDrives.SetFocus();
}

void CFloppyPage::OnDblclkDriveList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    OnInsert();
    *pResult = 0;
}

void CFloppyPage::OnCatalog()
{
    if (m_bCatalogRunning)
    {
        m_pCatalogThread->m_bStop = TRUE;
        return;
    }
    CFileDialog dlgReport(FALSE, "txt", "AdfList.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "*.txt|*.txt", this);
    dlgReport.m_ofn.lpstrTitle = "Give a name to that report";
    if (dlgReport.DoModal() != IDOK)
        return;
    CFileDialog dlgImage(TRUE, "adf", "*.adf", OFN_HIDEREADONLY, "*.adf|*.adf", this);
    dlgImage.m_ofn.lpstrTitle = "Select one of the files to catalog";
    if (dlgImage.DoModal() != IDOK)
        return;

    CCatalogThread* pRun = new CCatalogThread;
    pRun->m_strReportPath = dlgReport.GetPathName();
    pRun->m_strImagePath = dlgImage.GetPathName();
    if (!pRun->Start(m_hWnd))
    {
        pRun->Release();
        return;
    }
    // The last run has told its end; its thread holds it while it ends.
    if (m_pCatalogThread)
        m_pCatalogThread->Release();
    m_pCatalogThread = pRun;
    m_btnCatalog.SetWindowText("&Stop");
    m_bCatalogRunning = TRUE;
}

void CFloppyPage::ShowCatalogRun()
{
    m_bCatalogRunning = m_pCatalogThread && !m_pCatalogThread->IsDone();
    if (!m_bCatalogRunning)
        return;
    m_pCatalogThread->Attach(m_hWnd);
    m_btnCatalog.SetWindowText("&Stop");
    if (m_pCatalogThread->GetImageCount() < 0)
        return;
    OnCatalogBegin(m_pCatalogThread->GetImageCount(), 0);
    m_progressCatalog.SetPos(m_pCatalogThread->GetListedCount());
}

LRESULT CFloppyPage::OnCatalogBegin(WPARAM wParam, LPARAM /*lParam*/)
{
    m_progressCatalog.SetRange32(0, (int)wParam);
    m_progressCatalog.SetPos(0);
    return 0;
}

LRESULT CFloppyPage::OnCatalogStep(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The run has counted the image already.
    int nListed = m_pCatalogThread->GetListedCount();
    int nImages = m_pCatalogThread->GetImageCount();
    if (nListed % std::max(1, nImages / PROGRESS_MOVES) == 0 || nListed == nImages)
        m_progressCatalog.SetPos(nListed);
    return 0;
}

LRESULT CFloppyPage::OnCatalogDone(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_progressCatalog.SetPos(0);
    m_btnCatalog.SetWindowText("&Start");
    m_bCatalogRunning = FALSE;
    return 0;
}

// The run goes on without a window; a later window of the page shows it again.
LRESULT CFloppyPage::OnDestroy(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_pCatalogThread)
        m_pCatalogThread->Attach(nullptr);
    return 0;
}

CString CFloppyPage::BuildFragment(int nRow, BOOL bShortPath)
{
    // A drive holds an image when it shows a path; an image whose volume
    // name is empty is still an image.
    CString strPath = m_listDrives.GetItemText(nRow, COLUMN_PATH);
    if (strPath.IsEmpty())
        return "";
    CString strFragment;
    strFragment.Format("-%d ", nRow);
    return strFragment + (bShortPath ? App().GetShortPath(strPath, TRUE) : strPath);
}

