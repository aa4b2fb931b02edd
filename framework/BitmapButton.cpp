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

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    SubclassWindow(pParent->GetDlgItem(nID));
    if (!m_hWnd)
        return FALSE;
    CString strName = GetWindowText();
    if (!LoadBitmaps(strName + "U", strName + "D", strName + "F", strName + "X"))
        return FALSE;
    SizeToContent();
    return TRUE;
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

void CBitmapButton::SizeToContent()
{
    BITMAP bm;
    if (!m_bitmap || !::GetObjectA(m_bitmap, sizeof(bm), &bm))
        return;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT* pDrawItemStruct)
{
    HBITMAP hBitmap = PictureFor(pDrawItemStruct->itemState);
    if (!hBitmap)
        return;

    HDC hMemDC = ::CreateCompatibleDC(pDrawItemStruct->hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const RECT& rc = pDrawItemStruct->rcItem;
    ::BitBlt(pDrawItemStruct->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}
