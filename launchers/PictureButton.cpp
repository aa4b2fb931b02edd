#include "PictureButton.h"

// The pictures of tools/make-icons.py at 100 %: 74 by 76 pixels with a blank
// margin of 2 all round, the icon above and the band from 58 down left free
// for the name. The other scales are these sizes scaled.
static const int PICTURE_WIDTH = 74, PICTURE_HEIGHT = 76, PICTURE_MARGIN = 2, PICTURE_NAME_TOP = 58;
// The focus tile's blue, as the pictures draw it, and its darker ink for the name
static const COLORREF CR_TILE = RGB(56, 112, 190), CR_TILE_INK = RGB(20, 48, 100);
// The mark of the page on view
static const COLORREF CR_MARK = RGB(34, 78, 150);

static int Scaled(int n, int nScale)
{
    return (n * nScale + 50) / 100;
}

int CPictureButton::FittingScale(int nScale, int cx, int cy)
{
    for (int nTry : { 200, 150 })
    {
        int nBlank = 2 * Scaled(PICTURE_MARGIN, nTry);
        if (nTry <= nScale && Scaled(PICTURE_WIDTH, nTry) - nBlank <= cx && Scaled(PICTURE_HEIGHT, nTry) - nBlank <= cy)
            return nTry;
    }
    return 100;
}

BOOL CPictureButton::AutoLoad(UINT nID, CWnd* pParent, int nScale, LPCSTR pszName)
{
    SubclassWindow(pParent->GetDlgItem(nID));
    if (!m_hWnd)
        return FALSE;
    m_nScale = nScale;
    // The caption names the pictures: "EMUL_" + "U" + "150" is the normal picture at 150 %.
    CString strSuffix;
    if (nScale != 100)
        strSuffix.Format("%d", nScale);
    CString strCaption = GetWindowText();
    BOOL bLoaded = LoadBitmaps(strCaption + "U" + strSuffix, strCaption + "D" + strSuffix, strCaption + "F" + strSuffix,
                               strCaption + "X" + strSuffix);
    SetWindowText(pszName);
    return bLoaded;
}

void CPictureButton::SetCurrent(BOOL bCurrent)
{
    if (m_bCurrent == bCurrent)
        return;
    m_bCurrent = bCurrent;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPictureButton::DrawItem(const DRAWITEMSTRUCT* pDrawItemStruct)
{
    const RECT& rcItem = pDrawItemStruct->rcItem;
    const int cx = rcItem.right - rcItem.left, cy = rcItem.bottom - rcItem.top;
    const UINT nState = pDrawItemStruct->itemState;
    const BOOL bFocused = (nState & (ODS_FOCUS | ODS_SELECTED)) != 0;

    // Drawn aside, then copied at once: the button never shows half drawn.
    HDC hDC = ::CreateCompatibleDC(pDrawItemStruct->hDC);
    HBITMAP hCanvas = ::CreateCompatibleBitmap(pDrawItemStruct->hDC, cx, cy);
    HGDIOBJ hOldCanvas = ::SelectObject(hDC, hCanvas);

    // The background and the text colour that the parent gives its buttons
    HBRUSH hBrush = (HBRUSH)::SendMessageA(GetParent(), WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)m_hWnd);
    RECT rcAll = { 0, 0, cx, cy };
    ::FillRect(hDC, &rcAll, hBrush ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));
    COLORREF crText = ::GetTextColor(hDC);

    // The picture in the middle of the cell; a cell a little smaller than the
    // picture takes away only blank margin.
    int nTop = 0, nBottom = cy;
    HBITMAP hPicture = PictureFor(nState);
    BITMAP bm;
    if (hPicture && ::GetObjectA(hPicture, sizeof(bm), &bm))
    {
        HDC hPictureDC = ::CreateCompatibleDC(hDC);
        HGDIOBJ hOld = ::SelectObject(hPictureDC, hPicture);
        nTop = (cy - bm.bmHeight) / 2;
        ::BitBlt(hDC, (cx - bm.bmWidth) / 2, nTop, bm.bmWidth, bm.bmHeight, hPictureDC, 0, 0, SRCCOPY);
        ::SelectObject(hPictureDC, hOld);
        ::DeleteDC(hPictureDC);
        nBottom = nTop + bm.bmHeight - Scaled(PICTURE_MARGIN, m_nScale);
    }

    // The name, in the dialog's font, in the band that the picture leaves free
    RECT rcName = { 0, nTop + Scaled(PICTURE_NAME_TOP, m_nScale), cx, nBottom };
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HFONT)SendMessage(WM_GETFONT));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, bFocused ? CR_TILE_INK : m_bCurrent ? CR_TILE : crText);
    ::DrawTextA(hDC, GetWindowText(), -1, &rcName,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((nState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    ::SelectObject(hDC, hOldFont);

    // The page on view: a bar on the side that faces it
    if (m_bCurrent && m_markSide != SIDE_NONE)
    {
        int nThick = Scaled(3, m_nScale), nGap = Scaled(1, m_nScale);
        BOOL bAcross = m_markSide == SIDE_TOP || m_markSide == SIDE_BOTTOM;
        int nLength = (bAcross ? cx : cy) * 2 / 5;
        RECT rcMark;
        if (bAcross)
        {
            rcMark.left = (cx - nLength) / 2;
            rcMark.top = m_markSide == SIDE_TOP ? nGap : cy - nGap - nThick;
        }
        else
        {
            rcMark.left = m_markSide == SIDE_LEFT ? nGap : cx - nGap - nThick;
            rcMark.top = (cy - nLength) / 2;
        }
        rcMark.right = rcMark.left + (bAcross ? nLength : nThick);
        rcMark.bottom = rcMark.top + (bAcross ? nThick : nLength);
        HBRUSH hMark = ::CreateSolidBrush(CR_MARK);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hMark);
        HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
        ::RoundRect(hDC, rcMark.left, rcMark.top, rcMark.right + 1, rcMark.bottom + 1, nThick, nThick);
        ::SelectObject(hDC, hOldPen);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hMark);
    }

    ::BitBlt(pDrawItemStruct->hDC, rcItem.left, rcItem.top, cx, cy, hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOldCanvas);
    ::DeleteObject(hCanvas);
    ::DeleteDC(hDC);
}
