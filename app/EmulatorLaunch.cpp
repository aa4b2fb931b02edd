// Launching the emulator, and the application's look-ups in files outside the
// profile: the emulator's build, short paths and disk image volume names.
#include "LauncherApp.h"

#include "FileScan.h"
#include "framework/Prompt.h"
#include "pages/SettingsPage.h"

#include <cstring>

// The longest version text taken from a Win32 build
static const int EMULATOR_VERSION_MAX = 51;

// A relative path would be read again from the emulator's folder once that is
// the current directory; resolve it while it still means what the user typed.
static CString GetFullPath(const CString& strPath)
{
    CString strFull;
    DWORD nSize = MAX_PATH;
    for (;;)
    {
        DWORD nLength = ::GetFullPathNameA(strPath, nSize, strFull.GetBuffer(nSize), nullptr);
        if (nLength == 0)
            return strPath;
        if (nLength < nSize)
        {
            strFull.ReleaseBuffer(nLength);
            return strFull;
        }
        nSize = nLength + 1;
    }
}

static UINT StartEmulator(LPCSTR pszCommandLine, UINT nCmdShow)
{
    return ::WinExec(pszCommandLine, nCmdShow);
}

CLauncherApp::EmulatorStarter CLauncherApp::s_pfnStartEmulator = StartEmulator;

CString CLauncherApp::FolderOf(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    if (nSlash < 0)
        return "";
    CString strFolder = strPath.Left(nSlash);
    if (strFolder.GetLength() == 2 && strFolder[1] == ':')
        strFolder += '\\';
    return strFolder;
}

void CLauncherApp::LaunchEmulator()
{
    // A launch saves nothing: the option map goes back to what the profile
    // holds, so that the pages' changes are still offered for saving.
    CMapStringToString mapStored = m_mapOptions;
    UpdateAllOptions();
    CString strFailure = WriteOptionsAndStart();
    m_mapOptions = mapStored;
    if (!strFailure.IsEmpty())
        CPrompt::MessageBox(m_pLauncher ? m_pLauncher->m_hWnd : nullptr, strFailure, "ERROR",
                            MB_OK | MB_ICONEXCLAMATION);
}

static CString StartFailure(const CString& strPath, const CString& strWhy)
{
    return "The emulator could not be started:\n" + strPath + "\n\n" + strWhy;
}

// Why no emulator can be started from the path; "" when it names a program
static CString EmulatorPathFault(const CString& strPath)
{
    if (strPath.IsEmpty())
        return "The emulator could not be started: no emulator is chosen.\n\nChoose its program with Browse on the "
               "Emulator page.";
    CString strFault;
    if (strPath.Find('"') >= 0)
        strFault = "The path holds quotes. Type it without them.";
    else if (strPath.Find('/') >= 0)
        strFault = "The path separates its folders with \"/\": type \"\\\" between them instead.";
    else if (strPath.ReverseFind('\\') < 0)
        strFault = "The path names no folder. Give the whole path, or choose the program with Browse on the "
                   "Emulator page.";
    else
    {
        DWORD nAttributes = ::GetFileAttributesA(strPath);
        DWORD nBinaryType;
        if (nAttributes == INVALID_FILE_ATTRIBUTES)
            strFault = "There is no such file.";
        else if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
            strFault = "This is a folder, not a program.";
        else if (!::GetBinaryTypeA(strPath, &nBinaryType))
            strFault = "This file is not a program.";
    }
    return strFault.IsEmpty() ? strFault : StartFailure(strPath, strFault);
}

CString CLauncherApp::WriteOptionsAndStart()
{
    CString strEmulatorPath = m_mapOptions["EmulatorPath"];
    CString strFault = EmulatorPathFault(strEmulatorPath);
    if (!strFault.IsEmpty())
        return strFault;
    strEmulatorPath = GetFullPath(strEmulatorPath);
    int nSlash = strEmulatorPath.ReverseFind('\\');
    ::SetCurrentDirectoryA(FolderOf(strEmulatorPath));

    BOOL bWin32 = m_mapOptions["EmulatorType"] == TYPE_WIN32;
    CString strOptionsFile = strEmulatorPath.Left(nSlash + 1) + (bWin32 ? ".zotrc" : "zot.rc");

    CString strLine;
    for (CSettingsPage* pPage : m_pPages)
        pPage->AppendOptions(strLine, "\n");

    const CString strNotWritten = "The options file could not be written:\n" + strOptionsFile
                                  + "\n\nThe emulator was not started.";
    CStdioFile file;
    if (!file.Open(strOptionsFile, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return strNotWritten;
    BOOL bWritten = TRUE;
    if (!bWin32)
        bWritten = file.WriteString("-G\n");
    bWritten = bWritten && file.WriteString(strLine);
    file.Close();
    // An emulator started on a half-written options file would run with
    // settings the user never chose, and one started later would find them.
    if (!bWritten)
    {
        ::DeleteFileA(strOptionsFile);
        return strNotWritten;
    }

    // Where a folder has no short name the path keeps its blanks, and unquoted
    // the first blank would end the program's name.
    CString strCommand = GetShortPath(strEmulatorPath, TRUE);
    if (strCommand.Find(' ') >= 0)
        strCommand = "\"" + strCommand + "\"";
    UINT nResult = s_pfnStartEmulator(strCommand, SW_SHOW);
    if (nResult > 31)
        return "";
    CString strWhy;
    strWhy.Format("Windows gave the error %u.", nResult);
    return StartFailure(strEmulatorPath, strWhy);
}

CString CLauncherApp::GetEmulatorType(CString strPath)
{
    // At one position "Win32" is tried first.
    static const LPCSTR s_pszMarkers[] = { "Win32", "ZOT %" };
    CMarkerScan scan;
    if (!scan.Open(strPath, CFile::shareExclusive))
        return TEXT_NOT_FOUND;
    int nFound = scan.Find(s_pszMarkers, 2);
    if (nFound < 0)
        return TEXT_UNKNOWN;
    if (nFound == 1)
        return TEXT_DOS_BUILD;

    // The version text is the nearest "ZOT" at or before the marker; without
    // one, the text from the marker itself is all there is.
    const char* pBlock = scan.Block();
    UINT nRead = scan.BlockLength();
    UINT nStart = scan.Position();
    for (UINT nBack = nStart + 1; nBack-- > 0;)
        if (memcmp(pBlock + nBack, "ZOT", 3) == 0)
        {
            nStart = nBack;
            break;
        }
    UINT nEnd = nStart;
    while (nEnd < nRead && pBlock[nEnd] != '\0' && nEnd - nStart < (UINT)EMULATOR_VERSION_MAX)
        nEnd++;
    return CString(pBlock + nStart, nEnd - nStart);
}

// A component with wildcards would name whatever file happens to match.
static BOOL HasWildcards(const CString& strPath)
{
    return strPath.Find('*') >= 0 || strPath.Find('?') >= 0;
}

CString CLauncherApp::GetShortPath(CString strPath, BOOL bShortName)
{
    if (strPath.IsEmpty())
        return strPath;
    // Only paths that start with a drive letter and a root can be walked back
    // to their drive; relative and network paths are returned as they are.
    if (strPath.GetLength() < 3 || strPath[1] != ':' || strPath[2] != '\\')
        return strPath;

    CString strResult;
    CString strCurrent = strPath;
    for (;;)
    {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = HasWildcards(strCurrent) ? INVALID_HANDLE_VALUE : ::FindFirstFileA(strCurrent, &fd);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            LPCSTR pszName = (bShortName && fd.cAlternateFileName[0]) ? fd.cAlternateFileName : fd.cFileName;
            strResult = CString("\\") + pszName + strResult;
            ::FindClose(hFind);
        }
        int nSlash = strCurrent.ReverseFind('\\');
        strCurrent = strCurrent.Left(nSlash);
        // With nothing found below it, the drive alone ("C:") would name the
        // drive's current directory instead of its root.
        if (nSlash <= 2)
            return strCurrent + (strResult.IsEmpty() ? CString("\\") : strResult);
    }
}

CString CLauncherApp::GetDiskName(CString strPath)
{
    if (strPath.IsEmpty())
        return "";
    CFile image;
    if (!OpenPlainFile(image, strPath, CFile::shareExclusive))
        return TEXT_NOT_FOUND;
    return ReadDiskName(image, image.GetLength());
}
