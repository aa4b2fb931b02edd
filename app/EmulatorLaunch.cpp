// Launching the emulator, and the application's look-ups in files outside the
// profile: the emulator's build, short paths and disk image volume names.
#include "LauncherApp.h"

#include "FileScan.h"
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
    UpdateAllOptions();

    // A path without a backslash names no folder for the options file.
    CString strEmulatorPath = m_mapOptions["EmulatorPath"];
    if (strEmulatorPath.ReverseFind('\\') < 0)
        return;
    strEmulatorPath = GetFullPath(strEmulatorPath);
    int nSlash = strEmulatorPath.ReverseFind('\\');
    if (nSlash < 0)
        return;
    ::SetCurrentDirectoryA(FolderOf(strEmulatorPath));

    BOOL bWin32 = m_mapOptions["EmulatorType"] == TYPE_WIN32;
    CString strOptionsFile = strEmulatorPath.Left(nSlash + 1) + (bWin32 ? ".zotrc" : "zot.rc");

    CString strLine;
    for (CSettingsPage* pPage : m_pPages)
        pPage->AppendOptions(strLine, "\n");

    CStdioFile file;
    if (!file.Open(strOptionsFile, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return;
    BOOL bWritten = TRUE;
    if (!bWin32)
        bWritten = file.WriteString("-G\n");
    bWritten = bWritten && file.WriteString(strLine);
    file.Close();
    // An emulator started on a half-written options file would run with
    // settings the user never chose.
    if (!bWritten)
        return;

    // Where a folder has no short name the path keeps its blanks, and unquoted
    // the first blank would end the program's name.
    CString strCommand = GetShortPath(strEmulatorPath, TRUE);
    if (strCommand.Find(' ') >= 0)
        strCommand = "\"" + strCommand + "\"";
    s_pfnStartEmulator(strCommand, SW_SHOW);
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
