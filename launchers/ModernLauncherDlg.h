// Classes in this file:
//   CModernLauncherDlg - the "Modern Dialog" launcher window: picture buttons around the page
#pragma once

#include "framework/BitmapButton.h"
#include "framework/Controls.h"
#include "launchers/LauncherDlg.h"

class CModernLauncherDlg : public CLauncherDlg
{
public:
    // Twelve page buttons in page order, then Leave and Launch
    enum { BUTTON_COUNT = 14, BUTTON_LEAVE = 12, BUTTON_LAUNCH = 13 };

    explicit CModernLauncherDlg(CWnd* pParent = nullptr);

    CBitmapButton m_buttons[BUTTON_COUNT];
    CStatic m_staticPageArea;
    HICON m_hIcon;

// Operations
    // Hides every page, then shows the one of that index
    void ShowPage(int nPage);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnEmulator() { ShowPage(0); }
    void OnKickstart() { ShowPage(1); }
    void OnVideo() { ShowPage(2); }
    void OnMemory() { ShowPage(3); }
    void OnHardDisk() { ShowPage(4); }
    void OnFloppy() { ShowPage(5); }
    void OnJoystick() { ShowPage(6); }
    void OnSound() { ShowPage(7); }
    void OnKeyboard() { ShowPage(8); }
    void OnMisc() { ShowPage(9); }
    void OnConfig() { ShowPage(10); }
    void OnInfo() { ShowPage(11); }
    void OnLeave() { Leave(); }
    void OnLaunch() { Launch(); }
    // Enter, Esc and the close box end this window as Leave does: with the
    // question when a page changed, so that no edit is lost unasked.
    void OnOK() override { Leave(); }
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
