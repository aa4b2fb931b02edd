#include "ModernLauncherDlg.h"

#include "app/LauncherApp.h"
#include "res/resource.h"

CModernLauncherDlg::CModernLauncherDlg(CWnd* pParent)
    : CLauncherDlg(IDD_MODERN_LAUNCHER, IDC_MODERN_PAGE_AREA, CLauncherApp::STYLE_MODERN, pParent)
{
}

BEGIN_MESSAGE_MAP(CModernLauncherDlg, CLauncherDlg)
    ON_BN_CLICKED(IDC_MODERN_EMULATOR, OnEmulator)
    ON_BN_CLICKED(IDC_MODERN_KICKSTART, OnKickstart)
    ON_BN_CLICKED(IDC_MODERN_VIDEO, OnVideo)
    ON_BN_CLICKED(IDC_MODERN_MEMORY, OnMemory)
    ON_BN_CLICKED(IDC_MODERN_HARDDISK, OnHardDisk)
    ON_BN_CLICKED(IDC_MODERN_FLOPPY, OnFloppy)
    ON_BN_CLICKED(IDC_MODERN_JOYSTICK, OnJoystick)
    ON_BN_CLICKED(IDC_MODERN_SOUND, OnSound)
    ON_BN_CLICKED(IDC_MODERN_KEYBOARD, OnKeyboard)
    ON_BN_CLICKED(IDC_MODERN_MISC, OnMisc)
    ON_BN_CLICKED(IDC_MODERN_CONFIG, OnConfig)
    ON_BN_CLICKED(IDC_MODERN_INFO, OnInfo)
    ON_BN_CLICKED(IDC_MODERN_LEAVE, OnLeave)
    ON_BN_CLICKED(IDC_MODERN_LAUNCH, OnLaunch)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

BOOL CModernLauncherDlg::OnInitDialog()
{
    CLauncherDlg::OnInitDialog();

    for (int k = 0; k < BUTTON_COUNT; k++)
        m_buttons[k].AutoLoad(IDC_MODERN_EMULATOR + k, this);

    ShowPage(CLauncherApp::PAGE_EMULATOR);
    GetLauncherApp()->LoadConfig();
    return TRUE;
}

// The window draws nothing of its own; the pages and the buttons cover it.
LRESULT CModernLauncherDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

// Owner-drawn buttons ask their parent to draw them; each button knows its pictures.
LRESULT CModernLauncherDlg::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    int k = (int)wParam - IDC_MODERN_EMULATOR;
    if (k < 0 || k >= BUTTON_COUNT)
        return FALSE;
    m_buttons[k].DrawItem((const DRAWITEMSTRUCT*)lParam);
    return TRUE;
}
