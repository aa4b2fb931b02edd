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
