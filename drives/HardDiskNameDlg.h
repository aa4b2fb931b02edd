// Classes in this file:
//   CHardDiskNameDlg - asks for the volume name and the read-only state of a hard disk
#pragma once

#include "framework/Dialog.h"

class CHardDiskNameDlg : public CDialog
{
public:
    explicit CHardDiskNameDlg(CWnd* pParentWnd = nullptr);

    CString m_strName;
    BOOL m_bReadOnly;

    // Why the name would not come back whole from the hard disk's fragment, or
    // "" when it would; an empty name is fine and frees the hard disk
    static CString CheckName(const CString& strName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
