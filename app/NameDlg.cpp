#include "NameDlg.h"

CNameDlg::CNameDlg(UINT nIDTemplate, int nIDNameEdit, int nMaxLength, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nIDNameEdit(nIDNameEdit), m_nMaxLength(nMaxLength)
{
}

CString CNameDlg::CheckLine(const CString& strName, LPCSTR pszWhat, int nMaxLength)
{
    CString strProblem;
    if (strName.Find('\r') >= 0 || strName.Find('\n') >= 0)
        strProblem.Format("%s must be a single line.", pszWhat);
    else if (strName.GetLength() > nMaxLength)
        strProblem.Format("%s can have at most %d characters.", pszWhat, nMaxLength);
    return strProblem;
}

BOOL CNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editName.LimitText(m_nMaxLength);
    return TRUE;
}

void CNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_nIDNameEdit, m_editName);
    DDX_Text(pDX, m_nIDNameEdit, m_strName);
}

void CNameDlg::OnOK()
{
    UpdateData(TRUE);
    CString strProblem = Check(m_strName);
    if (!strProblem.IsEmpty())
    {
        MessageBox(strProblem, "ERROR", MB_OK | MB_ICONEXCLAMATION);
        // Stay open with the name as typed, ready to be corrected.
        m_editName.SetFocus();
        m_editName.SetSel(0, -1);
        return;
    }
    EndDialog(IDOK);
}
