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

CString ReadDiskName(CFile& image, ULONGLONG nLength)
{
    // The signature at 0 and the root block number at 8, in one read
    BYTE head[12];
    UINT nRead = image.Read(head, sizeof(head));
    if (nRead < sizeof(head) || memcmp(head, "DOS", 3) != 0)
        return "NDOS";
    ULONGLONG nRootBlock = ((ULONGLONG)head[8] << 24) | (head[9] << 16) | (head[10] << 8) | head[11];
    if (nRootBlock == 0 || nRootBlock > 1760)
        nRootBlock = 880;

    // The name's length byte and at most 50 characters, in one read
    ULONGLONG nNameOffset = nRootBlock * 512 + 432;
    if (nNameOffset > nLength)
        return "NDOS";
    char name[51];
    if (image.Seek(nNameOffset, CFile::begin) != (LONGLONG)nNameOffset)
        return "NDOS";
    nRead = image.Read(name, sizeof(name));
    if (nRead < 1)
        return "NDOS";
    BYTE nNameLength = (BYTE)name[0];
    if (nNameLength > 50 || nRead < 1u + nNameLength)
        return "NDOS";
    for (int i = 1; i <= nNameLength; i++)
        if (name[i] < 0x20 || name[i] > 0x7E)
            return "NDOS";
    return CString(name + 1, nNameLength);
}
