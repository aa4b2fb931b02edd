#include "Thread.h"

#include <process.h>

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize)
{
    // Started suspended: a thread that deletes its object could otherwise end
    // before the handle is stored in it.
    m_hThread = (HANDLE)_beginthreadex(nullptr, nStackSize, ThreadProc, this, dwCreateFlags | CREATE_SUSPENDED,
                                       nullptr);
    if (!m_hThread)
        return FALSE;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

void CWinThread::Delete()
{
    delete this;
}

unsigned __stdcall CWinThread::ThreadProc(void* pParam)
{
    CWinThread* pThread = (CWinThread*)pParam;
    // A worker does its work in InitInstance and ends either way.
    pThread->InitInstance();
    unsigned nExitCode = (unsigned)pThread->ExitInstance();
    pThread->Delete();
    return nExitCode;
}
