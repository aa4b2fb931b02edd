// Classes in this file:
//   CNameDlg - what the dialogs that ask for a name share: the rules every
//              name must keep, the refusal, and the dialog kept open with
//              the name selected to be corrected
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

class CNameDlg : public CDialog
{
public:
    CString m_strName;

protected:
    CNameDlg(UINT nIDTemplate, int nIDNameEdit, int nMaxLength, CWnd* pParentWnd);

    // Why the name would not come back from the profile as one line of at
    // most nMaxLength characters, or ""; pszWhat begins the message
    // ("A hard disk name")
    static CString CheckLine(const CString& strName, LPCSTR pszWhat, int nMaxLength);

    // Why the name cannot be taken, or "": CheckLine and the dialog's own rules
    virtual CString Check(const CString& strName) const = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    int m_nIDNameEdit;
    int m_nMaxLength;
    CEdit m_editName;
};
