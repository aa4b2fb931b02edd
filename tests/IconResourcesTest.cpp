// The page icons and the application icon, taken from the linked resources the
// way the launcher windows take them: one image list cut 34 pixels wide from
// the Emulator bitmap, the other eleven added with the transparent colour; the
// same icons at 150 and 200 %; and what Windows reads about the program file.
#include "framework/CommonControls.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <cstring>
#include <iterator>
#include <string>
#include <uxtheme.h>

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
void DrawBitmap(UINT nID, CSurface& surface, int cx = cxImage + 1, int cy = cyImage)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, hBitmap);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    ::BitBlt(surface.GetDC(), 0, 0, cx, cy, hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
}

TEST(IconResources, PageBitmapsHaveTheirSizeDepthAndTransparentBorder)
{
    // At 100 % the bitmaps carry a column that the image list never shows;
    // the larger ones are as large as their images.
    const struct
    {
        UINT nOffset;
        int cx, cy, cxBitmap;
    } scales[] = { { 0, cxImage, cyImage, cxImage + 1 }, { IDB_PAGE_150, 51, 54, 51 }, { IDB_PAGE_200, 68, 72, 68 } };
    for (const auto& scale : scales)
        for (const PageIcon& icon : s_pageIcons)
        {
            UINT nID = icon.nID + scale.nOffset;
            SCOPED_TRACE(nID);
            HBITMAP hBitmap = (HBITMAP)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID), IMAGE_BITMAP,
                                                    0, 0, LR_CREATEDIBSECTION);
            ASSERT_NE(nullptr, hBitmap);
            DIBSECTION dib = {};
            ASSERT_EQ((int)sizeof(dib), ::GetObjectA(hBitmap, sizeof(dib), &dib));
            EXPECT_EQ(scale.cxBitmap, dib.dsBm.bmWidth);
            EXPECT_EQ(scale.cy, dib.dsBm.bmHeight);
            EXPECT_EQ(scale.nOffset ? 24 : icon.nBitCount, dib.dsBmih.biBitCount);
            ::DeleteObject(hBitmap);

            CSurface surface(scale.cxBitmap, scale.cy);
            DrawBitmap(nID, surface, scale.cxBitmap, scale.cy);
            EXPECT_EQ(crKey, surface.Pixel(0, 0));
            EXPECT_EQ(crKey, surface.Pixel(scale.cx - 1, scale.cy - 1));
            for (int x = scale.cx; x < scale.cxBitmap; x++)
                for (int y = 0; y < scale.cy; y++)
                    EXPECT_EQ(crKey, surface.Pixel(x, y)) << "row " << y;
            int nOpaque = 0;
            for (int y = 0; y < scale.cy; y++)
                for (int x = 0; x < scale.cx; x++)
                    nOpaque += surface.Pixel(x, y) != crKey;
            EXPECT_GT(nOpaque, scale.cx * scale.cy / 4);
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

// Small icons at 100, 125 and 150 %, large ones at 100 and 150 %, and the
// largest that Explorer shows
TEST(IconResources, ApplicationIconHasAnImageForEverySizeWindowsAsksFor)
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    HRSRC hGroup = ::FindResourceA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_NE(nullptr, hGroup);
    PBYTE pDirectory = (PBYTE)::LockResource(::LoadResource(hInstance, hGroup));
    for (int nSize : { 16, 20, 24, 32, 48, 256 })
    {
        SCOPED_TRACE(nSize);
        // the icon must carry an image of this size, not have one scaled to it
        int nIconID = ::LookupIconIdFromDirectoryEx(pDirectory, TRUE, nSize, nSize, LR_DEFAULTCOLOR);
        HRSRC hImage = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIconID), RT_ICON);
        ASSERT_NE(nullptr, hImage);
        const BYTE* pImage = (const BYTE*)::LockResource(::LoadResource(hInstance, hImage));
        // A large image is a PNG file, its width in its header; a small one a bitmap
        bool bPng = memcmp(pImage, "\x89PNG", 4) == 0;
        int nWidth = bPng ? (pImage[18] << 8) | pImage[19] : ((const BITMAPINFOHEADER*)pImage)->biWidth;
        EXPECT_EQ(nSize, nWidth);
        EXPECT_EQ(nSize >= 256, bPng);

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

// What Explorer and the Task Manager show of the program, and the manifest
// that gives it today's controls and the display's scale. The tests carry the
// program's resources: their own buttons are drawn with a theme.
TEST(IconResources, TheProgramNamesItselfAndAsksForTodaysControls)
{
    HMODULE hVersion = ::LoadLibraryA("version.dll");
    ASSERT_NE(nullptr, hVersion);
    auto pfnSize = (DWORD(WINAPI*)(LPCSTR, LPDWORD))(void*)::GetProcAddress(hVersion, "GetFileVersionInfoSizeA");
    auto pfnInfo = (BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID))(void*)::GetProcAddress(hVersion, "GetFileVersionInfoA");
    auto pfnQuery = (BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT))(void*)::GetProcAddress(hVersion, "VerQueryValueA");
    ASSERT_TRUE(pfnSize && pfnInfo && pfnQuery);
    DWORD dwHandle = 0;
    std::string info(pfnSize(KOVANA_EXE, &dwHandle), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(pfnInfo(KOVANA_EXE, 0, (DWORD)info.size(), &info[0]));
    auto text = [&](LPCSTR pszName) {
        LPVOID pValue = nullptr;
        UINT nLength = 0;
        std::string strPath = std::string("\\StringFileInfo\\040904B0\\") + pszName;
        return pfnQuery(info.data(), strPath.c_str(), &pValue, &nLength) && nLength ? std::string((LPCSTR)pValue)
                                                                                      : std::string();
    };
    EXPECT_EQ("Kovana", text("ProductName"));
    EXPECT_EQ("Kovana.exe", text("OriginalFilename"));
    EXPECT_NE(std::string::npos, text("FileDescription").find("Zot"));
    EXPECT_NE(std::string::npos, text("LegalCopyright").find("Kovana"));
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(pfnQuery(info.data(), "\\", (LPVOID*)&pFixed, &nLength));
    char szVersion[64];
    wsprintfA(szVersion, "%u.%u.%u.%u", HIWORD(pFixed->dwFileVersionMS), LOWORD(pFixed->dwFileVersionMS),
              HIWORD(pFixed->dwFileVersionLS), LOWORD(pFixed->dwFileVersionLS));
    EXPECT_EQ(szVersion, text("FileVersion"));
    EXPECT_EQ(szVersion, text("ProductVersion"));
    ::FreeLibrary(hVersion);

    HMODULE hProgram = ::LoadLibraryExA(KOVANA_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hProgram);
    HRSRC hManifest = ::FindResourceA(hProgram, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, hManifest);
    std::string manifest((LPCSTR)::LockResource(::LoadResource(hProgram, hManifest)), ::SizeofResource(hProgram, hManifest));
    ::FreeLibrary(hProgram);
    // What Wine cannot show: the program is aware of the display's scale
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>"));

    HWND hButton = ::CreateWindowExA(0, "BUTTON", "Themed", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 20, nullptr, nullptr,
                                     nullptr, nullptr);
    EXPECT_NE(nullptr, ::GetWindowTheme(hButton));
    ::DestroyWindow(hButton);
}
