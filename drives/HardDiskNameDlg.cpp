#include "HardDiskNameDlg.h"

#include "res/resource.h"

// A fragment is read back from the profile into 500 bytes: "-m ", the name,
// ":" and a folder of up to MAX_PATH - 1 characters must fit in 499.
static const int nMaxNameLength = 499 - 4 - (MAX_PATH - 1);

CHardDiskNameDlg::CHardDiskNameDlg(CWnd* pParentWnd)
    : CDialog(IDD_HARDDISK_NAME, pParentWnd), m_bReadOnly(FALSE)
{
}

void CHardDiskNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HARDDISK_NAME, m_strName);
    DDX_Check(pDX, IDC_HARDDISK_READ_ONLY, m_bReadOnly);
}

CString CHardDiskNameDlg::CheckName(const CString& strName)
{
    // The first colon of a fragment ends the name: the rest would join the path.
    if (strName.Find(':') >= 0)
        return "A hard disk name cannot hold a colon.";
    if (strName.Find('\r') >= 0 || strName.Find('\n') >= 0)
        return "A hard disk name must be a single line.";
    if (strName.GetLength() > nMaxNameLength)
    {
        CString strText;
        strText.Format("A hard disk name can have at most %d characters.", nMaxNameLength);
        return strText;
    }
    return "";
}

void CHardDiskNameDlg::OnOK()
{
    UpdateData(TRUE);
    CString strProblem = CheckName(m_strName);
    if (!strProblem.IsEmpty())
    {
        MessageBox(strProblem, "ERROR", MB_OK | MB_ICONEXCLAMATION);
        // Stay open with the name as typed, ready to be corrected.
        HWND hWndEdit = GetDlgItem(IDC_HARDDISK_NAME);
        ::SetFocus(hWndEdit);
        ::SendMessageA(hWndEdit, EM_SETSEL, 0, -1);
        return;
    }
    EndDialog(IDOK);
}
