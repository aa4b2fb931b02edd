// A stand-in for the Zot emulator, to try the front end out and to test it.
// Started the way the front end starts the emulator (no arguments), it reads
// the options file of its own folder, leaves a receipt of exactly the bytes it
// read beside itself, and shows the options it received, one per line.
// One source, two builds: ZOT_STANDIN_DOS makes the DOS build (zot.rc with its
// "-G" line); otherwise it is the Win32 build (.zotrc).
#include "StandInVersion.h"
#include "resource.h"

#include <windows.h>

#include <string>

// The build marker goes first of all the program's texts, so that the front
// end's scan meets it before any text of the runtime.
#if defined(ZOT_STANDIN_DOS)
extern const char g_szZotBanner[];
__attribute__((used)) const char g_szZotBanner[] = ZOT_STANDIN_DOS_BANNER;
static const char s_szOptionsName[] = ZOT_STANDIN_DOS_OPTIONS;
#else
extern const char g_szZotBanner[];
__attribute__((used)) const char g_szZotBanner[] = ZOT_STANDIN_WIN32_VERSION;
static const char s_szOptionsName[] = ZOT_STANDIN_WIN32_OPTIONS;
#endif

struct StandInRun
{
    std::string strFolder;   // with its trailing backslash
    std::string strOptions;  // the options file's bytes
    bool bOptionsRead = false;
};

static std::string GetOwnFolder()
{
    std::string strPath(32768, '\0');
    DWORD nLength = ::GetModuleFileNameA(nullptr, &strPath[0], (DWORD)strPath.size());
    if (nLength == 0 || nLength >= strPath.size())
        return std::string();
    strPath.resize(nLength);
    size_t nSlash = strPath.find_last_of('\\');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash + 1);
}

static bool ReadWholeFile(const std::string& strPath, std::string& strData)
{
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    strData.clear();
    char buffer[65536];
    DWORD nRead = 0;
    bool bOk = true;
    for (;;)
    {
        if (!::ReadFile(hFile, buffer, sizeof(buffer), &nRead, nullptr))
        {
            bOk = false;
            break;
        }
        if (nRead == 0)
            break;
        strData.append(buffer, nRead);
    }
    ::CloseHandle(hFile);
    return bOk;
}

// Whoever waits for the receipt must never see half of it: write it under a
// temporary name, then rename it into place.
static void WriteReceipt(const std::string& strFolder, const char* pszName, const std::string& strData)
{
    std::string strFinal = strFolder + pszName;
    std::string strTemp = strFinal + ".tmp";
    HANDLE hFile = ::CreateFileA(strTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD nWritten = 0;
    bool bOk = strData.empty()
               || (::WriteFile(hFile, strData.data(), (DWORD)strData.size(), &nWritten, nullptr)
                   && nWritten == strData.size());
    ::CloseHandle(hFile);
    if (!bOk || !::MoveFileExA(strTemp.c_str(), strFinal.c_str(), MOVEFILE_REPLACE_EXISTING))
        ::DeleteFileA(strTemp.c_str());
}

// The options one per line, whichever line breaks the file used
static std::string OptionsForDisplay(const std::string& strOptions)
{
    std::string strText;
    for (size_t i = 0; i < strOptions.size(); i++)
    {
        char ch = strOptions[i];
        if (ch == '\r' && i + 1 < strOptions.size() && strOptions[i + 1] == '\n')
            continue;
        if (ch == '\n' || ch == '\r')
            strText += "\r\n";
        else
            strText += ch ? ch : ' ';
    }
    return strText;
}

static INT_PTR CALLBACK StandInDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
    {
        const StandInRun& run = *reinterpret_cast<const StandInRun*>(lParam);
        char szBanner[128];
#if defined(ZOT_STANDIN_DOS)
        ::wsprintfA(szBanner, g_szZotBanner, ZOT_STANDIN_DOS_VERSION);
#else
        ::lstrcpynA(szBanner, g_szZotBanner, sizeof(szBanner));
#endif
        ::SetDlgItemTextA(hDlg, IDC_STANDIN_BANNER, szBanner);
        std::string strSource = run.bOptionsRead ? "Options read from " : "No options file at ";
        strSource += run.strFolder + s_szOptionsName;
        ::SetDlgItemTextA(hDlg, IDC_STANDIN_SOURCE, strSource.c_str());
        ::SetDlgItemTextA(hDlg, IDC_STANDIN_OPTIONS, OptionsForDisplay(run.strOptions).c_str());
        ::SetFocus(::GetDlgItem(hDlg, IDCANCEL));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
        {
            ::EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    StandInRun run;
    run.strFolder = GetOwnFolder();
    if (run.strFolder.empty())
        return 1;
    run.bOptionsRead = ReadWholeFile(run.strFolder + s_szOptionsName, run.strOptions);
    if (run.bOptionsRead)
        WriteReceipt(run.strFolder, ZOT_STANDIN_RECEIPT, run.strOptions);
    else
        WriteReceipt(run.strFolder, ZOT_STANDIN_NO_OPTIONS, std::string());

    char szExit[8] = "";
    DWORD nLength = ::GetEnvironmentVariableA(ZOT_STANDIN_EXIT_VARIABLE, szExit, sizeof(szExit));
    if (nLength == 1 && szExit[0] == '1')
        return 0;

    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_STANDIN), nullptr, StandInDlgProc,
                      reinterpret_cast<LPARAM>(&run));
    return 0;
}
