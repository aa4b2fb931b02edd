// Classes in this file:
//   CModernLauncherDlg - the "Modern Dialog" launcher window: picture buttons around the page
#pragma once

#include "LauncherDlg.h"
#include "PictureButton.h"
#include "app/LauncherApp.h"
#include "framework/CommonControls.h"

class CModernLauncherDlg : public CLauncherDlg
{
public:
    // Twelve page buttons in page order, then Leave and Launch
    enum { BUTTON_LEAVE = CLauncherApp::PAGE_COUNT, BUTTON_LAUNCH, BUTTON_COUNT };

    explicit CModernLauncherDlg(CWnd* pParent = nullptr);

    CPictureButton m_buttons[BUTTON_COUNT];
    // Names each button's page when the mouse rests on it
    CToolTipCtrl m_toolTip;

protected:
    BOOL OnInitDialog() override;
    void OnPageButton(UINT nID);
    void OnLeave() { Leave(); }
    void OnLaunch() { Launch(); }
    // Enter on a picture button presses it: an owner-drawn button is never the
    // default button, so the dialog manager gives Enter to IDOK. Elsewhere
    // Enter, Esc and the close box end this window as Leave does: with the
    // question when a page changed, so that no edit is lost unasked.
    void OnOK() override;
    void OnPageShown(int nPage) override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
