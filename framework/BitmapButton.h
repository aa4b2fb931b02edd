// Classes in this file:
//   CBitmapButton - an owner-drawn button that shows pictures named by its caption
#pragma once

#include "Controls.h"

// The caption names the pictures: caption + "U" normal, "D" pressed, "F" with
// the keyboard focus, "X" disabled. Only the normal picture is required; a
// state without a picture of its own is drawn with the normal one. The parent
// hands its WM_DRAWITEM for the button to DrawItem.
class CBitmapButton : public CButton
{
public:
    CBitmapButton() {}
    ~CBitmapButton() override;
    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;

// Operations
    // Takes over the parent's button of that id, loads the pictures its
    // caption names and takes the size of the normal one; FALSE without it
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    // LoadBitmap of each named picture; null names and missing pictures load
    // none; FALSE without the normal one
    BOOL LoadBitmaps(LPCSTR pszBitmapResource, LPCSTR pszBitmapResourceSel, LPCSTR pszBitmapResourceFocus,
                     LPCSTR pszBitmapResourceDisabled);
    // SetWindowPos to the size of the normal picture
    void SizeToContent();
    // Draws the picture of the state that the draw request gives
    virtual void DrawItem(const DRAWITEMSTRUCT* pDrawItemStruct);

protected:
    // The picture of a draw request's state (ODS_*)
    HBITMAP PictureFor(UINT nState) const;

    // The pictures, ours to delete
    HBITMAP m_bitmap = nullptr;
    HBITMAP m_bitmapSel = nullptr;
    HBITMAP m_bitmapFocus = nullptr;
    HBITMAP m_bitmapDisabled = nullptr;

private:
    void DeleteBitmaps();
};
