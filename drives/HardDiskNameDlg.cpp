#include "HardDiskNameDlg.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

// A fragment is read back from the profile like any value: "-m ", the name,
// ":" and a folder of up to MAX_PATH - 1 characters must fit in it.
static const int HARDDISK_NAME_MAX = CLauncherApp::PROFILE_VALUE_MAX - 4 - (MAX_PATH - 1);

CHardDiskNameDlg::CHardDiskNameDlg(CWnd* pParentWnd)
    : CNameDlg(IDD_HARDDISK_NAME, IDC_HARDDISK_NAME, HARDDISK_NAME_MAX, pParentWnd), m_bReadOnly(FALSE)
{
}

void CHardDiskNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CNameDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_HARDDISK_READ_ONLY, m_bReadOnly);
}

CString CHardDiskNameDlg::CheckName(const CString& strName)
{
    CString strProblem = CheckLine(strName, "A hard disk name", HARDDISK_NAME_MAX);
    if (!strProblem.IsEmpty())
        return strProblem;
    // The first colon of a fragment ends the name: the rest would join the path.
    if (strName.Find(':') >= 0)
        return "A hard disk name cannot hold a colon.";
    return "";
}
