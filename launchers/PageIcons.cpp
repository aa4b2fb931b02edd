#include "PageIcons.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

const UINT PAGE_ICON_BITMAPS[CLauncherApp::PAGE_COUNT] = {
    IDB_PAGE_EMULATOR, IDB_PAGE_KICKSTART, IDB_PAGE_VIDEO, IDB_PAGE_MEMORY, IDB_PAGE_HARDDISK, IDB_PAGE_FLOPPY,
    IDB_PAGE_JOYSTICK, IDB_PAGE_SOUND, IDB_PAGE_KEYBOARD, IDB_PAGE_MISC, IDB_PAGE_CONFIG, IDB_PAGE_INFO,
};

int PictureScale()
{
    HDC hScreen = ::GetDC(nullptr);
    int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return nDpi >= 192 ? 200 : nDpi >= 144 ? 150 : 100;
}

void AddPageIcon(CImageList& imageList, int nPage)
{
    if (nPage < 0 || nPage >= CLauncherApp::PAGE_COUNT)
        return;
    static const int s_nScale = PictureScale();
    const int cx = PAGE_ICON_WIDTH * s_nScale / 100, cy = PAGE_ICON_HEIGHT * s_nScale / 100;
    if (nPage == 0)
    {
        if (s_nScale != 100 || !imageList.Create(PAGE_ICON_BITMAPS[0], PAGE_ICON_WIDTH, 1, PAGE_ICON_MASK))
            imageList.Create(cx, cy, ILC_COLOR24 | ILC_MASK, CLauncherApp::PAGE_COUNT, 1);
    }
    if (imageList.m_hImageList && (nPage != 0 || s_nScale != 100))
    {
        UINT nID = PAGE_ICON_BITMAPS[nPage] + (s_nScale == 200 ? IDB_PAGE_200 : s_nScale == 150 ? IDB_PAGE_150 : 0);
        HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION);
        if (hBitmap)
        {
            imageList.Add(hBitmap, PAGE_ICON_MASK);
            ::DeleteObject(hBitmap);
        }
    }
    if (imageList.m_hImageList && imageList.GetImageCount() != nPage + 1)
        imageList.SetImageCount(nPage + 1);
}
