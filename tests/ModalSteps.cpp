#include "ModalSteps.h"

static CModalSteps* s_pSteps = nullptr;

static const UINT TICK_MS = 20;
static const int MAX_TICKS = 500;

CModalSteps::CModalSteps(std::vector<std::function<bool()>> steps)
    : m_steps(std::move(steps))
{
    s_pSteps = this;
    m_nTimer = ::SetTimer(nullptr, 0, TICK_MS, OnTick);
}

CModalSteps::~CModalSteps()
{
    ::KillTimer(nullptr, m_nTimer);
    s_pSteps = nullptr;
}

static BOOL CALLBACK EndDialogOfThread(HWND hWnd, LPARAM)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") == 0)
        ::EndDialog(hWnd, CModalSteps::MODAL_TIMED_OUT);
    return TRUE;
}

void CALLBACK CModalSteps::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    CModalSteps* p = s_pSteps;
    if (!p)
        return;
    if (++p->m_nTicks > MAX_TICKS)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), EndDialogOfThread, 0);
        return;
    }
    if (p->m_nNext < p->m_steps.size() && p->m_steps[p->m_nNext]())
        p->m_nNext++;
}
