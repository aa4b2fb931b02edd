// Classes in this file:
//   CBitmapButton - an owner-drawn button that shows pictures named by its caption
#pragma once

#include "Controls.h"

// The pictures: normal, pressed, with the keyboard focus, disabled. Only the
// normal picture is required; a state without a picture of its own is drawn
// with the normal one. A derived button draws them in its DrawItem.
class CBitmapButton : public CButton
{
public:
    CBitmapButton() {}
    ~CBitmapButton() override;
    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;

// Operations
    // LoadBitmap of each named picture; null names and missing pictures load
    // none; FALSE without the normal one
    BOOL LoadBitmaps(LPCSTR pszBitmapResource, LPCSTR pszBitmapResourceSel, LPCSTR pszBitmapResourceFocus,
                     LPCSTR pszBitmapResourceDisabled);

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
