// Drives modal dialogs from inside their own message loops: a thread timer runs
// the steps in turn while the dialogs run.
#pragma once

#include "harness/WindowDriving.h"

#include <windows.h>

#include <functional>
#include <vector>

// A step returns false while what it waits for is not there yet; it is then
// tried again at the next tick. When the steps take too long, every dialog of
// this thread is ended with MODAL_TIMED_OUT, so a failing test cannot hang.
class CModalSteps
{
public:
    enum { MODAL_TIMED_OUT = -2 };

    explicit CModalSteps(std::vector<std::function<bool()>> steps);
    ~CModalSteps();
    CModalSteps(const CModalSteps&) = delete;
    CModalSteps& operator=(const CModalSteps&) = delete;

    // TRUE when every step has run
    bool Done() const { return m_nNext == m_steps.size(); }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<std::function<bool()>> m_steps;
    size_t m_nNext = 0;
    int m_nTicks = 0;
    UINT_PTR m_nTimer = 0;
};
