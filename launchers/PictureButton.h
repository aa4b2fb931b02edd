// Classes in this file:
//   CPictureButton - a picture button of the modern launcher window: the
//                    picture of the display's scale in a cell of its
//                    template's size, the button's name written under it,
//                    and the mark of the page on view
#pragma once

#include "framework/BitmapButton.h"

class CPictureButton : public CBitmapButton
{
public:
    // The side of the button that faces the page area
    enum Side { SIDE_NONE, SIDE_LEFT, SIDE_TOP, SIDE_RIGHT, SIDE_BOTTOM };

// Operations
    // The largest scale, at most nScale percent (100, 150 or 200), whose
    // pictures fit a cell cx by cy pixels once their blank margin is left out
    static int FittingScale(int nScale, int cx, int cy);

    // Takes over the parent's button of that id and loads the pictures that
    // its caption names at nScale percent. The button keeps the size of its
    // template, and pszName becomes its text: the name that it shows under the
    // picture and that screen readers read. FALSE without the normal picture.
    BOOL AutoLoad(UINT nID, CWnd* pParent, int nScale, LPCSTR pszName);
    // The mark of the page on view goes on that side of the button
    void SetMarkSide(Side side) { m_markSide = side; }
    // Marks the button as that of the page on view, or takes the mark away
    void SetCurrent(BOOL bCurrent);
    BOOL IsCurrent() const { return m_bCurrent; }

    // Draws the button for the parent's WM_DRAWITEM
    void DrawItem(const DRAWITEMSTRUCT* pDrawItemStruct);

private:
    int m_nScale = 100;
    Side m_markSide = SIDE_NONE;
    BOOL m_bCurrent = FALSE;
};
