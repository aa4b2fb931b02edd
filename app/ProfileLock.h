// Classes in this file:
//   CProfileLock - one copy of the program per profile
//
// Two copies on one profile would each write their own list of
// configurations over the other's. The first copy takes a named mutex whose
// name comes from the profile's folder as the file system identifies it, and
// publishes its process id beside it; a second start finds the mutex, brings
// the first copy's window forward and ends without writing anything.
#pragma once

#include "framework/String.h"

class CProfileLock
{
public:
    CProfileLock() {}
    ~CProfileLock();
    CProfileLock(const CProfileLock&) = delete;
    CProfileLock& operator=(const CProfileLock&) = delete;

    // TRUE when this process now holds the profile. FALSE when another copy
    // holds it; that copy's window has then been brought forward.
    BOOL Take(LPCSTR pszProfile);

    // What names the profile's folder whatever the spelling of its path: the
    // volume and the file index that the file system gives the folder, or
    // else its full long path folded to upper case, hashed
    static CString FolderIdentity(LPCSTR pszProfile);

private:
    // Brings forward what the copy of that process shows: a dialog or message
    // box over its window rather than the window it keeps disabled
    static void ShowCopy(DWORD dwProcessId);

    HANDLE m_hMutex = nullptr;
    HANDLE m_hProcessId = nullptr;  // the mapping that publishes this copy's process id
};
