#include "PageIcons.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

const UINT PAGE_ICON_BITMAPS[CLauncherApp::PAGE_COUNT] = {
    IDB_PAGE_EMULATOR, IDB_PAGE_KICKSTART, IDB_PAGE_VIDEO, IDB_PAGE_MEMORY, IDB_PAGE_HARDDISK, IDB_PAGE_FLOPPY,
    IDB_PAGE_JOYSTICK, IDB_PAGE_SOUND, IDB_PAGE_KEYBOARD, IDB_PAGE_MISC, IDB_PAGE_CONFIG, IDB_PAGE_INFO,
};

void AddPageIcon(CImageList& imageList, int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT)
        return;
    if (nPage == 0)
    {
        if (!imageList.Create(PAGE_ICON_BITMAPS[0], PAGE_ICON_WIDTH, 1, PAGE_ICON_MASK))
            imageList.Create(PAGE_ICON_WIDTH, PAGE_ICON_HEIGHT, ILC_COLOR24 | ILC_MASK, CLauncherApp::PAGE_COUNT, 1);
    }
    else if (imageList.m_hImageList)
    {
        HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(PAGE_ICON_BITMAPS[nPage]),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        if (hBitmap)
        {
            imageList.Add(hBitmap, PAGE_ICON_MASK);
            ::DeleteObject(hBitmap);
        }
    }
    if (imageList.m_hImageList && imageList.GetImageCount() != nPage + 1)
        imageList.SetImageCount(nPage + 1);
}
