// The page icons and the application icon, taken from the linked resources the
// way the launcher windows take them: one image list cut 34 pixels wide from
// the Emulator bitmap, the other eleven added with the transparent colour.
#include "framework/CommonControls.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <iterator>

namespace {

const COLORREF crKey = RGB(254, 254, 254);
const COLORREF crBehind = RGB(255, 0, 255);   // a colour no icon uses
const int cxImage = 34, cyImage = 36;

struct PageIcon
{
    UINT nID;
    WORD nBitCount;
};

// In page order, which is also the order of the image list.
const PageIcon s_pageIcons[] = {
    { IDB_PAGE_EMULATOR, 8 }, { IDB_PAGE_KICKSTART, 8 }, { IDB_PAGE_VIDEO, 8 }, { IDB_PAGE_MEMORY, 8 },
    { IDB_PAGE_HARDDISK, 8 }, { IDB_PAGE_FLOPPY, 8 },    { IDB_PAGE_JOYSTICK, 8 }, { IDB_PAGE_SOUND, 8 },
    { IDB_PAGE_KEYBOARD, 8 }, { IDB_PAGE_MISC, 8 },      { IDB_PAGE_CONFIG, 4 }, { IDB_PAGE_INFO, 8 },
};

// A 32-bit drawing surface whose pixels the test can read back.
class CSurface
{
public:
    CSurface(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, nullptr, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        for (int i = 0; i < cx * cy; i++)
            m_pBits[i] = (GetRValue(crBehind) << 16) | (GetGValue(crBehind) << 8) | GetBValue(crBehind);
    }
    ~CSurface()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC GetDC() const { return m_hDC; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_cx, m_cy;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = nullptr;
};

// A bitmap resource as it is stored, drawn without any mask.
void DrawBitmap(UINT nID, CSurface& surface)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, hBitmap);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::BitBlt(surface.GetDC(), 0, 0, cxImage + 1, cyImage, hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
}

TEST(IconResources, PageBitmapsHaveTheirSizeDepthAndTransparentBorder)
{
    for (const PageIcon& icon : s_pageIcons)
    {
        SCOPED_TRACE(icon.nID);
        HBITMAP hBitmap = (HBITMAP)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon.nID), IMAGE_BITMAP,
                                                0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(nullptr, hBitmap);
        DIBSECTION dib = {};
        ASSERT_EQ((int)sizeof(dib), ::GetObjectA(hBitmap, sizeof(dib), &dib));
        EXPECT_EQ(35, dib.dsBm.bmWidth);
        EXPECT_EQ(36, dib.dsBm.bmHeight);
        EXPECT_EQ(icon.nBitCount, dib.dsBmih.biBitCount);
        ::DeleteObject(hBitmap);

        CSurface surface(cxImage + 1, cyImage);
        DrawBitmap(icon.nID, surface);
        EXPECT_EQ(crKey, surface.Pixel(0, 0));
        EXPECT_EQ(crKey, surface.Pixel(cxImage - 1, cyImage - 1));
        // the image list never shows the last column, so nothing may be drawn there
        for (int y = 0; y < cyImage; y++)
            EXPECT_EQ(crKey, surface.Pixel(cxImage, y)) << "row " << y;
        int nOpaque = 0;
        for (int y = 0; y < cyImage; y++)
            for (int x = 0; x < cxImage; x++)
                nOpaque += surface.Pixel(x, y) != crKey;
        EXPECT_GT(nOpaque, cxImage * cyImage / 4);
    }
}

// An 8-bit image list takes the colour table of its first bitmap for every
// image, so this also catches an icon whose colours that table lacks.
TEST(IconResources, ImageListShowsEveryIconWithItsOwnColoursAndNoKeyColour)
{
    CImageList imageList;
    ASSERT_TRUE(imageList.Create(IDB_PAGE_EMULATOR, cxImage, 1, crKey));
    for (size_t i = 1; i < std::size(s_pageIcons); i++)
    {
        HBITMAP hBitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(s_pageIcons[i].nID));
        ASSERT_NE(nullptr, hBitmap);
        EXPECT_EQ((int)i, imageList.Add(hBitmap, crKey));
        ::DeleteObject(hBitmap);
    }
    ASSERT_EQ(12, imageList.GetImageCount());
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(imageList, &cx, &cy));
    EXPECT_EQ(cxImage, cx);
    EXPECT_EQ(cyImage, cy);

    for (int i = 0; i < 12; i++)
    {
        SCOPED_TRACE(s_pageIcons[i].nID);
        CSurface stored(cxImage + 1, cyImage), shown(cxImage, cyImage);
        DrawBitmap(s_pageIcons[i].nID, stored);
        ASSERT_TRUE(ImageList_Draw(imageList, i, shown.GetDC(), 0, 0, ILD_TRANSPARENT));
        int nWrong = 0;
        for (int y = 0; y < cyImage; y++)
            for (int x = 0; x < cxImage; x++)
            {
                COLORREF crStored = stored.Pixel(x, y);
                nWrong += shown.Pixel(x, y) != (crStored == crKey ? crBehind : crStored);
            }
        EXPECT_EQ(0, nWrong);
    }
}

TEST(IconResources, ApplicationIconHasSmallLargeAndExtraLargeImages)
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    HRSRC hGroup = ::FindResourceA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_NE(nullptr, hGroup);
    PBYTE pDirectory = (PBYTE)::LockResource(::LoadResource(hInstance, hGroup));
    for (int nSize : { 16, 32, 48 })
    {
        SCOPED_TRACE(nSize);
        // the icon must carry an image of this size, not have one scaled to it
        int nIconID = ::LookupIconIdFromDirectoryEx(pDirectory, TRUE, nSize, nSize, LR_DEFAULTCOLOR);
        HRSRC hImage = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIconID), RT_ICON);
        ASSERT_NE(nullptr, hImage);
        const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::LockResource(::LoadResource(hInstance, hImage));
        EXPECT_EQ(nSize, pHeader->biWidth);

        HICON hIcon = (HICON)::LoadImageA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, nSize, nSize, 0);
        ASSERT_NE(nullptr, hIcon);
        CSurface surface(nSize, nSize);
        ASSERT_TRUE(::DrawIconEx(surface.GetDC(), 0, 0, hIcon, nSize, nSize, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(crBehind, surface.Pixel(0, 0));
        EXPECT_NE(crBehind, surface.Pixel(nSize / 2, nSize / 2));
        ::DestroyIcon(hIcon);
    }
}

} // namespace
