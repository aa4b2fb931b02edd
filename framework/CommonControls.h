// Classes in this file:
//   CListCtrl  - list view
//   CTabCtrl   - tab control
//   CProgressCtrl - progress bar
//   CToolTipCtrl - tooltip window
//   CImageList - image list; the one wrapper here that owns its handle
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CListCtrl : public CWnd
{
public:
// Attributes
    // LVM_GETITEMCOUNT
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    // LVM_GETNEXTITEM: the first item after nItem (-1: from the top) with the LVNI_ flags
    int GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    // LVM_GETITEM of the item's lParam
    DWORD_PTR GetItemData(int nItem) const
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = nItem;
        return SendMessage(LVM_GETITEMA, 0, (LPARAM)&item) ? (DWORD_PTR)item.lParam : 0;
    }
    // LVM_SETITEM of the item's lParam
    BOOL SetItemData(int nItem, DWORD_PTR dwData)
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = nItem;
        item.lParam = (LPARAM)dwData;
        return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)&item);
    }
    // LVM_SETITEMSTATE: the LVIS_* bits of nMask take their values from nState
    BOOL SetItemState(int nItem, UINT nState, UINT nMask)
    {
        LVITEMA item = {};
        item.state = nState;
        item.stateMask = nMask;
        return (BOOL)SendMessage(LVM_SETITEMSTATE, nItem, (LPARAM)&item);
    }
    // LVM_SETIMAGELIST; nImageList is LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageList)
    {
        return (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, nImageList, (LPARAM)hImageList);
    }
    // LVM_GETCOLUMNWIDTH
    int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, nCol); }
    // LVM_SETCOLUMNWIDTH
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    // LVM_GETSTRINGWIDTHA: the text's width in pixels in the list's font
    int GetStringWidth(LPCSTR psz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHA, 0, (LPARAM)psz); }
    // LVM_GETITEMTEXTA, with a larger buffer while the text fills it
    CString GetItemText(int nItem, int nSubItem) const;
    // LVM_SETITEMTEXTA
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR pszText)
    {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = (LPSTR)pszText;
        return (BOOL)SendMessage(LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
    }

// Operations
    // LVM_INSERTCOLUMNA with a heading, an LVCFMT_ alignment and a width
    int InsertColumn(int nCol, LPCSTR pszHeading, int nFormat, int nWidth)
    {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = nFormat;
        column.cx = nWidth;
        column.pszText = (LPSTR)pszHeading;
        return (int)SendMessage(LVM_INSERTCOLUMNA, nCol, (LPARAM)&column);
    }
    // LVM_INSERTITEMA with text only
    int InsertItem(int nItem, LPCSTR pszItem)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = nItem;
        item.pszText = (LPSTR)pszItem;
        return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    // LVM_INSERTITEMA with text and image
    int InsertItem(int nItem, LPCSTR pszItem, int nImage)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = nItem;
        item.pszText = (LPSTR)pszItem;
        item.iImage = nImage;
        return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    // LVM_ENSUREVISIBLE
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK); }
    // LVM_FINDITEMA: the first item after nStart (-1: from the top) that the search matches
    int FindItem(const LVFINDINFOA* pFindInfo, int nStart = -1) const { return (int)SendMessage(LVM_FINDITEMA, nStart, (LPARAM)pFindInfo); }
};

class CTabCtrl : public CWnd
{
public:
// Attributes
    // TCM_GETCURSEL
    int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
    // TCM_SETCURSEL
    int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, nItem); }
    // TCM_GETITEMCOUNT
    int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
    // TCM_GETROWCOUNT
    int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
    // TCM_GETITEMRECT, in the tab control's client coordinates
    BOOL GetItemRect(int nItem, RECT* pRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, nItem, (LPARAM)pRect); }

// Operations
    // TCM_SETMINTABWIDTH; -1 restores the control's default
    int SetMinTabWidth(int cx) { return (int)SendMessage(TCM_SETMINTABWIDTH, 0, cx); }
    // TCM_INSERTITEM with text only
    int InsertItem(int nItem, LPCSTR pszItem)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (LPSTR)pszItem;
        return (int)SendMessage(TCM_INSERTITEMA, nItem, (LPARAM)&item);
    }
};

inline CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    CString strText;
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    // The list copies at most the buffer's size less one: a full buffer may
    // have cut the text.
    for (int nSize = 256;; nSize *= 2)
    {
        item.cchTextMax = nSize;
        item.pszText = strText.GetBuffer(nSize);
        int nLength = (int)SendMessage(LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
        strText.ReleaseBuffer(nLength);
        if (nLength < nSize - 1)
            return strText;
    }
}

class CProgressCtrl : public CWnd
{
public:
// Attributes
    // PBM_GETPOS
    int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
    // PBM_GETRANGE: the upper limit
    int GetRangeUpper() const { return (int)SendMessage(PBM_GETRANGE, FALSE); }

// Operations
    // PBM_SETRANGE32
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    // PBM_SETPOS
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos); }
};

class CToolTipCtrl : public CWnd
{
public:
// Operations
    // CreateWindowEx of a tooltip window owned by the parent, which destroys it
    // with itself; dwStyle adds TTS_ styles
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0)
    {
        m_hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->m_hWnd, nullptr, AfxGetInstanceHandle(),
                                   nullptr);
        return m_hWnd != nullptr;
    }
    // TTM_ADDTOOLA for a child window: the tooltip watches the mouse over it
    // (TTF_SUBCLASS) and shows the text
    BOOL AddTool(HWND hWndTool, LPCSTR pszText)
    {
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = ::GetParent(hWndTool);
        ti.uId = (UINT_PTR)hWndTool;
        ti.lpszText = (LPSTR)pszText;
        return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
    }
};

class CImageList
{
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() {}
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }

// Operations
    // ImageList_LoadImage of a bitmap resource, cut into images cx pixels wide
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
    {
        DeleteImageList();
        m_hImageList = ImageList_LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                            IMAGE_BITMAP, LR_CREATEDIBSECTION);
        return m_hImageList != nullptr;
    }
    // ImageList_Create: an empty list of images cx by cy pixels
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        DeleteImageList();
        m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_hImageList != nullptr;
    }
    // ImageList_AddMasked
    int Add(HBITMAP hBitmap, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hBitmap, crMask); }
    // ImageList_GetImageCount
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    // ImageList_SetImageCount: images added this way are blank
    BOOL SetImageCount(UINT nNewCount) { return ImageList_SetImageCount(m_hImageList, nNewCount); }
    // ImageList_ExtractIcon: a new icon that the caller destroys
    HICON ExtractIcon(int nImage) const { return ImageList_ExtractIcon(nullptr, m_hImageList, nImage); }
    // ImageList_Destroy
    void DeleteImageList()
    {
        if (m_hImageList)
            ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
    }
};
