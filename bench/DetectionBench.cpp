// What the emulator-type scan and the Kickstart release scan cost on files of
// the sizes users scan: an emulator executable of 2 MB and a Kickstart ROM of
// 512 KB, each with its scan's marker in its last bytes and without any
// marker, filled two ways: bytes that look random (as code and data do), and
// texts that begin like the markers but are not (each marker's first bytes,
// over and over). Beside each scan, a plain read of the same file in the
// scans' blocks. Target: every scan under 5 ms.
//   usage: detection_bench.exe [rounds]
#include "BenchSupport.h"

#include "app/FileScan.h"
#include "app/LauncherApp.h"
#include "pages/KickstartPage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// The file read in the scans' blocks, nothing done with the bytes
void PlainRead(LPCSTR pszPath)
{
    CFile file;
    file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone);
    std::vector<char> block(CMarkerScan::BLOCK_SIZE);
    while (file.Read(block.data(), CMarkerScan::BLOCK_SIZE) > 0)
    {
    }
}

BOOL WriteBenchFile(LPCSTR pszPath, const std::vector<char>& data)
{
    FILE* f = fopen(pszPath, "wb");
    if (!f)
        return FALSE;
    BOOL bOk = fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && bOk;
}

// The work's times over the rounds, in ms
CTimes Time(int nRounds, const std::function<void()>& work)
{
    CTimes times;
    for (int i = 0; i < nRounds; i++)
    {
        double dStart = Now();
        work();
        times.Add((Now() - dStart) * 1000);
    }
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    const int nRounds = std::max(1, argc > 1 ? atoi(argv[1]) : 30);
    CLauncherApp app;
    CKickstartPage& kickstart = static_cast<CKickstartPage&>(*app.m_pPages[CLauncherApp::PAGE_KICKSTART]);
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    CString strPath;
    strPath.Format("%skovana-detection-bench-%lu.bin", szTemp, ::GetCurrentProcessId());

    struct
    {
        LPCSTR pszFill;
        std::function<void(std::vector<char>&)> fill;
    } fills[] = {
        { "random bytes", [](std::vector<char>& d) {
              unsigned nState = 2463534242u;
              for (char& ch : d)
              {
                  nState ^= nState << 13, nState ^= nState >> 17, nState ^= nState << 5;
                  ch = (char)(nState >> 24);
              }
          } },
        { "near misses", [](std::vector<char>& d) {
              static const char s_szPattern[] = "ZOTWin3 %\x01release 1.\x01" "2.0 Rom\x01" "3.00 RO\x01";
              for (size_t i = 0; i < d.size(); i++)
                  d[i] = s_szPattern[i % (sizeof(s_szPattern) - 1)];
          } },
    };
    const struct
    {
        LPCSTR pszScan;
        size_t nSize;
        LPCSTR pszMarker;
        std::function<CString()> scan;
        LPCSTR pszFound;
    } scans[] = {
        { "emulator type, 2 MB", 2u << 20, "ZOT 1.0 Win32", [&]() { return app.GetEmulatorType(strPath); },
          "ZOT 1.0 Win32" },
        { "Kickstart release, 512 KB", 512u << 10, "3.00 ROM", [&]() {
              kickstart.DetectKickstartVersion(strPath);
              return kickstart.m_strKickstartVersion;
          }, "3.x" },
    };

    printf("%-26s %-13s %-11s %17s %17s\n", "scan", "file", "marker", "scan (best)", "read (best)");
    double dWorst = 0;
    for (const auto& scan : scans)
        for (const auto& fill : fills)
            for (int nMarked = 0; nMarked < 2; nMarked++)
            {
                std::vector<char> data(scan.nSize);
                fill.fill(data);
                // With its zero byte, which ends the version text
                if (nMarked)
                    memcpy(&data[data.size() - 32], scan.pszMarker, strlen(scan.pszMarker) + 1);
                if (!WriteBenchFile(strPath, data))
                {
                    printf("could not write %s\n", (LPCSTR)strPath);
                    return 1;
                }
                PlainRead(strPath);  // into the file cache
                CString strResult = scan.scan();
                if (strResult != (nMarked ? scan.pszFound : "Unknown"))
                    printf("unexpected result of the %s scan: %s\n", scan.pszScan, (LPCSTR)strResult);
                auto read = Time(nRounds, [&]() { PlainRead(strPath); });
                auto scanned = Time(nRounds, [&]() { scan.scan(); });
                printf("%-26s %-13s %-11s %6.2f (%5.2f) ms %6.2f (%5.2f) ms\n", scan.pszScan, fill.pszFill,
                       nMarked ? "at the end" : "none", scanned.Median(), scanned.Best(), read.Median(), read.Best());
                dWorst = std::max(dWorst, scanned.Median());
            }
    ::DeleteFileA(strPath);
    printf("median of %d rounds; slowest scan %.2f ms (target under 5 ms)\n", nRounds, dWorst);
    return 0;
}
