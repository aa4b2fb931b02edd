#include "BitmapButton.h"

CBitmapButton::~CBitmapButton()
{
    DeleteBitmaps();
}

void CBitmapButton::DeleteBitmaps()
{
    for (HBITMAP* phBitmap : { &m_bitmap, &m_bitmapSel, &m_bitmapFocus, &m_bitmapDisabled })
    {
        if (*phBitmap)
            ::DeleteObject(*phBitmap);
        *phBitmap = nullptr;
    }
}

BOOL CBitmapButton::LoadBitmaps(LPCSTR pszBitmapResource, LPCSTR pszBitmapResourceSel,
                                LPCSTR pszBitmapResourceFocus, LPCSTR pszBitmapResourceDisabled)
{
    DeleteBitmaps();
    HINSTANCE hInstance = AfxGetInstanceHandle();
    auto load = [hInstance](LPCSTR pszName) { return pszName ? ::LoadBitmapA(hInstance, pszName) : nullptr; };
    m_bitmap = load(pszBitmapResource);
    m_bitmapSel = load(pszBitmapResourceSel);
    m_bitmapFocus = load(pszBitmapResourceFocus);
    m_bitmapDisabled = load(pszBitmapResourceDisabled);
    return m_bitmap != nullptr;
}

HBITMAP CBitmapButton::PictureFor(UINT nState) const
{
    if ((nState & ODS_SELECTED) && m_bitmapSel)
        return m_bitmapSel;
    if ((nState & ODS_FOCUS) && m_bitmapFocus)
        return m_bitmapFocus;
    if ((nState & ODS_DISABLED) && m_bitmapDisabled)
        return m_bitmapDisabled;
    return m_bitmap;
}
