#include "WriteProgressDlg.h"

#include "res/resource.h"

DWORD CWriteProgressDlg::s_dwShowAfterMs = 1000;

CWriteProgressDlg::CWriteProgressDlg(CWnd* pOwner)
    : CDialog(IDD_WRITE_PROGRESS, pOwner), m_dwStart(::GetTickCount())
{
}

CWriteProgressDlg::~CWriteProgressDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

void CWriteProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_WRITE_PROGRESS, m_progress);
}

void CWriteProgressDlg::Step(int nDone, int nTotal)
{
    if (!m_hWnd)
    {
        if (::GetTickCount() - m_dwStart < s_dwShowAfterMs || !Create(IDD_WRITE_PROGRESS, m_pParentWnd))
            return;
        // Over the window that waits for it
        if (m_pParentWnd && m_pParentWnd->m_hWnd)
        {
            RECT rcOwner, rcWindow;
            ::GetWindowRect(m_pParentWnd->m_hWnd, &rcOwner);
            ::GetWindowRect(m_hWnd, &rcWindow);
            ::SetWindowPos(m_hWnd, nullptr,
                           (rcOwner.left + rcOwner.right - (rcWindow.right - rcWindow.left)) / 2,
                           (rcOwner.top + rcOwner.bottom - (rcWindow.bottom - rcWindow.top)) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // Shown without taking the focus: the control that has it would
        // otherwise act on losing it, in the middle of the update.
        ShowWindow(SW_SHOWNA);
    }
    m_progress.SetRange32(0, nTotal);
    m_progress.SetPos(nDone);
    // Messages sent by other threads are answered by the look itself.
    MSG msg;
    for (int nPainted = 0; nPainted < 100 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); nPainted++)
        ::DispatchMessageA(&msg);
}
