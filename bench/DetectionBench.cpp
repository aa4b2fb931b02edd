// How much the emulator-type scan and the Kickstart release scan cost over a
// plain read of the same file. Two floors read the file in the scans' blocks:
// one does nothing with the bytes, the other looks at each byte once (adds it
// to a sum), as any scan must. Files of 64 MiB, with both scans' markers
// in their last bytes and without any marker, filled two ways: bytes that
// look random (as code and data do), and texts that begin like the markers
// but are not (each marker's first bytes, over and over).
//   usage: detection_bench.exe [rounds]
#include "app/FileScan.h"
#include "app/LauncherApp.h"
#include "pages/KickstartPage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The file read in the scans' blocks; with bLook, each byte added to a sum
unsigned PlainRead(LPCSTR pszPath, BOOL bLook)
{
    CFile file;
    file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone);
    // A block aligned as the scans' is: the copy's speed depends on it.
    std::unique_ptr<CMarkerScan::CBlock> pBlock(new CMarkerScan::CBlock);
    unsigned nSum = 0;
    UINT nRead;
    while ((nRead = file.Read(pBlock->bytes, CMarkerScan::BLOCK_SIZE)) > 0)
        for (UINT i = 0; bLook && i < nRead; i++)
            nSum += (unsigned char)pBlock->bytes[i];
    return nSum;
}

BOOL WriteFile(LPCSTR pszPath, const std::vector<char>& data)
{
    FILE* f = fopen(pszPath, "wb");
    if (!f)
        return FALSE;
    BOOL bOk = fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && bOk;
}

double Time(const std::function<void()>& work)
{
    auto start = Clock::now();
    work();
    return Seconds(start);
}

} // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 30;
    CLauncherApp app;
    CKickstartPage& kickstart = static_cast<CKickstartPage&>(*app.m_pPages[CLauncherApp::PAGE_KICKSTART]);
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    CString strPath;
    strPath.Format("%skovana-detection-bench-%lu.bin", szTemp, ::GetCurrentProcessId());

    const size_t nSize = 64u << 20;
    std::vector<char> data(nSize);
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
    printf("%-13s %-11s %-18s %9s %9s %5s %9s %5s\n", "file", "markers", "scan", "scan", "read", "ratio",
           "read+look", "ratio");
    double dWorst = 0, dWorstLook = 0;
    unsigned nSink = 0;
    for (const auto& fill : fills)
        for (int nMarked = 0; nMarked < 2; nMarked++)
        {
            fill.fill(data);
            if (nMarked)
            {
                memcpy(&data[nSize - 40], "ZOT 1.0 Win32", 14);
                memcpy(&data[nSize - 16], "3.00 ROM", 8);
            }
            if (!WriteFile(strPath, data))
            {
                printf("could not write %s\n", (LPCSTR)strPath);
                return 1;
            }
            PlainRead(strPath, FALSE);  // into the file cache
            const struct
            {
                LPCSTR pszScan;
                std::function<CString()> scan;
                LPCSTR pszFound, pszNone;
            } scans[] = {
                { "emulator type", [&]() { return app.GetEmulatorType(strPath); }, "ZOT 1.0 Win32", "Unknown" },
                { "Kickstart release", [&]() {
                      kickstart.DetectKickstartVersion(strPath);
                      return kickstart.m_strKickstartVersion;
                  }, "3.x", "Unknown" },
            };
            for (const auto& scan : scans)
            {
                CString strResult = scan.scan();
                if (strResult != (nMarked ? scan.pszFound : scan.pszNone))
                    printf("unexpected result of the %s scan: %s\n", scan.pszScan, (LPCSTR)strResult);
                double dRead = 1e9, dLook = 1e9, dScan = 1e9;
                for (int i = 0; i < nRounds; i++)
                {
                    dRead = std::min(dRead, Time([&]() { PlainRead(strPath, FALSE); }));
                    dLook = std::min(dLook, Time([&]() { nSink += PlainRead(strPath, TRUE); }));
                    dScan = std::min(dScan, Time([&]() { scan.scan(); }));
                }
                printf("%-13s %-11s %-18s %6.1f ms %6.1f ms %5.2f %6.1f ms %5.2f\n", fill.pszFill,
                       nMarked ? "at the end" : "none", scan.pszScan, dScan * 1000, dRead * 1000, dScan / dRead,
                       dLook * 1000, dScan / dLook);
                dWorst = std::max(dWorst, dScan / dRead);
                dWorstLook = std::max(dWorstLook, dScan / dLook);
            }
        }
    ::DeleteFileA(strPath);
    printf("64 MiB, best of %d rounds; worst ratio to the read %.2f, to the read that looks at each byte %.2f "
           "(target at most 1.30; checksum %u)\n", nRounds, dWorst, dWorstLook, nSink & 1);
    return 0;
}
