// Takes the README's pictures of the real program: the three launcher windows
// and the twelve pages in the tab window, over a configuration that looks
// used (an emulator, a Kickstart ROM, two floppies, two hard disks, a catalog
// under way). It drives Kovana.exe from outside as the end-to-end tests do and
// copies each window, title bar included, from the screen into a .bmp file.
// Run by tools/screenshots.sh, inside a Wine virtual desktop, which draws the
// title bars. With a suffix it takes the three windows only, named with it:
// the script runs it so once more with the display at another scale.
//   usage: kovana_shots.exe OUTPUT-FOLDER [SUFFIX]
#include "Fixtures.h"
#include "harness/DefaultProfile.h"
#include "e2e/Driver.h"

#include "res/resource.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The files the pictures show live under one folder with plain names, so that
// the paths on the pages read as a user's would.
const char AMIGA[] = "C:\\Amiga";
// Enough images that the catalog is still running when its picture is taken
const int CATALOG_IMAGES = 4000;

CString AmigaPath(LPCSTR pszName)
{
    return CString(AMIGA) + "\\" + pszName;
}

bool Fail(LPCSTR pszWhat)
{
    fprintf(stderr, "kovana_shots: %s\n", pszWhat);
    return false;
}

// bCatalog: with the images that the Floppy page's picture catalogs
bool MakeAmigaFolder(bool bCatalog)
{
    RemoveTree(AMIGA);
    for (LPCSTR pszFolder : { "", "Zot", "Kickstart", "Disks", "HD", "HD\\System", "HD\\Work", "Collection" })
        ::CreateDirectoryA(AmigaPath(pszFolder), nullptr);
    if (!CopyStandInEmulator(FALSE, AmigaPath("Zot\\zot.exe")) || !CopyStandInEmulator(TRUE, AmigaPath("Zot\\zotdos.exe")))
        return Fail("cannot copy the stand-in emulator");
    // Never a real ROM: only the marker by which the page tells the release
    if (!MakeKickstartRom(AmigaPath("Kickstart\\kick30.rom"), 512, { { 0x100, "3.00 ROM" } }))
        return Fail("cannot make the Kickstart file");
    AdfImage image;
    image.bFastFileSystem = TRUE;
    for (LPCSTR pszName : { "Workbench", "Extras" })
    {
        image.strVolumeName = pszName;
        if (!MakeAdfImage(AmigaPath(CString("Disks\\") + pszName + ".adf"), image))
            return Fail("cannot make a floppy image");
    }
    for (int i = 1; bCatalog && i <= CATALOG_IMAGES; i++)
    {
        image.strVolumeName = "Disk " + std::to_string(i);
        CString strName;
        strName.Format("Collection\\Disk%04d.adf", i);
        if (!MakeAdfImage(AmigaPath(strName), image))
            return Fail("cannot make the catalog's images");
    }
    return true;
}

// The configuration "Workbench 3.0" with every path filled in, and a second one
// so that the Config page has a list.
bool WriteProfile(const CProgramRun& run, LPCSTR pszStyle)
{
    std::string profile = DefaultProfile(pszStyle, AmigaPath("Zot\\zot.exe"));
    std::string section = profile.substr(profile.find("[Work]"));
    profile.replace(profile.find("Config#1=Work"), 13, "Config#1=Workbench 3.0\r\nConfig#2=Games");
    profile.replace(profile.find("NumberOfConfig=1"), 16, "NumberOfConfig=2");
    profile.replace(profile.find("CurrentConfigName=Work"), 22, "CurrentConfigName=Workbench 3.0");
    profile.replace(profile.find("[Work]"), 6, "[Workbench 3.0]");
    profile += section.replace(0, 6, "[Games]");
    if (!WriteWholeFile(run.Profile(), profile))
        return Fail("cannot write the profile");
    const struct
    {
        LPCSTR pszKey;
        CString strValue;
    } values[] = {
        { "KickstartPath", "-r " + AmigaPath("Kickstart\\kick30.rom") },
        { "DF0Path", "-0 " + AmigaPath("Disks\\Workbench.adf") },
        { "DF1Path", "-1 " + AmigaPath("Disks\\Extras.adf") },
        { "DH0Path", "-m System:" + AmigaPath("HD\\System") },
        { "DH1Path", "-M Work:" + AmigaPath("HD\\Work") },
    };
    for (const auto& value : values)
        ::WritePrivateProfileStringA("Workbench 3.0", value.pszKey, value.strValue, run.Profile());
    ::WritePrivateProfileStringA("ConfigList", "DosEmulatorPath", AmigaPath("Zot\\zotdos.exe"), run.Profile());
    return true;
}

// The window's rectangle as the screen shows it now
std::vector<BYTE> CopyFromScreen(HWND hWnd, BITMAPINFOHEADER& header)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    header = {};
    header.biSize = sizeof(header);
    header.biWidth = rc.right - rc.left;
    header.biHeight = rc.bottom - rc.top;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<BYTE> pixels(((header.biWidth * 3 + 3) & ~3) * header.biHeight);
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, header.biWidth, header.biHeight);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, header.biWidth, header.biHeight, hScreen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::GetDIBits(hMemory, hBitmap, 0, header.biHeight, pixels.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

bool WriteBitmap(const CString& strPath, const BITMAPINFOHEADER& header, const std::vector<BYTE>& pixels)
{
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    std::string data((const char*)&file, sizeof(file));
    data.append((const char*)&header, sizeof(header));
    data.append((const char*)pixels.data(), pixels.size());
    return WriteWholeFile(strPath, data) || Fail("cannot write a picture");
}

// Makes the window the active one, as a click on it would, so that its title
// bar shows active. A window opened under the virtual desktop starts inactive,
// and making it the foreground window again changes nothing: the foreground
// goes to a window of ours first, in a corner of the desktop, then back.
bool Activate(HWND hWnd)
{
    static HWND s_hOurs = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, ::GetSystemMetrics(SM_CXSCREEN) - 1,
                                            ::GetSystemMetrics(SM_CYSCREEN) - 1, 1, 1, nullptr, nullptr, nullptr, nullptr);
    auto isForeground = [](HWND hWindow) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        return ::GetForegroundWindow() == hWindow;
    };
    for (int nTry = 0; nTry < 5; nTry++)
    {
        ::SetForegroundWindow(s_hOurs);
        WaitUntil([&] { return isForeground(s_hOurs); }, 1000);
        ::SetForegroundWindow(hWnd);
        if (WaitUntil([&] { return isForeground(hWnd); }, 1000))
            return true;
    }
    return Fail("a window would not become the active one");
}

// A copy whose title bar, beside the caption's text, has the active colour
bool ShowsActive(const BITMAPINFOHEADER& header, const std::vector<BYTE>& pixels)
{
    // Just left of the three caption buttons, whose size follows the display's scale
    int x = header.biWidth - ::GetSystemMetrics(SM_CXFRAME) - 3 * ::GetSystemMetrics(SM_CXSIZE)
          - ::GetSystemMetrics(SM_CXSIZE) / 2;
    int y = ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
    if (x < 0 || y >= header.biHeight)
        return false;
    // Bottom-up rows of blue, green, red
    const BYTE* pPixel = pixels.data() + (header.biHeight - 1 - y) * ((header.biWidth * 3 + 3) & ~3) + x * 3;
    return RGB(pPixel[2], pPixel[1], pPixel[0]) == ::GetSysColor(COLOR_ACTIVECAPTION);
}

// Another program paints when it gets to it, and nothing tells when it is
// done: the picture is taken once three copies a tenth of a second apart agree,
// with the window shown active.
bool TakePicture(HWND hWnd, const CString& strPath)
{
    BITMAPINFOHEADER header;
    std::vector<BYTE> pixels;
    for (int nTry = 0, nSame = 0; nSame < 2 || !ShowsActive(header, pixels); nTry++)
    {
        if (nTry == 50)
            return Fail("a window did not settle");
        if (nTry % 10 == 0 && !Activate(hWnd))
            return false;
        ::Sleep(100);
        std::vector<BYTE> again = CopyFromScreen(hWnd, header);
        nSame = again == pixels ? nSame + 1 : 0;
        pixels.swap(again);
    }
    printf("%s\n", (LPCSTR)strPath);
    return WriteBitmap(strPath, header, pixels);
}

// Presses a button of another program's window, which takes the focus with it
bool PressButton(HWND hDlg, int nID)
{
    HWND hButton = ::GetDlgItem(hDlg, nID);
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hButton, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &dwResult);
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (WaitUntil([&] { return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hDlg, nullptr), &info) && info.hwndFocus == hButton; }))
        return true;
    return Fail("a button did not take the focus");
}

// Starts the program with the configuration in place, in the window style
// that the profile names (so that the Info page shows it)
HWND StartWindow(CProgramRun& run, LPCSTR pszStyle)
{
    if (!WriteProfile(run, pszStyle) || !run.Start())
        return nullptr;
    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Workbench 3.0");
    if (!hLauncher)
        Fail("the launcher window did not open");
    return hLauncher;
}

// A control that only that page has, to find the page by
const struct
{
    LPCSTR pszName;
    int nOwnID;
} PAGES[] = {
    { "emulator", IDC_EMULATOR_BROWSE },    { "kickstart", IDC_KICKSTART_BROWSE }, { "video", IDC_VIDEO_RESOLUTION },
    { "memory", IDC_MEMORY_FAST_SIZE },     { "hd", IDC_HARDDISK_LIST },           { "floppy", IDC_FLOPPY_PROGRESS },
    { "joystick", IDC_JOYSTICK_EMULATION }, { "sound", IDC_SOUND_FREQUENCY },      { "keyboard", IDC_KEYBOARD_LAYOUT },
    { "misc", IDC_MISC_DEBUGGER },          { "config", IDC_CONFIG_DELETE },       { "info", IDC_INFO_DOS_EMULATOR_PATH },
};
const int FLOPPY_PAGE = 5;

// Suspends every thread of the window's program but the window's own
std::vector<HANDLE> HoldOtherThreads(HWND hWnd)
{
    DWORD dwProcessId = 0;
    DWORD dwWindowThread = ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    std::vector<HANDLE> held;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
    {
        if (entry.th32OwnerProcessID != dwProcessId || entry.th32ThreadID == dwWindowThread)
            continue;
        HANDLE hThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (hThread && ::SuspendThread(hThread) != (DWORD)-1)
            held.push_back(hThread);
        else if (hThread)
            ::CloseHandle(hThread);
    }
    ::CloseHandle(hSnapshot);
    return held;
}

// The Floppy page with the catalog under way and its progress bar part-filled
bool TakeCatalogPicture(const CProgramRun& run, HWND hLauncher, const CString& strPath)
{
    HWND hPage = PageOf(hLauncher, IDC_FLOPPY_PROGRESS);
    HWND hProgress = ::GetDlgItem(hPage, IDC_FLOPPY_PROGRESS);
    ClickButton(hPage, IDC_FLOPPY_CATALOG);
    if (!AnswerFileDialog(run, "Give a name to that report", AmigaPath("AdfList.txt"))
        || !AnswerFileDialog(run, "Select one of the files to catalog", AmigaPath("Collection\\Disk0001.adf")))
        return Fail("the catalog's file dialogs did not come");
    if (!WaitUntil([&] {
            int nRange = (int)::SendMessageA(hProgress, PBM_GETRANGE, FALSE, 0);
            return nRange > 0 && ::SendMessageA(hProgress, PBM_GETPOS, 0, 0) * 3 >= nRange;
        }))
        return Fail("the catalog did not get a third of the way");
    // The run sends a message for each image and waits for it, and the window
    // gets to paint only between them; held for the picture, it paints at once.
    std::vector<HANDLE> held = HoldOtherThreads(hLauncher);
    bool bTaken = TakePicture(hLauncher, strPath);
    for (HANDLE hThread : held)
    {
        ::ResumeThread(hThread);
        ::CloseHandle(hThread);
    }
    return bTaken;
}

bool TakePictures(const CString& strOutput, const CString& strSuffix)
{
    const bool bPages = strSuffix.IsEmpty();
    if (!MakeAmigaFolder(bPages))
        return false;
    ::CreateDirectoryA(strOutput + "\\pages", nullptr);

    {
        // The tab window, then every page in it; the Floppy page last, since
        // its catalog ends by opening the report in an editor.
        CProgramRun run;
        HWND hLauncher = StartWindow(run, "1");
        if (!hLauncher || !TakePicture(hLauncher, strOutput + "\\tab-window" + strSuffix + ".bmp"))
            return false;
        std::vector<int> order;
        for (int i = 0; i < 12; i++)
            if (i != FLOPPY_PAGE)
                order.push_back(i);
        order.push_back(FLOPPY_PAGE);
        for (int nPage : bPages ? order : std::vector<int>())
        {
            if (!ShowPage(hLauncher, nPage, PAGES[nPage].nOwnID))
                return Fail("a page did not show");
            CString strPath = strOutput + "\\pages\\" + PAGES[nPage].pszName + ".bmp";
            if (nPage == FLOPPY_PAGE ? !TakeCatalogPicture(run, hLauncher, strPath) : !TakePicture(hLauncher, strPath))
                return false;
        }
    }
    {
        // The list window as it opens. A key on the list would scroll it
        // sideways: its items are wider than the list.
        CProgramRun run;
        HWND hLauncher = StartWindow(run, "2");
        if (!hLauncher || !TakePicture(hLauncher, strOutput + "\\list-window" + strSuffix + ".bmp"))
            return false;
    }
    {
        // The modern window opens with the focus in the page's first field,
        // whose caret blinks; the picture has it on the button of the page,
        // pressed as a user would.
        CProgramRun run;
        HWND hLauncher = StartWindow(run, "3");
        if (!hLauncher || !Activate(hLauncher) || !PressButton(hLauncher, IDC_MODERN_EMULATOR)
            || !TakePicture(hLauncher, strOutput + "\\modern-window" + strSuffix + ".bmp"))
            return false;
    }
    RemoveTree(AMIGA);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3)
    {
        fprintf(stderr, "usage: kovana_shots.exe OUTPUT-FOLDER [SUFFIX]\n");
        return 2;
    }
    return TakePictures(argv[1], argc == 3 ? argv[2] : "") ? 0 : 1;
}
