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
    unsigned nThreadID = 0;
    m_hThread = (HANDLE)_beginthreadex(nullptr, nStackSize, ThreadProc, this, dwCreateFlags | CREATE_SUSPENDED,
                                       &nThreadID);
    if (!m_hThread)
        return FALSE;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
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
