// How long a catalog run takes over its own floors, and how quickly the window
// answers while it runs. All three are measured in this process over the same
// folder of sparse disk images:
//   bare floor:     the run's file work in one loop on this thread: the count
//                   pass, one open of each image with the run's own reads (its
//                   plain-file check, volume name and length), one report
//                   line per image;
//   protocol floor: the same loop on a worker thread that also sends one
//                   message per image, synchronously, to a window of this thread;
//   run:            the real Floppy page window on this thread, its Start
//                   clicked, the file dialogs answered through the prompt seam
//                   and the editor start replaced, until the report is closed.
// A probe thread sends to the window every few milliseconds during the
// protocol floor and the run, and keeps the slowest answer.
//   usage: catalog_bench.exe [images] [rounds]
#include "app/FileScan.h"
#include "app/LauncherApp.h"
#include "drives/FloppyPage.h"
#include "framework/Prompt.h"
#include "res/resource.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const ULONGLONG IMAGE_SIZE = 1760 * 512;

// The file name and the kind of image number i: OFS, FFS and non-DOS disks,
// some with names longer than the report's columns.
std::string ImageName(int i)
{
    char sz[80];
    if (i % 7 == 3)
        snprintf(sz, sizeof(sz), "A Disk Image With A Long File Name %05d.adf", i);
    else
        snprintf(sz, sizeof(sz), "Disk%05d.adf", i);
    return sz;
}

BOOL WriteAt(HANDLE hFile, ULONGLONG nOffset, const void* pData, DWORD nCount)
{
    LARGE_INTEGER position;
    position.QuadPart = (LONGLONG)nOffset;
    DWORD nWritten = 0;
    return ::SetFilePointerEx(hFile, position, nullptr, FILE_BEGIN)
           && ::WriteFile(hFile, pData, nCount, &nWritten, nullptr) && nWritten == nCount;
}

// Only the boot block's start and the root block's types and volume name are
// written; the rest stays sparse.
BOOL MakeImage(const std::string& strPath, int i)
{
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    char boot[12] = { 'D', 'O', 'S', (char)(i % 3 == 1), 0, 0, 0, 0, 0, 0, 0x03, 0x70 };
    if (i % 3 == 2)
        memcpy(boot, "KICK", 4);
    char name[52];
    int nLength = snprintf(name + 1, sizeof(name) - 1, i % 5 == 0 ? "A Volume Name Past Thirty Characters %d" : "Volume %d", i);
    name[0] = (char)nLength;
    // A header block (2) of the root (1), big-endian
    const char type[4] = { 0, 0, 0, 2 }, secondaryType[4] = { 0, 0, 0, 1 };
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)IMAGE_SIZE;
    BOOL bOk = WriteAt(hFile, 0, boot, sizeof(boot)) && WriteAt(hFile, 880 * 512, type, sizeof(type))
               && WriteAt(hFile, 880 * 512 + 432, name, 1 + nLength)
               && WriteAt(hFile, 880 * 512 + 508, secondaryType, sizeof(secondaryType))
               && ::SetFilePointerEx(hFile, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    return bOk;
}

void WriteLine(HANDLE hReport, const char* pszFormat, const char* a, const char* b, const char* c)
{
    char sz[128];
    int n = snprintf(sz, sizeof(sz), pszFormat, a, b, c);
    DWORD nWritten;
    ::WriteFile(hReport, sz, (DWORD)n, &nWritten, nullptr);
}

void WriteRow(HANDLE hReport, const char* a, const char* b, const char* c)
{
    WriteLine(hReport, "| %-20.20s | %-30.30s | %-15.15s |\r\n", a, b, c);
}

void WriteSeparator(HANDLE hReport)
{
    const char* pszDashes = "------------------------------";
    WriteLine(hReport, "+-%-20.20s-+-%-30.30s-+-%-15.15s-+\r\n", pszDashes, pszDashes, pszDashes);
}

// The floor's whole run; hWndNotify, when given, gets one message per image
void FloorRun(const std::string& strFolder, const std::string& strReport, HWND hWndNotify)
{
    HANDLE hReport = ::CreateFileA(strReport.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
    WriteSeparator(hReport);
    WriteRow(hReport, "ZOT Brimlo", "Amiga Disk File Catalog", "");
    WriteRow(hReport, "Directory", strFolder.c_str(), "");
    WriteSeparator(hReport);
    WriteRow(hReport, "DOS Filename", "Amiga Filename", "File Length");
    WriteSeparator(hReport);
    std::string strPattern = strFolder + "\\*.adf";
    WIN32_FIND_DATAA fd;
    int nFound = 0;
    HANDLE hFind = ::FindFirstFileA(strPattern.c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            nFound++;
        while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    if (hWndNotify)
        ::SendMessageA(hWndNotify, WM_CATALOG_BEGIN, nFound, 0);
    ULONGLONG nTotal = 0;
    int nListed = 0;
    hFind = ::FindFirstFileA(strPattern.c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string strPath = strFolder + "\\" + fd.cFileName;
            CFile image;
            ULONGLONG nLength = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
            CString strName = "Not found";
            if (OpenPlainFile(image, strPath.c_str(), CFile::shareExclusive))
            {
                nLength = image.GetLength();
                strName = ReadDiskName(image, nLength);
            }
            image.Close();
            WriteRow(hReport, fd.cFileName, strName, std::to_string(nLength).c_str());
            nTotal += nLength;
            nListed++;
            if (hWndNotify)
                ::SendMessageA(hWndNotify, WM_CATALOG_STEP, 0, 0);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    WriteSeparator(hReport);
    WriteRow(hReport, "", "Total Size", std::to_string(nTotal).c_str());
    WriteRow(hReport, "", "Number Of Files", std::to_string(nListed).c_str());
    WriteSeparator(hReport);
    if (hWndNotify)
        ::SendMessageA(hWndNotify, WM_CATALOG_DONE, 0, 0);
    ::CloseHandle(hReport);
}

// Runs this thread's messages until the flag is set; a thread timer wakes the
// loop, since sent messages are handled inside GetMessage without returning.
void RunMessagesUntil(const std::atomic<bool>& bDone)
{
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 5, nullptr);
    MSG msg;
    while (!bDone && ::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::KillTimer(nullptr, nTimer);
}

// Sends to a window every few milliseconds from its own thread and keeps the
// slowest answer. Stopping it runs this thread's messages until the probe has
// ended: it may be waiting for an answer.
class CProbe
{
public:
    explicit CProbe(HWND hWnd) : m_hWnd(hWnd)
    {
        m_hThread = ::CreateThread(nullptr, 0, [](void* p) -> DWORD { return ((CProbe*)p)->Run(); }, this, 0, nullptr);
    }
    ~CProbe() { Stop(); }
    double Stop()
    {
        m_bStop = true;
        while (m_hThread)
        {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
            if (::WaitForSingleObject(m_hThread, 0) != WAIT_OBJECT_0)
                ::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_ALLINPUT);
            else
            {
                ::CloseHandle(m_hThread);
                m_hThread = nullptr;
            }
        }
        return m_dWorst;
    }

private:
    DWORD Run()
    {
        while (!m_bStop)
        {
            auto start = Clock::now();
            DWORD_PTR nResult;
            ::SendMessageTimeoutA(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
            double d = Seconds(start);
            if (d > m_dWorst)
                m_dWorst = d;
            ::Sleep(5);
        }
        return 0;
    }
    HWND m_hWnd;
    HANDLE m_hThread;
    std::atomic<bool> m_bStop{ false };
    double m_dWorst = 0;
};

std::string s_strReportPath, s_strImagePath;
std::atomic<bool> s_bEditorStarted{ false };
int s_nDialog = 0;

BOOL AnswerFileDialog(BOOL, OPENFILENAMEA& ofn)
{
    const std::string& strPath = s_nDialog++ % 2 == 0 ? s_strReportPath : s_strImagePath;
    lstrcpynA(ofn.lpstrFile, strPath.c_str(), ofn.nMaxFile);
    return TRUE;
}

UINT RecordEditor(LPCSTR, UINT)
{
    s_bEditorStarted = true;
    return 33;
}

std::string ReadAll(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    const int nImages = argc > 1 ? atoi(argv[1]) : 10000;
    const int nRounds = argc > 2 ? atoi(argv[2]) : 5;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);

    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    char szFolder[MAX_PATH];
    snprintf(szFolder, sizeof(szFolder), "%skovana-catalog-bench-%lu", szTemp, ::GetCurrentProcessId());
    const std::string strWork = szFolder;
    const std::string strFolder = strWork + "\\images";
    ::CreateDirectoryA(strWork.c_str(), nullptr);
    ::CreateDirectoryA(strFolder.c_str(), nullptr);
    printf("making %d sparse images of %llu bytes in %s\n", nImages, IMAGE_SIZE, strFolder.c_str());
    for (int i = 0; i < nImages; i++)
        if (!MakeImage(strFolder + "\\" + ImageName(i), i))
        {
            printf("could not write image %d\n", i);
            return 1;
        }

    // The page window as a launcher window holds it
    CLauncherApp app;
    app.m_strProfile = (strWork + "\\Kovana.ini").c_str();
    CFloppyPage& page = static_cast<CFloppyPage&>(*app.m_pPages[CLauncherApp::PAGE_FLOPPY]);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "KovanaBenchWindow";
    ::RegisterClassA(&wc);
    CWnd host(::CreateWindowExA(WS_EX_CONTROLPARENT, "KovanaBenchWindow", "Catalog benchmark",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 320, nullptr, nullptr, wc.hInstance, nullptr));
    if (!page.Create(IDD_FLOPPY_PAGE, &host))
    {
        printf("could not create the Floppy page window\n");
        return 1;
    }
    page.ShowWindow(SW_SHOW);

    // The protocol floor's window answers every message with nothing but the default.
    HWND hWndReceiver = ::CreateWindowExA(0, "KovanaBenchWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                          wc.hInstance, nullptr);

    CPrompt::SetFileDialogResponder(AnswerFileDialog);
    CCatalogThread::s_pfnStartEditor = RecordEditor;
    s_strImagePath = strFolder + "\\" + ImageName(0);

    double dBare = 1e9, dProtocol = 1e9, dRun = 1e9, dWorstProtocol = 0, dWorstRun = 0;
    // The run against the protocol floor measured just before it: on a busy
    // machine, the median of these moves less than the ratio of the bests.
    std::vector<double> roundRatios;
    BOOL bIdentical = TRUE;
    for (int nRound = 0; nRound < nRounds; nRound++)
    {
        auto start = Clock::now();
        FloorRun(strFolder, strWork + "\\bare.txt", nullptr);
        double dRoundBare = Seconds(start), dRoundProtocol, dRoundRun;

        {
            std::atomic<bool> bDone{ false };
            CProbe probe(hWndReceiver);
            start = Clock::now();
            std::thread worker([&]() {
                FloorRun(strFolder, strWork + "\\protocol.txt", hWndReceiver);
                bDone = true;
            });
            RunMessagesUntil(bDone);
            worker.join();
            dRoundProtocol = Seconds(start);
            dWorstProtocol = std::max(dWorstProtocol, probe.Stop());
        }

        {
            s_strReportPath = strWork + "\\run.txt";
            s_bEditorStarted = false;
            CProbe probe(page.m_hWnd);
            start = Clock::now();
            ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_FLOPPY_CATALOG, BN_CLICKED),
                           (LPARAM)page.GetDlgItem(IDC_FLOPPY_CATALOG));
            RunMessagesUntil(s_bEditorStarted);
            dRoundRun = Seconds(start);
            dWorstRun = std::max(dWorstRun, probe.Stop());
        }
        // The run's end was handled before the editor started.
        if (page.m_bCatalogRunning)
            printf("the page still shows the run after its end\n");

        std::string strBare = ReadAll(strWork + "\\bare.txt");
        bIdentical = bIdentical && strBare.size() > 0 && strBare == ReadAll(strWork + "\\run.txt")
                     && strBare == ReadAll(strWork + "\\protocol.txt");
        printf("round %d: run %.2f s, bare floor %.2f s, protocol floor %.2f s\n", nRound + 1, dRoundRun, dRoundBare,
               dRoundProtocol);
        dBare = std::min(dBare, dRoundBare);
        dProtocol = std::min(dProtocol, dRoundProtocol);
        dRun = std::min(dRun, dRoundRun);
        roundRatios.push_back(dRoundRun / dRoundProtocol);
    }

    printf("catalog of %d images, best of %d rounds:\n", nImages, nRounds);
    printf("  run            %6.2f s\n", dRun);
    printf("  bare floor     %6.2f s   run / bare floor     %.2f\n", dBare, dRun / dBare);
    std::sort(roundRatios.begin(), roundRatios.end());
    printf("  protocol floor %6.2f s   run / protocol floor %.2f, median of the rounds %.2f (target at most 1.20)\n",
           dProtocol, dRun / dProtocol, roundRatios[roundRatios.size() / 2]);
    printf("  slowest answer of the window: %.1f ms during the run, %.1f ms during the protocol floor (target at most 50 ms)\n",
           dWorstRun * 1000, dWorstProtocol * 1000);
    printf("  report byte-identical to the floors' reports: %s\n", bIdentical ? "yes" : "NO");

    page.DestroyWindow();
    host.DestroyWindow();
    ::DestroyWindow(hWndReceiver);
    for (int i = 0; i < nImages; i++)
        ::DeleteFileA((strFolder + "\\" + ImageName(i)).c_str());
    for (LPCSTR pszFile : { "bare.txt", "protocol.txt", "run.txt", "Kovana.ini" })
        ::DeleteFileA((strWork + "\\" + pszFile).c_str());
    ::RemoveDirectoryA(strFolder.c_str());
    ::RemoveDirectoryA(strWork.c_str());
    return bIdentical ? 0 : 1;
}
