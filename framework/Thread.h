// Classes in this file:
//   CWinThread - a worker thread that runs the object's InitInstance once
#pragma once

#include "String.h"

class CWinThread
{
public:
    HANDLE m_hThread = nullptr;

    CWinThread() {}
    // Closes the handle
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // _beginthreadex: starts the thread; FALSE when it could not be started.
    // The handle is set before the thread runs.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0);

// Overridables, run on the new thread
    // The thread's whole work for a worker thread; FALSE ends it with ExitInstance
    virtual BOOL InitInstance() { return FALSE; }
    // The thread's exit code
    virtual int ExitInstance() { return 0; }
    // The thread's last act: deletes the object
    virtual void Delete();

private:
    static unsigned __stdcall ThreadProc(void* pParam);
};
