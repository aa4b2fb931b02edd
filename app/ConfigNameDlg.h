// Classes in this file:
//   CConfigNameDlg - asks for the name of a new configuration
#pragma once

#include "framework/Dialog.h"

class CConfigNameDlg : public CDialog
{
public:
    explicit CConfigNameDlg(CWnd* pParentWnd = nullptr);

    CString m_strName;

    // Why the profile could not keep the name as a section of its own, or ""
    // when it can
    static CString CheckName(const CString& strName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
