// Classes in this file:
//   CTabCtrl   - tab control
//   CListCtrl  - list view
//   CImageList - image list; the one wrapper here that owns its handle
#pragma once

#include "Wnd.h"

#include <commctrl.h>

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

class CListCtrl : public CWnd
{
public:
// Attributes
    // LVM_GETITEMCOUNT
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    // LVM_GETNEXTITEM: the next item after nItem (-1: from the start) with the LVNI_* state nFlags
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

// Operations
    // LVM_INSERTITEM with text and image
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
