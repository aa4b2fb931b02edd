// Classes in this file:
//   CModernLauncherDlg - the "Modern Dialog" launcher window: picture buttons around the page
#pragma once

#include "LauncherDlg.h"
#include "app/LauncherApp.h"
#include "framework/BitmapButton.h"

class CModernLauncherDlg : public CLauncherDlg
{
public:
    // Twelve page buttons in page order, then Leave and Launch
    enum { BUTTON_LEAVE = CLauncherApp::PAGE_COUNT, BUTTON_LAUNCH, BUTTON_COUNT };

    explicit CModernLauncherDlg(CWnd* pParent = nullptr);

    CBitmapButton m_buttons[BUTTON_COUNT];

protected:
    BOOL OnInitDialog() override;
    void OnEmulator() { ShowPage(CLauncherApp::PAGE_EMULATOR); }
    void OnKickstart() { ShowPage(CLauncherApp::PAGE_KICKSTART); }
    void OnVideo() { ShowPage(CLauncherApp::PAGE_VIDEO); }
    void OnMemory() { ShowPage(CLauncherApp::PAGE_MEMORY); }
    void OnHardDisk() { ShowPage(CLauncherApp::PAGE_HARDDISK); }
    void OnFloppy() { ShowPage(CLauncherApp::PAGE_FLOPPY); }
    void OnJoystick() { ShowPage(CLauncherApp::PAGE_JOYSTICK); }
    void OnSound() { ShowPage(CLauncherApp::PAGE_SOUND); }
    void OnKeyboard() { ShowPage(CLauncherApp::PAGE_KEYBOARD); }
    void OnMisc() { ShowPage(CLauncherApp::PAGE_MISC); }
    void OnConfig() { ShowPage(CLauncherApp::PAGE_CONFIG); }
    void OnInfo() { ShowPage(CLauncherApp::PAGE_INFO); }
    void OnLeave() { Leave(); }
    void OnLaunch() { Launch(); }
    // Enter, Esc and the close box end this window as Leave does: with the
    // question when a page changed, so that no edit is lost unasked.
    void OnOK() override { Leave(); }
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
