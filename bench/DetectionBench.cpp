// How much the emulator-type scan costs over merely reading the executable.
// The baseline reads the same file in the same blocks and looks at each byte
// once; the ratio shows what the marker search adds.
#include "app/LauncherApp.h"
#include "framework/File.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

static double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static unsigned BaselineRead(LPCSTR pszPath)
{
    CFile file;
    file.Open(pszPath, CFile::modeRead | CFile::shareExclusive);
    std::vector<char> block(102400);
    unsigned nSum = 0;
    UINT nRead;
    while ((nRead = file.Read(block.data(), (UINT)block.size())) > 0)
        for (UINT i = 0; i < nRead; i++)
            nSum += (unsigned char)block[i];
    return nSum;
}

int main()
{
    CLauncherApp app;
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    CString strPath = CString(szTemp) + "kovana-detection-bench.exe";

    // A large executable whose marker lies at its very end: the worst case.
    const size_t nSize = 64u << 20;
    std::vector<char> data(nSize);
    for (size_t i = 0; i < nSize; i++)
        data[i] = (char)("ZOTWin3 %\x01"[i % 10]);
    memcpy(&data[nSize - 32], "ZOT 1.0 Win32", 14);
    FILE* f = fopen(strPath, "wb");
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);

    BaselineRead(strPath);  // warm the file cache
    const int nRuns = 3;
    double dBaseline = 1e9, dScan = 1e9;
    unsigned nSink = 0;
    for (int i = 0; i < nRuns; i++)
    {
        auto start = std::chrono::steady_clock::now();
        nSink += BaselineRead(strPath);
        double d = Seconds(start);
        dBaseline = d < dBaseline ? d : dBaseline;

        start = std::chrono::steady_clock::now();
        CString strType = app.GetEmulatorType(strPath);
        d = Seconds(start);
        dScan = d < dScan ? d : dScan;
        if (strType != "ZOT 1.0 Win32")
            printf("unexpected result: %s\n", (LPCSTR)strType);
    }
    ::DeleteFileA(strPath);
    printf("emulator-type scan of %u MiB: %.3f s, baseline read %.3f s, ratio %.2f (checksum %u)\n",
           (unsigned)(nSize >> 20), dScan, dBaseline, dScan / dBaseline, nSink & 1);
    return 0;
}
