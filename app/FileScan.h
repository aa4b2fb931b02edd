// Classes and functions in this file:
//   OpenPlainFile - opens a file for reading, refusing pipes and devices
//   CMarkerScan   - reads a file block by block up to the first of some texts
//   ReadDiskName  - the volume name recorded in an open Amiga disk image
#pragma once

#include "framework/File.h"

#include <vector>

// Opens the file for reading with the share mode given; FALSE when it cannot
// be opened or is not a plain file. A pipe or a device opens like a file, but
// a read from it can wait forever.
BOOL OpenPlainFile(CFile& file, LPCSTR pszPath, UINT nShareFlags);

class CMarkerScan
{
public:
    // Each block is searched by itself: a text that crosses the border of two
    // blocks is not found.
    enum { BLOCK_SIZE = 102400 };

    // OpenPlainFile
    BOOL Open(LPCSTR pszPath, UINT nShareFlags) { return OpenPlainFile(m_file, pszPath, nShareFlags); }

    // Reads block after block until one holds one of the texts, or the file
    // ends. Returns the index of the text found, -1 when the file holds none.
    // The earliest position in the block wins; at one position, the text that
    // comes first in the list.
    int Find(const LPCSTR* ppszTexts, int nTexts);

    // The block in which Find stopped, and where the text found begins in it
    const char* Block() const { return m_block.data(); }
    UINT BlockLength() const { return m_nRead; }
    UINT Position() const { return m_nPos; }

    // The same search in the bytes given, which ends there: the index of the
    // text and its position, or -1
    static int FindInBlock(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nPos);

private:
    CFile m_file;
    std::vector<char> m_block;
    UINT m_nRead = 0;
    UINT m_nPos = 0;
};

// The volume name of the disk image just opened in the file, whose length is
// given, or "NDOS" when it is not an AmigaDOS disk or its name cannot be read
CString ReadDiskName(CFile& image, ULONGLONG nLength);
