#include "Fixtures.h"

#include <algorithm>

static BOOL WriteAt(HANDLE hFile, ULONGLONG nOffset, const void* pData, size_t nCount)
{
    LARGE_INTEGER position;
    position.QuadPart = (LONGLONG)nOffset;
    DWORD nWritten = 0;
    return ::SetFilePointerEx(hFile, position, nullptr, FILE_BEGIN)
           && ::WriteFile(hFile, pData, (DWORD)nCount, &nWritten, nullptr) && nWritten == nCount;
}

BOOL MakeMarkedFile(LPCSTR pszPath, ULONGLONG nLength, const std::vector<FileMark>& marks, char chFill)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bOk = TRUE;
    if (chFill != '\0')
    {
        std::string strFill(65536, chFill);
        for (ULONGLONG nDone = 0; bOk && nDone < nLength; nDone += strFill.size())
            bOk = WriteAt(hFile, nDone, strFill.data(), (size_t)std::min<ULONGLONG>(strFill.size(), nLength - nDone));
    }
    for (const FileMark& mark : marks)
        if (bOk && mark.nOffset < nLength && !mark.strBytes.empty())
            bOk = WriteAt(hFile, mark.nOffset, mark.strBytes.data(),
                          (size_t)std::min<ULONGLONG>(mark.strBytes.size(), nLength - mark.nOffset));
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)nLength;
    bOk = bOk && ::SetFilePointerEx(hFile, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    return bOk;
}

static void PutLong(std::string& block, size_t nOffset, DWORD nValue)
{
    block[nOffset] = (char)(nValue >> 24);
    block[nOffset + 1] = (char)(nValue >> 16);
    block[nOffset + 2] = (char)(nValue >> 8);
    block[nOffset + 3] = (char)nValue;
}

static DWORD GetLong(const std::string& block, size_t nOffset)
{
    return ((DWORD)(BYTE)block[nOffset] << 24) | ((DWORD)(BYTE)block[nOffset + 1] << 16)
           | ((DWORD)(BYTE)block[nOffset + 2] << 8) | (DWORD)(BYTE)block[nOffset + 3];
}

BOOL MakeAdfImage(LPCSTR pszPath, const AdfImage& image)
{
    // Boot block: the file system's signature and flag, the checksum (a sum with
    // the carry added back, inverted) and the root block number.
    std::string boot(2 * AdfImage::BLOCK_SIZE, '\0');
    boot.replace(0, std::min<size_t>(image.strSignature.size(), 4), image.strSignature, 0, 4);
    if (image.strSignature.size() < 4)
        boot[3] = image.bFastFileSystem ? 1 : 0;
    PutLong(boot, 8, image.nRootBlockField);
    DWORD nSum = 0;
    for (size_t i = 0; i < boot.size(); i += 4)
    {
        DWORD nOld = nSum;
        nSum += GetLong(boot, i);
        if (nSum < nOld)
            nSum++;
    }
    PutLong(boot, 4, ~nSum);

    // Root block: a header (type 2) of the root (secondary type 1) with a hash
    // table of 72 entries, the bitmap marked valid, the name and the checksum.
    std::string root(AdfImage::BLOCK_SIZE, '\0');
    PutLong(root, 0, 2);
    PutLong(root, 12, 72);
    PutLong(root, 312, 0xFFFFFFFF);
    PutLong(root, 316, image.nRootBlockAt + 1);
    PutLong(root, 508, 1);
    root[432] = (char)(image.nNameLength >= 0 ? image.nNameLength : (int)image.strVolumeName.size());
    root.replace(433, std::min<size_t>(image.strVolumeName.size(), 508 - 433), image.strVolumeName, 0, 508 - 433);
    DWORD nRootSum = 0;
    for (size_t i = 0; i < root.size(); i += 4)
        nRootSum += GetLong(root, i);
    PutLong(root, 20, (DWORD)0 - nRootSum);

    std::vector<FileMark> marks = { { 0, boot }, { (ULONGLONG)image.nRootBlockAt * AdfImage::BLOCK_SIZE, root } };
    marks.insert(marks.end(), image.otherBlocks.begin(), image.otherBlocks.end());
    return MakeMarkedFile(pszPath, image.nFileLength, marks);
}

BOOL MakeKickstartRom(LPCSTR pszPath, UINT nSizeKB, const std::vector<FileMark>& marks)
{
    // The first longword: the ROM's magic and the jump to its start code,
    // 0x1111 for 256 KB, 0x1114 for 512 KB.
    std::string header(4, '\0');
    PutLong(header, 0, nSizeKB >= 512 ? 0x11144EF9 : 0x11114EF9);
    std::vector<FileMark> all = { { 0, header } };
    all.insert(all.end(), marks.begin(), marks.end());
    return MakeMarkedFile(pszPath, (ULONGLONG)nSizeKB * 1024, all);
}

CString StandInEmulatorPath(BOOL bDosBuild)
{
    CString strPath = bDosBuild ? KOVANA_STANDIN_DOS_EXE : KOVANA_STANDIN_EXE;
    strPath.Replace('/', '\\');
    return strPath;
}

BOOL CopyStandInEmulator(BOOL bDosBuild, LPCSTR pszDestination)
{
    return ::CopyFileA(StandInEmulatorPath(bDosBuild), pszDestination, FALSE);
}

BOOL WaitForFile(LPCSTR pszPath, DWORD nTimeoutMs)
{
    DWORD nStart = ::GetTickCount();
    for (;;)
    {
        if (::GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES)
            return TRUE;
        if (::GetTickCount() - nStart >= nTimeoutMs)
            return FALSE;
        ::Sleep(50);
    }
}

CLockedFile::CLockedFile(LPCSTR pszPath)
{
    m_hFile = ::CreateFileA(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

CLockedFile::~CLockedFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
}
