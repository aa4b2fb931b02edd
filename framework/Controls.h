// Classes in this file:
//   CStatic, CButton, CEdit, CComboBox, CListBox, CSliderCtrl
//
// Each wrapper holds only the HWND of its base; every method is one message.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CStatic : public CWnd
{
public:
    // STM_SETICON
    HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon); }
    // STM_GETICON
    HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON); }
};

class CButton : public CWnd
{
};

class CEdit : public CWnd
{
public:
    // EM_LIMITTEXT
    void LimitText(int nChars) { SendMessage(EM_LIMITTEXT, nChars); }
    // EM_SETSEL: from nStartChar up to nEndChar; 0 and -1 select all
    void SetSel(int nStartChar, int nEndChar) { SendMessage(EM_SETSEL, nStartChar, nEndChar); }
    // EM_GETMODIFY: the user changed the text since it was last set
    BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
    // EM_SETMODIFY
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
};

class CComboBox : public CWnd
{
public:
// Attributes
    // CB_GETCOUNT
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    // CB_GETCURSEL
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    // CB_SETCURSEL
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, nSelect); }
    // CB_GETDROPPEDSTATE: the list is open
    BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
    // CB_GETLBTEXTLEN + CB_GETLBTEXT
    void GetLBText(int nIndex, CString& rString) const;

// Operations
    // CB_ADDSTRING
    int AddString(LPCSTR psz) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)psz); }
    // CB_INSERTSTRING: at nIndex, or at the end for -1; never sorted in
    int InsertString(int nIndex, LPCSTR psz) { return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)psz); }
    // CB_SELECTSTRING: first entry after nStartAfter that begins with psz, case-insensitive
    int SelectString(int nStartAfter, LPCSTR psz) { return (int)SendMessage(CB_SELECTSTRING, nStartAfter, (LPARAM)psz); }
};

class CListBox : public CWnd
{
public:
// Attributes
    // LB_GETCOUNT
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    // LB_GETCURSEL
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    // LB_SETCURSEL
    int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, nSelect); }
    // LB_GETTEXTLEN + LB_GETTEXT
    void GetText(int nIndex, CString& rString) const;

// Operations
    // LB_ADDSTRING
    int AddString(LPCSTR psz) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)psz); }
    // LB_DELETESTRING
    int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex); }
    // LB_SELECTSTRING: first entry after nStartAfter that begins with psz, case-insensitive
    int SelectString(int nStartAfter, LPCSTR psz) { return (int)SendMessage(LB_SELECTSTRING, nStartAfter, (LPARAM)psz); }
};

class CSliderCtrl : public CWnd
{
public:
// Attributes
    // TBM_GETPOS
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
    // TBM_SETPOS; the trackbar keeps the position within its range
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    // TBM_GETRANGEMAX
    int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
    // TBM_SETRANGEMIN + TBM_SETRANGEMAX
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
};

inline void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int nLength = (int)SendMessage(CB_GETLBTEXTLEN, nIndex);
    if (nLength > 0)
    {
        SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)rString.GetBuffer(nLength));
        rString.ReleaseBuffer(nLength);
    }
}

inline void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    int nLength = (int)SendMessage(LB_GETTEXTLEN, nIndex);
    if (nLength > 0)
    {
        SendMessage(LB_GETTEXT, nIndex, (LPARAM)rString.GetBuffer(nLength));
        rString.ReleaseBuffer(nLength);
    }
}
