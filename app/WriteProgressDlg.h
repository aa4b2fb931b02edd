// Classes in this file:
//   CWriteProgressDlg - shows how far a long update of the profile has come
#pragma once

#include "ProfileUpdate.h"
#include "framework/CommonControls.h"
#include "framework/Dialog.h"

class CWriteProgressDlg : public CDialog, public CProfileUpdate::CProgress
{
public:
    // The window shows over the owner once an update has taken longer than
    // s_dwShowAfterMs, and goes with this object.
    explicit CWriteProgressDlg(CWnd* pOwner);
    ~CWriteProgressDlg() override;

    // Moves the bar and lets the program's windows repaint. Clicks and keys
    // wait until the update is done: nothing may start another one meanwhile.
    void Step(int nDone, int nTotal) override;

    // A second, which an update at ordinary sizes never takes; tests take 0.
    static DWORD s_dwShowAfterMs;

    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    DWORD m_dwStart;
};
