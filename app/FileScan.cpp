#include "FileScan.h"
#include "MarkerSearch.h"

#include <cstring>

BOOL OpenPlainFile(CFile& file, LPCSTR pszPath, UINT nShareFlags)
{
    if (!file.Open(pszPath, CFile::modeRead | nShareFlags))
        return FALSE;
    if (file.GetFileType() == FILE_TYPE_DISK)
        return TRUE;
    file.Close();
    return FALSE;
}

CMarkerTexts::CMarkerTexts(const LPCSTR* ppsz, int n)
    : ppszTexts(ppsz), nTexts(n), nLengths(), nPairOffsets(), nDistance(0), nLargestPairOffset(0), bAnyEmpty(FALSE),
      nOrder(), nShared(0)
{
    if (nTexts < 1 || nTexts > MAX_MARKER_TEXTS)
    {
        nTexts = 0;
        return;
    }
    UINT nShortest = 0;
    for (int i = 0; i < nTexts; i++)
    {
        nLengths[i] = (UINT)strlen(ppszTexts[i]);
        nShortest = i == 0 || nLengths[i] < nShortest ? nLengths[i] : nShortest;
    }
    bAnyEmpty = nShortest == 0;
    if (bAnyEmpty)
        return;
    // The first of a text's two bytes at distance nTry
    auto head = [&](int i, UINT nTry) { return ppszTexts[i][nLengths[i] - 1 - nTry]; };
    nDistance = nShortest - 1;
    int nMostSharing = 0;
    for (UINT nTry = nShortest - 1; nTry > 0; nTry--)
    {
        int nSharing = 0;
        for (int i = 1; i < nTexts; i++)
            for (int j = 0; j < i; j++)
                if (head(i, nTry) == head(j, nTry))
                {
                    nSharing++;
                    break;
                }
        if (nSharing > nMostSharing)
        {
            nMostSharing = nSharing;
            nDistance = nTry;
        }
    }
    for (int i = 0; i < nTexts; i++)
    {
        nPairOffsets[i] = nLengths[i] - 1 - nDistance;
        nLargestPairOffset = nPairOffsets[i] > nLargestPairOffset ? nPairOffsets[i] : nLargestPairOffset;
    }
    // Each text not yet placed, followed by the later ones that share its byte
    BOOL bPlaced[MAX_MARKER_TEXTS] = {};
    int nPlaced = 0;
    for (int i = 0; i < nTexts; i++)
    {
        if (bPlaced[i])
            continue;
        nOrder[nPlaced++] = i;
        for (int j = i + 1; j < nTexts; j++)
            if (!bPlaced[j] && head(j, nDistance) == head(i, nDistance))
            {
                nShared |= 1u << (nPlaced - 1);
                bPlaced[j] = TRUE;
                nOrder[nPlaced++] = j;
            }
    }
}

namespace {

// The search in one block, the texts prepared; none when there were too many
int FindInBlock(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nPos)
{
    if (texts.nTexts == 0)
        return -1;
    // The widest vectors the processor has first, then one position at a time
    // where they no longer fit
    UINT nStart = 0;
    if (!texts.bAnyEmpty)
    {
        int nFound = HasAvx512() ? FindMarkerCandidatesAvx512(pBlock, nLength, texts, nStart, nPos)
                   : HasAvx2()   ? FindMarkerCandidatesAvx2(pBlock, nLength, texts, nStart, nPos)
                                 : FindCandidates<CSse2>(pBlock, nLength, texts, nStart, nPos);
        if (nFound >= 0)
            return nFound;
    }
    for (; nStart < nLength; nStart++)
    {
        int nFound = MarkerMatchAt(texts, pBlock, nLength, nStart);
        if (nFound >= 0)
        {
            nPos = nStart;
            return nFound;
        }
    }
    return -1;
}

} // namespace

int CMarkerScan::Find(const LPCSTR* ppszTexts, int nTexts)
{
    if (!m_pBlock)
        m_pBlock.reset(new CBlock);
    // Prepared once for all the blocks
    const CMarkerTexts texts(ppszTexts, nTexts);
    for (;;)
    {
        m_nRead = m_file.Read(m_pBlock->bytes, BLOCK_SIZE);
        int nFound = ::FindInBlock(m_pBlock->bytes, m_nRead, texts, m_nPos);
        if (nFound >= 0 || m_nRead < BLOCK_SIZE)
            return nFound;
    }
}

int CMarkerScan::FindInBlock(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nPos)
{
    return ::FindInBlock(pBlock, nLength, CMarkerTexts(ppszTexts, nTexts), nPos);
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
