// The page icons that the tab and list launcher windows show: one bitmap per
// page, in page order, cut into one image list, at the size that suits the
// display's scale.
#pragma once

#include "app/LauncherApp.h"
#include "framework/CommonControls.h"

enum
{
    PAGE_ICON_WIDTH = 34,
    PAGE_ICON_HEIGHT = 36,
};
// Drawn as transparent in every page icon
const COLORREF PAGE_ICON_MASK = RGB(254, 254, 254);

// The bitmap of each page's icon, by page index
extern const UINT PAGE_ICON_BITMAPS[CLauncherApp::PAGE_COUNT];

// The size, in percent, of the pictures drawn for the display's scale: 100,
// 150 or 200, the largest that is not larger than the display's own. The
// program is aware of the scale that the display has when it starts.
int PictureScale();

// Puts the icon of page nPage into the image list, pages taken in order: page 0
// creates the list (at 100 % from its bitmap), every other page adds its own.
// A missing bitmap leaves a blank image, so image i always stays the icon of
// page i.
void AddPageIcon(CImageList& imageList, int nPage);
