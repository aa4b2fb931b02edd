#include "Thread.h"

#include <process.h>

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize)
{
    unsigned nThreadID = 0;
    m_hThread = (HANDLE)_beginthreadex(nullptr, nStackSize, ThreadProc, this, dwCreateFlags, &nThreadID);
    m_nThreadID = nThreadID;
    return m_hThread != nullptr;
}

unsigned __stdcall CWinThread::ThreadProc(void* pParam)
{
    CWinThread* pThread = (CWinThread*)pParam;
    // A worker does its work in InitInstance and ends either way.
    pThread->InitInstance();
    return (unsigned)pThread->ExitInstance();
}
