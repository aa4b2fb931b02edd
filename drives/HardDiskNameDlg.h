// Classes in this file:
//   CHardDiskNameDlg - asks for the volume name and the read-only state of a hard disk
#pragma once

#include "app/NameDlg.h"

class CHardDiskNameDlg : public CNameDlg
{
public:
    explicit CHardDiskNameDlg(CWnd* pParentWnd = nullptr);

    BOOL m_bReadOnly;

    // Why the name would not come back whole from the hard disk's fragment, or
    // "" when it would; an empty name is fine and frees the hard disk
    static CString CheckName(const CString& strName);

protected:
    CString Check(const CString& strName) const override { return CheckName(strName); }
    void DoDataExchange(CDataExchange* pDX) override;
};
