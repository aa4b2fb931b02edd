// Launching the emulator, and the application's look-ups in files outside the
// profile: the emulator's build, short paths and disk image volume names.
#include "LauncherApp.h"

#include "framework/File.h"

#include <cstring>
#include <vector>

// The emulator executable is scanned in blocks of this size; a marker that
// crosses two blocks is not seen.
static const UINT EMULATOR_SCAN_BLOCK = 102400;
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

    BOOL bWin32 = m_mapOptions["EmulatorType"] == "WIN32";
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

// A pipe or a device opens like a file, but a read from it can wait forever.
static BOOL IsPlainFile(const CFile& file)
{
    return file.GetFileType() == FILE_TYPE_DISK;
}

CString CLauncherApp::GetEmulatorType(CString strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareExclusive) || !IsPlainFile(file))
        return "Not found";

    std::vector<char> block(EMULATOR_SCAN_BLOCK);
    for (;;)
    {
        UINT nRead = file.Read(block.data(), EMULATOR_SCAN_BLOCK);
        const char* pBlock = block.data();
        for (UINT nPos = 0; nPos + 5 <= nRead; nPos++)
        {
            if (memcmp(pBlock + nPos, "Win32", 5) == 0)
            {
                // The version text is the nearest "ZOT" at or before the marker;
                // without one, the text from the marker itself is all there is.
                UINT nStart = nPos;
                for (UINT nBack = nPos + 1; nBack-- > 0;)
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
            if (memcmp(pBlock + nPos, "ZOT %", 5) == 0)
                return "Dos ZOT";
        }
        if (nRead < EMULATOR_SCAN_BLOCK)
            return "Unknown";
    }
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

    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareExclusive) || !IsPlainFile(file))
        return "Not found";
    ULONGLONG nFileLength = file.GetLength();

    BYTE signature[3];
    if (file.Read(signature, 3) != 3 || memcmp(signature, "DOS", 3) != 0)
        return "NDOS";

    BYTE root[4];
    if (file.Seek(8, CFile::begin) != 8 || file.Read(root, 4) != 4)
        return "NDOS";
    ULONGLONG nRootBlock = ((ULONGLONG)root[0] << 24) | (root[1] << 16) | (root[2] << 8) | root[3];
    if (nRootBlock == 0 || nRootBlock > 1760)
        nRootBlock = 880;

    ULONGLONG nNameOffset = nRootBlock * 512 + 432;
    if (nNameOffset > nFileLength)
        return "NDOS";
    BYTE nNameLength;
    if (file.Seek(nNameOffset, CFile::begin) != (LONGLONG)nNameOffset || file.Read(&nNameLength, 1) != 1)
        return "NDOS";
    if (nNameLength > 50)
        return "NDOS";

    char szName[50];
    if (file.Read(szName, nNameLength) != nNameLength)
        return "NDOS";
    for (int i = 0; i < nNameLength; i++)
        if (szName[i] < 0x20 || szName[i] > 0x7E)
            return "NDOS";
    return CString(szName, nNameLength);
}
