// The floor of the start-up benchmark: the hidden main dialog, the tab
// launcher window and its twelve page windows made bare from the program's own
// templates, then the launcher shown with the caption that a loaded
// configuration gives (the name comes on the command line). No profile is read,
// no page is filled and no icon is set.
#include "res/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

static INT_PTR CALLBACK LauncherProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
    {
        ::DestroyWindow(hDlg);
        ::PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCmdLine, int)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);

    // The hidden main dialog, which the program makes first and never shows
    if (!::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, PageProc, 0))
        return 1;
    HWND hLauncher = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_TAB_LAUNCHER), nullptr, LauncherProc, 0);
    if (!hLauncher)
        return 1;
    static const UINT s_nPageTemplates[] = {
        IDD_EMULATOR_PAGE, IDD_KICKSTART_PAGE, IDD_VIDEO_PAGE, IDD_MEMORY_PAGE, IDD_HARDDISK_PAGE, IDD_FLOPPY_PAGE,
        IDD_JOYSTICK_PAGE, IDD_SOUND_PAGE, IDD_KEYBOARD_PAGE, IDD_MISC_PAGE, IDD_CONFIG_PAGE, IDD_INFO_PAGE,
    };
    WINDOWPLACEMENT wpPageArea = {};
    wpPageArea.length = sizeof(wpPageArea);
    ::GetWindowPlacement(::GetDlgItem(hLauncher, IDC_TAB_PAGE_AREA), &wpPageArea);
    HWND hFirstPage = nullptr;
    for (UINT nTemplate : s_nPageTemplates)
    {
        HWND hPage = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(nTemplate), hLauncher, PageProc, 0);
        ::SetWindowPlacement(hPage, &wpPageArea);
        ::ShowWindow(hPage, SW_HIDE);
        if (!hFirstPage)
            hFirstPage = hPage;
    }
    ::ShowWindow(hFirstPage, SW_SHOW);

    std::string caption = std::string("ZOT Brimlo - ") + pszCmdLine;
    ::SetWindowTextA(hLauncher, caption.c_str());
    ::ShowWindow(hLauncher, SW_SHOW);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        if (::IsDialogMessageA(hLauncher, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
