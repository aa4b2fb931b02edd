#include "ConfigNameDlg.h"

#include "res/resource.h"

// The list keeps names in a 500-byte buffer.
static const int nMaxNameLength = 499;

// The profile functions trim these from both ends of section names and values.
static BOOL IsTrimmedByProfile(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\v' || ch == '\f' || ch == '\x1a';
}

// Section names are compared folding ASCII letters only.
static BOOL IsSameSection(const CString& strName, LPCSTR pszSection)
{
    int nLength = lstrlenA(pszSection);
    if (strName.GetLength() != nLength)
        return FALSE;
    for (int i = 0; i < nLength; i++)
    {
        char a = strName[i], b = pszSection[i];
        if (a >= 'A' && a <= 'Z')
            a = (char)(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = (char)(b - 'A' + 'a');
        if (a != b)
            return FALSE;
    }
    return TRUE;
}

CConfigNameDlg::CConfigNameDlg(CWnd* pParentWnd) : CDialog(IDD_CONFIG_NAME, pParentWnd)
{
}

void CConfigNameDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_CONFIG_NAME, m_strName);
}

CString CConfigNameDlg::CheckName(const CString& strName)
{
    int nLength = strName.GetLength();
    if (nLength == 0)
        return "Please give the configuration a name.";
    if (IsTrimmedByProfile(strName[0]) || IsTrimmedByProfile(strName[nLength - 1]))
        return "A configuration name cannot begin or end with a blank or a tab.";
    if (strName.Find('\r') >= 0 || strName.Find('\n') >= 0)
        return "A configuration name must be a single line.";
    // A value in quotes is read back without them.
    if (nLength >= 2 && (strName[0] == '"' || strName[0] == '\'') && strName[nLength - 1] == strName[0])
        return "A configuration name cannot be enclosed in quotation marks.";
    if (IsSameSection(strName, "ConfigList"))
        return "\"ConfigList\" holds the list of configurations. Please choose another name.";
    if (nLength > nMaxNameLength)
    {
        CString strText;
        strText.Format("A configuration name can have at most %d characters.", nMaxNameLength);
        return strText;
    }
    return "";
}

void CConfigNameDlg::OnOK()
{
    UpdateData(TRUE);
    CString strProblem = CheckName(m_strName);
    if (!strProblem.IsEmpty())
    {
        MessageBox(strProblem, "ERROR", MB_OK | MB_ICONEXCLAMATION);
        // Stay open with the name as typed, ready to be corrected.
        HWND hWndEdit = GetDlgItem(IDC_CONFIG_NAME);
        ::SetFocus(hWndEdit);
        ::SendMessageA(hWndEdit, EM_SETSEL, 0, -1);
        return;
    }
    EndDialog(IDOK);
}
