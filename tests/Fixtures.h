// Files for tests: Amiga disk images, Kickstart-like ROM files and binary files
// with texts at chosen offsets. Only the bytes that matter are written and the
// length is set afterwards, so large files stay sparse where the file system
// allows it.
#pragma once

#include "framework/String.h"

#include <string>
#include <vector>

// Bytes (any bytes) to place at an offset of a fixture file
struct FileMark
{
    ULONGLONG nOffset;
    std::string strBytes;
};

// Creates or replaces a file of nLength bytes holding the marks. The other
// bytes are zero, or chFill when it is not zero (then every byte is written).
// Marks beyond nLength are cut off. TRUE when the file was written.
BOOL MakeMarkedFile(LPCSTR pszPath, ULONGLONG nLength, const std::vector<FileMark>& marks, char chFill = '\0');

// An AmigaDOS double-density floppy image and the ways to spoil it
struct AdfImage
{
    enum { BLOCK_SIZE = 512, BLOCK_COUNT = 1760, IMAGE_SIZE = BLOCK_SIZE * BLOCK_COUNT };

    BOOL bFastFileSystem = FALSE;        // the flag byte after "DOS": 0 OFS, 1 FFS
    std::string strSignature = "DOS";    // anything else is not an AmigaDOS disk
    DWORD nRootBlockField = 880;         // the root block number stored at offset 8
    DWORD nRootBlockAt = 880;            // the block that really holds the root block
    std::string strVolumeName = "Workbench";
    int nNameLength = -1;                // the stored length byte; -1 for the name's own length
    ULONGLONG nFileLength = IMAGE_SIZE;  // shorter cuts the image off; twice as long for high density
    std::vector<FileMark> otherBlocks;   // bytes in other blocks, such as a file's data
};

// Writes the boot block and the root block (with their checksums) and sets the
// image's length. TRUE when the file was written.
BOOL MakeAdfImage(LPCSTR pszPath, const AdfImage& image = AdfImage());

// A Kickstart ROM image of 256 or 512 KB: the ROM's first longword, then the
// marks (version texts) at their offsets.
BOOL MakeKickstartRom(LPCSTR pszPath, UINT nSizeKB, const std::vector<FileMark>& marks);

// The stand-in emulator as built beside the tests: its Win32 build (zot.exe)
// or its DOS build (zotdos.exe).
CString StandInEmulatorPath(BOOL bDosBuild);
// Copies one build of the stand-in emulator to the path; TRUE on success.
BOOL CopyStandInEmulator(BOOL bDosBuild, LPCSTR pszDestination);
// Polls for a file until it exists or the time is up; TRUE when it exists.
BOOL WaitForFile(LPCSTR pszPath, DWORD nTimeoutMs);

// A file that another handle holds open without sharing it, as long as the
// object lives.
class CLockedFile
{
public:
    explicit CLockedFile(LPCSTR pszPath);
    ~CLockedFile();
    CLockedFile(const CLockedFile&) = delete;
    CLockedFile& operator=(const CLockedFile&) = delete;

    BOOL IsLocked() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
};
