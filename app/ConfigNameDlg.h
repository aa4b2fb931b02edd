// Classes in this file:
//   CConfigNameDlg - asks for the name of a new configuration
#pragma once

#include "NameDlg.h"

class CConfigNameDlg : public CNameDlg
{
public:
    explicit CConfigNameDlg(CWnd* pParentWnd = nullptr);

    // Why the profile could not keep the name as a section of its own, or ""
    // when it can
    static CString CheckName(const CString& strName);

protected:
    CString Check(const CString& strName) const override { return CheckName(strName); }
};
