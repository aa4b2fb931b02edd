// Reading files outside the profile: the emulator's build, disk image volume
// names and short paths, with good input and with bad.
#include "Fixtures.h"
#include "TestSupport.h"
#include "app/FileScan.h"
#include "tools/standin/StandInVersion.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <random>
#include <string>
#include <vector>

namespace {

const ULONGLONG BLOCK = 102400;

class DetectionTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CTestApp app { dir.File("Kovana.ini") };
};

// The platform's own short form of a path that exists
CString PlatformShortPath(const CString& strPath)
{
    char szShort[2048] = "";
    DWORD nLength = ::GetShortPathNameA(strPath, szShort, sizeof(szShort));
    return nLength > 0 && nLength < sizeof(szShort) ? CString(szShort) : CString("(no short path)");
}

} // namespace

TEST_F(DetectionTest, EmulatorTypeFromMarkers)
{
    const std::string strLongVersion = "ZOT " + std::string(60, 'v') + " Win32";
    struct
    {
        LPCSTR pszCase;
        ULONGLONG nLength;
        std::vector<FileMark> marks;
        char chFill;
        std::string strExpected;
    } cases[] = {
        { "version text up to its zero byte", 4096, { { 1000, "ZOT 0.8 Win32 build" } }, '\0', "ZOT 0.8 Win32 build" },
        { "Win32 first, then ZOT %", 4096, { { 100, "ZOT 2.0 Win32" }, { 900, "ZOT %d.%d" } }, '\0', "ZOT 2.0 Win32" },
        { "ZOT % first, then Win32", 4096, { { 100, "ZOT %s" }, { 900, "ZOT 2.0 Win32" } }, '\0', "Dos ZOT" },
        { "the nearest ZOT before Win32", 4096, { { 10, "ZOT old" }, { 100, "ZOTnew Win32" } }, '\0', "ZOTnew Win32" },
        { "Win32 inside a longer word", 4096, { { 50, "ZOTWin32VersionValue" } }, '\0', "ZOTWin32VersionValue" },
        { "cut at 51 characters", 4096, { { 300, strLongVersion } }, '\0', strLongVersion.substr(0, 51) },
        { "cut at the end of the file", 1013, { { 1000, "ZOT 1.0 Win32" } }, 'x', "ZOT 1.0 Win32" },
        { "cut at the end of the block", 3 * BLOCK, { { BLOCK - 13, "ZOT 1.0 Win32" } }, 'x', "ZOT 1.0 Win32" },
        { "only the marker's bytes", 5, { { 0, "ZOT %" } }, '\0', "Dos ZOT" },
        { "Win32 straddles the first block's end", 2 * BLOCK, { { BLOCK - 10, "ZOT 1.0 Win32" } }, '\0', "Unknown" },
        { "ZOT % straddles the first block's end", 2 * BLOCK, { { BLOCK - 3, "ZOT %d" } }, '\0', "Unknown" },
        { "a straddling marker, then one in the second block", 3 * BLOCK,
          { { BLOCK - 2, "Win32" }, { BLOCK + 500, "ZOT %d" } }, '\0', "Dos ZOT" },
        { "marker in the second block", 3 * BLOCK, { { BLOCK + 4000, "ZOT 9 Win32" } }, '\0', "ZOT 9 Win32" },
        { "marker in the third block", 2 * BLOCK + 50, { { 2 * BLOCK + 10, "ZOT %d" } }, '\0', "Dos ZOT" },
        { "no marker in the file", 3 * BLOCK, { { 100, "ZOT" }, { 5000, "Win3" }, { 9000, "ZOT%" } }, 'x', "Unknown" },
        { "exactly two full blocks without a marker", 2 * BLOCK, {}, 'x', "Unknown" },
        { "an empty file", 0, {}, '\0', "Unknown" },
        { "the marker at the first byte", 4096, { { 0, "Win32 first" } }, '\0', "Win32 first" },
        { "first and last bytes of a marker around other bytes", 4096,
          { { 100, "Winx2" }, { 200, "ZOTx%" }, { 300, "ZOT 1 Wi 32" } }, 'x', "Unknown" },
        { "the marker after such near misses", 4096, { { 100, "Winx2" }, { 200, "ZOTx%" }, { 3000, "ZOT 2 Win32" } },
          '\0', "ZOT 2 Win32" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        CString strPath = dir.File("emulator.exe");
        ASSERT_TRUE(MakeMarkedFile(strPath, c.nLength, c.marks, c.chFill));
        EXPECT_EQ(CString(c.strExpected.c_str()), app.GetEmulatorType(strPath));
    }
}

TEST_F(DetectionTest, EmulatorTypeWithoutVersionText)
{
    // Win32 with no "ZOT" before it in its block: the text from the marker on,
    // which the Emulator page counts as the Win32 build.
    CString strPath = dir.File("emulator.exe");
    ASSERT_TRUE(MakeMarkedFile(strPath, 4096, { { 100, "Win32 only" } }));
    EXPECT_EQ(CString("Win32 only"), app.GetEmulatorType(strPath));
    ASSERT_TRUE(MakeMarkedFile(strPath, 2 * BLOCK, { { BLOCK - 100, "ZOT 1" }, { BLOCK + 10, "Win32 again" } }));
    EXPECT_EQ(CString("Win32 again"), app.GetEmulatorType(strPath));
}

TEST_F(DetectionTest, EmulatorTypeOfUnreadableFiles)
{
    EXPECT_EQ(CString("Not found"), app.GetEmulatorType(dir.File("missing.exe")));
    EXPECT_EQ(CString("Not found"), app.GetEmulatorType(""));
    EXPECT_EQ(CString("Not found"), app.GetEmulatorType(dir.Path()));

    CString strPath = dir.File("zot.exe");
    ASSERT_TRUE(MakeMarkedFile(strPath, 4096, { { 100, "ZOT 1.0 Win32" } }));
    {
        CLockedFile locked(strPath);
        ASSERT_TRUE(locked.IsLocked());
        EXPECT_EQ(CString("Not found"), app.GetEmulatorType(strPath));
        EXPECT_EQ(CString("Not found"), app.GetDiskName(strPath));
    }
    EXPECT_EQ(CString("ZOT 1.0 Win32"), app.GetEmulatorType(strPath));
}

TEST_F(DetectionTest, EmulatorTypeOfStandInBuilds)
{
    EXPECT_EQ(CString(ZOT_STANDIN_WIN32_VERSION), app.GetEmulatorType(StandInEmulatorPath(FALSE)));
    EXPECT_EQ(CString("Dos ZOT"), app.GetEmulatorType(StandInEmulatorPath(TRUE)));
}

TEST_F(DetectionTest, DiskNames)
{
    auto image = [](auto change) {
        AdfImage image;
        change(image);
        return image;
    };
    // A data block of a file whose text puts a length byte and printable
    // bytes where a root block keeps its name
    auto fileData = [](ULONGLONG nBlock) {
        std::string data(512, 'x');
        data.replace(0, 4, std::string("\0\0\0\x08", 4));
        data.replace(432, 31, "\x1Ey dog and keeps running throug");
        return FileMark{ nBlock * 512, data };
    };
    auto highDensity = [&](AdfImage& i, DWORD nField) {
        i.nFileLength *= 2;
        i.nRootBlockField = nField;
        i.nRootBlockAt = 1760;
        i.otherBlocks = { fileData(880) };
    };
    struct
    {
        LPCSTR pszCase;
        AdfImage image;
        CString strExpected;
    } cases[] = {
        { "an OFS disk", image([](AdfImage&) {}), "Workbench" },
        { "an FFS disk", image([](AdfImage& i) { i.bFastFileSystem = TRUE; i.strVolumeName = "Games Disk 1"; }),
          "Games Disk 1" },
        { "root block 2", image([](AdfImage& i) { i.nRootBlockField = i.nRootBlockAt = 2; }), "Workbench" },
        { "root block 1759", image([](AdfImage& i) { i.nRootBlockField = i.nRootBlockAt = 1759; }), "Workbench" },
        { "root block 0 is read at 880", image([](AdfImage& i) { i.nRootBlockField = 0; }), "Workbench" },
        { "root block 1761 is read at 880", image([](AdfImage& i) { i.nRootBlockField = 1761; }), "Workbench" },
        { "root block 0xFFFFFFFF is read at 880", image([](AdfImage& i) { i.nRootBlockField = 0xFFFFFFFF; }),
          "Workbench" },
        { "root block 1760: the name lies past the end",
          image([](AdfImage& i) { i.nRootBlockField = i.nRootBlockAt = 1760; }), "NDOS" },
        { "root block 1760 of a longer file",
          image([](AdfImage& i) { i.nRootBlockField = i.nRootBlockAt = 1760; i.nFileLength += 1024; }), "Workbench" },
        // Disk tools write 880 (or 0) on high-density disks too: the root
        // block then lies in the image's middle. File data in block 880 that
        // looks like a name is no name.
        { "high density, 880 pointing at file data", image([&](AdfImage& i) { highDensity(i, 880); }), "Workbench" },
        { "high density, 0", image([&](AdfImage& i) { highDensity(i, 0); }), "Workbench" },
        { "high density, 1760", image([&](AdfImage& i) { highDensity(i, 1760); }), "Workbench" },
        { "high density with its root block at 880",
          image([](AdfImage& i) { i.nFileLength *= 2; }), "Workbench" },
        { "double density, 1760 with the root block at 880",
          image([](AdfImage& i) { i.nRootBlockField = 1760; }), "Workbench" },
        { "double density, no root block where 880 points",
          image([&](AdfImage& i) { i.nRootBlockAt = 881; i.otherBlocks = { fileData(880) }; }), "NDOS" },
        { "a root block's types written little-endian", image([](AdfImage& i) {
              i.nRootBlockAt = 2;
              i.otherBlocks = { { 880 * 512, std::string("\x02\0\0\0", 4) }, { 880 * 512 + 432, "\x04" "Fake" },
                                { 880 * 512 + 508, std::string("\x01\0\0\0", 4) } };
          }),
          "NDOS" },
        { "high density, no root block anywhere",
          image([&](AdfImage& i) { highDensity(i, 880); i.nRootBlockAt = 1761; }), "NDOS" },
        { "no DOS signature", image([](AdfImage& i) { i.strSignature = "KICK"; }), "NDOS" },
        { "a lower-case signature", image([](AdfImage& i) { i.strSignature = "dos"; }), "NDOS" },
        { "a name of 50 characters", image([](AdfImage& i) { i.strVolumeName = std::string(50, 'N'); }),
          CString('N', 50) },
        { "a name of 51 characters", image([](AdfImage& i) { i.strVolumeName = std::string(51, 'N'); }), "NDOS" },
        { "a length byte of 255", image([](AdfImage& i) { i.nNameLength = 255; }), "NDOS" },
        { "a length byte shorter than the name", image([](AdfImage& i) { i.nNameLength = 4; }), "Work" },
        { "a name of length 0", image([](AdfImage& i) { i.nNameLength = 0; }), "" },
        { "blank and tilde are printable", image([](AdfImage& i) { i.strVolumeName = " ~ "; }), " ~ " },
        { "a control character", image([](AdfImage& i) { i.strVolumeName = "Work\x01" "bench"; }), "NDOS" },
        { "a zero byte", image([](AdfImage& i) { i.strVolumeName = std::string("Work\0bench", 10); }), "NDOS" },
        { "DEL", image([](AdfImage& i) { i.strVolumeName = "Work\x7F"; }), "NDOS" },
        { "ISO 8859-1 letters", image([](AdfImage& i) { i.strVolumeName = "D\xE9mo Disk"; }), "D\xE9mo Disk" },
        { "sharp s and a no-break space", image([](AdfImage& i) { i.strVolumeName = "Stra\xDF" "e\xA0\xFF"; }),
          "Stra\xDF" "e\xA0\xFF" },
        { "a control byte of ISO 8859-1", image([](AdfImage& i) { i.strVolumeName = "Caf\x85"; }), "NDOS" },
        { "the last control byte", image([](AdfImage& i) { i.strVolumeName = "\x9F" "Cafe"; }), "NDOS" },
        { "only the boot block", image([](AdfImage& i) { i.nFileLength = 1024; }), "NDOS" },
        { "ends where the length byte would be", image([](AdfImage& i) { i.nFileLength = 880 * 512 + 432; }),
          "NDOS" },
        { "ends inside the name", image([](AdfImage& i) { i.nFileLength = 880 * 512 + 433 + 4; }), "NDOS" },
        { "ends right after the name", image([](AdfImage& i) { i.nFileLength = 880 * 512 + 433 + 9; }),
          "Workbench" },
        { "ends inside the root block number", image([](AdfImage& i) { i.nFileLength = 10; }), "NDOS" },
        { "ends inside the signature", image([](AdfImage& i) { i.nFileLength = 2; }), "NDOS" },
        { "an empty file", image([](AdfImage& i) { i.nFileLength = 0; }), "NDOS" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCase);
        CString strPath = dir.File("disk.adf");
        ASSERT_TRUE(MakeAdfImage(strPath, c.image));
        EXPECT_EQ(c.strExpected, app.GetDiskName(strPath));
    }
}

TEST_F(DetectionTest, DiskNamesOfUnreadablePaths)
{
    EXPECT_EQ(CString(""), app.GetDiskName(""));
    EXPECT_EQ(CString("Not found"), app.GetDiskName(dir.File("missing.adf")));
    EXPECT_EQ(CString("Not found"), app.GetDiskName(dir.Path()));
}

TEST_F(DetectionTest, ShortPaths)
{
    CString strLongFolder = dir.File("Long Folder Name");
    CString strLongFile = strLongFolder + "\\long file name.txt";
    CString strShortFolder = dir.File("DATA");
    ASSERT_TRUE(::CreateDirectoryA(strLongFolder, nullptr));
    ASSERT_TRUE(::CreateDirectoryA(strShortFolder, nullptr));
    WriteWholeFile(strLongFile, "x");
    WriteWholeFile(strShortFolder + "\\ZOT.EXE", "x");

    EXPECT_EQ(PlatformShortPath(strLongFile), app.GetShortPath(strLongFile, TRUE));
    // Names that are already 8.3 stay as they are.
    EXPECT_EQ(PlatformShortPath(dir.Path()) + "\\DATA\\ZOT.EXE",
              app.GetShortPath(strShortFolder + "\\ZOT.EXE", TRUE));
    // Without the flag each component takes its name as stored.
    CString strTyped = strLongFolder + "\\LONG FILE NAME.TXT";
    EXPECT_EQ(strLongFile, app.GetShortPath(strTyped, FALSE));

    // Components that do not exist are left out, and so are wildcards.
    CString strShortLongFolder = PlatformShortPath(strLongFolder);
    EXPECT_EQ(strShortLongFolder, app.GetShortPath(strLongFolder + "\\missing\\zot.exe", TRUE));
    EXPECT_EQ(strShortLongFolder, app.GetShortPath(strLongFolder + "\\*.txt", TRUE));
    EXPECT_EQ(strShortLongFolder, app.GetShortPath(strLongFolder + "\\long file name.tx?", TRUE));

    // A drive's root keeps its backslash, even when nothing below it is found.
    EXPECT_EQ(CString("Z:\\"), app.GetShortPath("Z:\\", TRUE));
    EXPECT_EQ(CString("C:\\"), app.GetShortPath("C:\\no-such-file-kovana.exe", TRUE));
}

TEST_F(DetectionTest, ShortPathsOfOtherForms)
{
    // Paths that do not start with a drive and its root end at once, unchanged.
    for (LPCSTR pszPath : { "", "zot.exe", "emu\\zot.exe", "\\emu\\zot.exe", "C:zot.exe", "C:",
                            "\\\\server\\share\\emu\\zot.exe", "\\\\?\\C:\\emu\\zot.exe", "Z:/tmp/zot.exe" })
        EXPECT_EQ(CString(pszPath), app.GetShortPath(pszPath, TRUE)) << pszPath;

    // A path far beyond MAX_PATH whose tail does not exist
    CString strDeep = dir.Path();
    for (int i = 0; i < 3000; i++)
        strDeep += "\\x";
    EXPECT_EQ(PlatformShortPath(dir.Path()), app.GetShortPath(strDeep, TRUE));
}

TEST_F(DetectionTest, HugeFiles)
{
    // Sparse: only the marks are written.
    const ULONGLONG nHuge = 150ULL * 1024 * 1024;
    CString strPath = dir.File("huge.bin");
    ASSERT_TRUE(MakeMarkedFile(strPath, nHuge, { { 0, std::string("DOS\0\0\0\0\0\0\0\x03\x70", 12) },
                                                  { 880 * 512 + 432, "\x05Giant" },
                                                  { nHuge - 8, "ZOT %d" } }));
    EXPECT_EQ(CString("Dos ZOT"), app.GetEmulatorType(strPath));
    EXPECT_EQ(CString("Giant"), app.GetDiskName(strPath));
    ASSERT_TRUE(MakeMarkedFile(strPath, nHuge, {}));
    EXPECT_EQ(CString("Unknown"), app.GetEmulatorType(strPath));
    EXPECT_EQ(CString("NDOS"), app.GetDiskName(strPath));
}

// The search as the rule states it: the earliest position, and at one
// position the texts in their order, each lying wholly in the bytes
static int PlainSearch(const std::string& bytes, const std::vector<LPCSTR>& texts, UINT& nPos)
{
    for (size_t nAt = 0; nAt < bytes.size(); nAt++)
        for (size_t i = 0; i < texts.size(); i++)
            if (bytes.compare(nAt, strlen(texts[i]), texts[i]) == 0)
            {
                nPos = (UINT)nAt;
                return (int)i;
            }
    return -1;
}

// Bytes made of the texts' own characters, with texts, texts with one byte
// changed and cut texts placed anywhere: the block search must find what the
// rule finds.
TEST(MarkerSearch, FindsWhatThePlainSearchFinds)
{
    const std::vector<std::vector<LPCSTR>> textSets = {
        { "Win32", "ZOT %" },
        { "release 1.2", "2.0 Roms", "3.00 ROM" },
        { "abc", "ab", "b", "cab" },  // one text begins another: the order decides
        { "x" },
        { "xQ", "yR", "xS" },    // the first and the last begin alike
    };
    std::mt19937 random(20240611);
    for (const auto& texts : textSets)
    {
        std::string strAlphabet = std::string(1, '\0');
        for (LPCSTR psz : texts)
            strAlphabet += psz;
        for (int nCase = 0; nCase < 500; nCase++)
        {
            std::string bytes(random() % 700, '\0');
            for (char& ch : bytes)
                ch = strAlphabet[random() % strAlphabet.size()];
            for (int nPlaced = random() % 4; nPlaced > 0 && !bytes.empty(); nPlaced--)
            {
                std::string text = texts[random() % texts.size()];
                if (random() % 2)
                    text[random() % text.size()] ^= 0x20;
                bytes.replace(random() % bytes.size(), text.size(), text);
                bytes.resize(bytes.size() - random() % 2);
            }
            SCOPED_TRACE(texts[0] + std::string(" in ") + std::to_string(bytes.size()) + " bytes, case "
                         + std::to_string(nCase));
            UINT nExpected = 0, nPos = 0;
            int nExpectedText = PlainSearch(bytes, texts, nExpected);
            EXPECT_EQ(nExpectedText, CMarkerScan::FindInBlock(bytes.data(), (UINT)bytes.size(), texts.data(),
                                                              (int)texts.size(), nPos));
            if (nExpectedText >= 0)
            {
                EXPECT_EQ(nExpected, nPos);
            }
        }
    }
}

// A named pipe opens like a file, but a read from it waits for a writer that
// never comes: the scans must not read it. Should one read anyway, closing
// the pipe ends the wait and the test fails instead of hanging.
TEST_F(DetectionTest, PipesAreNotRead)
{
    CString strPipe;
    strPipe.Format("\\\\.\\pipe\\kovana-scan-%lu", ::GetCurrentProcessId());
    for (int nScan = 0; nScan < 2; nScan++)
    {
        SCOPED_TRACE(nScan == 0 ? "GetEmulatorType" : "GetDiskName");
        HANDLE hPipe = ::CreateNamedPipeA(strPipe, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0,
                                          nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hPipe);
        std::future<CString> result = std::async(std::launch::async, [&]() {
            return nScan == 0 ? app.GetEmulatorType(strPipe) : app.GetDiskName(strPipe);
        });
        BOOL bEnded = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        ::DisconnectNamedPipe(hPipe);
        ::CloseHandle(hPipe);
        EXPECT_TRUE(bEnded) << "the scan waited on the pipe";
        EXPECT_EQ(CString("Not found"), result.get());
    }
}
