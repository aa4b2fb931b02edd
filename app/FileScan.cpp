#include "FileScan.h"

#include <cstring>
#include <string_view>

BOOL OpenPlainFile(CFile& file, LPCSTR pszPath, UINT nShareFlags)
{
    if (!file.Open(pszPath, CFile::modeRead | nShareFlags))
        return FALSE;
    if (file.GetFileType() == FILE_TYPE_DISK)
        return TRUE;
    file.Close();
    return FALSE;
}

int CMarkerScan::Find(const LPCSTR* ppszTexts, int nTexts)
{
    if (m_block.empty())
        m_block.resize(BLOCK_SIZE);
    for (;;)
    {
        m_nRead = m_file.Read(m_block.data(), BLOCK_SIZE);
        int nFound = FindInBlock(m_block.data(), m_nRead, ppszTexts, nTexts, m_nPos);
        if (nFound >= 0 || m_nRead < BLOCK_SIZE)
            return nFound;
    }
}

int CMarkerScan::FindInBlock(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nPos)
{
    const std::string_view block(pBlock, nLength);
    int nFound = -1;
    size_t nEarliest = block.size();
    for (int i = 0; i < nTexts; i++)
    {
        // A later text wins only where it begins before the earliest found so far.
        size_t nAt = block.find(ppszTexts[i]);
        if (nAt < nEarliest)
        {
            nEarliest = nAt;
            nFound = i;
        }
    }
    if (nFound >= 0)
        nPos = (UINT)nEarliest;
    return nFound;
}

// Big-endian, as the Amiga stores its numbers
static DWORD BigEndianLong(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

namespace {

// One block of a disk image, as far as the file holds it
struct CDiskBlock
{
    enum { SIZE = 512 };
    BYTE bytes[SIZE];
    UINT nRead = 0;

    void Read(CFile& image, ULONGLONG nBlock)
    {
        LONGLONG nOffset = (LONGLONG)(nBlock * SIZE);
        nRead = image.Seek(nOffset, CFile::begin) == nOffset ? image.Read(bytes, SIZE) : 0;
    }
    // A header block (type 2) of the root (secondary type 1)
    BOOL IsRoot() const { return nRead == SIZE && BigEndianLong(bytes) == 2 && BigEndianLong(bytes + 508) == 1; }
    // The volume name at 432 (its length) and 433, or "NDOS"
    CString VolumeName() const
    {
        if (nRead < 433)
            return "NDOS";
        BYTE nNameLength = bytes[432];
        if (nNameLength > 50 || nRead < 433u + nNameLength)
            return "NDOS";
        // The Amiga writes names in ISO 8859-1, whose letters from 0xA0 on the
        // ANSI code page shows alike; its control bytes make no name.
        for (int i = 433; i < 433 + nNameLength; i++)
            if (bytes[i] < 0x20 || (bytes[i] >= 0x7F && bytes[i] < 0xA0))
                return "NDOS";
        return CString((const char*)bytes + 433, nNameLength);
    }
};

} // namespace

CString ReadDiskName(CFile& image, ULONGLONG nLength)
{
    // The signature at 0 and the root block number at 8, in one read
    BYTE head[12];
    UINT nRead = image.Read(head, sizeof(head));
    if (nRead < sizeof(head) || memcmp(head, "DOS", 3) != 0)
        return "NDOS";
    ULONGLONG nRootBlock = BigEndianLong(head + 8);
    if (nRootBlock == 0 || nRootBlock > 1760)
        nRootBlock = 880;
    CDiskBlock root;
    root.Read(image, nRootBlock);
    if (root.IsRoot())
        return root.VolumeName();

    // Disk tools write 880 on high-density disks too, and some write 0: the
    // root block of a whole floppy image lies in its middle. A file of
    // another size, cut short or padded, is read where the number points.
    const ULONGLONG nDoubleDensity = 1760 * CDiskBlock::SIZE, nHighDensity = 2 * nDoubleDensity;
    if (nLength != nDoubleDensity && nLength != nHighDensity)
        return root.VolumeName();
    ULONGLONG nMiddle = nLength / CDiskBlock::SIZE / 2;
    if (nMiddle != nRootBlock)
        root.Read(image, nMiddle);
    return root.IsRoot() ? root.VolumeName() : CString("NDOS");
}
