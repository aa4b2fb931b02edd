// The search behind CMarkerScan::FindInBlock, for FileScan.cpp, the files of
// its versions for wider vectors, and the tests. Each of them compiles its own
// copy for its own instruction set: everything here has internal linkage.
#pragma once

#include <windows.h>

#include <cstring>
#include <emmintrin.h>

// The search below with 32-byte and with 64-byte vectors, for processors that
// have them
int FindMarkerCandidatesAvx2(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nStart,
                             UINT& nPos);
int FindMarkerCandidatesAvx512(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nStart,
                               UINT& nPos);
BOOL HasAvx2();
BOOL HasAvx512();

namespace {

enum { MAX_MARKER_TEXTS = 4 };

// The texts with their lengths. The vectors look for two bytes of each text
// that lie the same distance apart in every text: its last byte, and the byte
// nDistance before it, nDistance being one less than the shortest length. So
// every text is looked for in the same two loads, and the last byte still
// tells a text from one cut short.
struct CMarkerTexts
{
    const LPCSTR* ppszTexts;
    int nTexts;
    UINT nLengths[MAX_MARKER_TEXTS];
    UINT nPairOffsets[MAX_MARKER_TEXTS];  // where the two bytes begin in the text
    UINT nDistance;
    UINT nLargestPairOffset;

    CMarkerTexts(const LPCSTR* ppsz, int n)
        : ppszTexts(ppsz), nTexts(n), nLengths(), nPairOffsets(), nDistance(0), nLargestPairOffset(0)
    {
        UINT nShortest = 0;
        for (int i = 0; i < nTexts; i++)
        {
            nLengths[i] = (UINT)strlen(ppszTexts[i]);
            nShortest = i == 0 || nLengths[i] < nShortest ? nLengths[i] : nShortest;
        }
        if (nShortest == 0)
            return;
        nDistance = nShortest - 1;
        for (int i = 0; i < nTexts; i++)
        {
            nPairOffsets[i] = nLengths[i] - 1 - nDistance;
            nLargestPairOffset = nPairOffsets[i] > nLargestPairOffset ? nPairOffsets[i] : nLargestPairOffset;
        }
    }
    BOOL AnyEmpty() const
    {
        for (int i = 0; i < nTexts; i++)
            if (nLengths[i] == 0)
                return TRUE;
        return FALSE;
    }
    // Whether text i lies wholly in the block at nPos. Compared here rather
    // than by the library's memcmp: around a call, the vector search would
    // save and restore its registers for every place that looks like a marker.
    BOOL Matches(int i, const char* pBlock, UINT nLength, UINT nPos) const
    {
        if (nLengths[i] > nLength - nPos)
            return FALSE;
        for (UINT j = 0; j < nLengths[i]; j++)
            if (pBlock[nPos + j] != ppszTexts[i][j])
                return FALSE;
        return TRUE;
    }
    // The first text, in their order, that lies wholly in the block at nPos
    int MatchAt(const char* pBlock, UINT nLength, UINT nPos) const
    {
        for (int i = 0; i < nTexts; i++)
            if (Matches(i, pBlock, nLength, nPos))
                return i;
        return -1;
    }
};

// The positions of the vector at p at which the two bytes of one of the N
// texts begin, marked in the vector's own way (see Vec::Pair)
template <class Vec, int N>
struct CCandidates
{
    typename Vec::V first[N], last[N];
    UINT nDistance;

    explicit CCandidates(const CMarkerTexts& texts) : nDistance(texts.nDistance)
    {
        for (int i = 0; i < N; i++)
        {
            first[i] = Vec::Splat(texts.ppszTexts[i][texts.nPairOffsets[i]]);
            last[i] = Vec::Splat(texts.ppszTexts[i][texts.nLengths[i] - 1]);
        }
    }
    typename Vec::V At(const char* p) const
    {
        typename Vec::V heads = Vec::Load(p), tails = Vec::Load(p + nDistance);
        typename Vec::V found = Vec::Pair(heads, first[0], tails, last[0]);
#pragma GCC unroll 4
        for (int i = 1; i < N; i++)
            found = Vec::Join(found, Vec::Pair(heads, first[i], tails, last[i]));
        return found;
    }
};

// Searches the block with whole vectors, comparing the texts in full only
// where their two bytes are. Returns the index of the text found and its
// position, or -1 with nStart set to the first position that the search one
// position at a time must still look at. N texts, none empty.
template <class Vec, int N>
int FindCandidates(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    enum { WIDTH = Vec::WIDTH, GROUP = Vec::GROUP, PAGE_SIZE = 4096 };
    nStart = 0;
    // The two bytes of a text that lies wholly in the block begin before nEnd.
    if (nLength < texts.nDistance + WIDTH)
        return -1;
    const UINT nEnd = nLength - texts.nDistance;
    const CCandidates<Vec, N> candidates(texts);
    // A block just read follows a system call, which may have emptied the
    // processor's cache of page addresses. Asking for every page up front has
    // their addresses looked up side by side rather than one by one as the
    // search reaches them, which costs the search a third of its time.
    for (UINT nPage = 0; nPage < nLength; nPage += PAGE_SIZE)
        _mm_prefetch(pBlock + nPage, _MM_HINT_T0);

    // Once a text is found, the earliest text in the block: every text that
    // begins nLargestPairOffset or more before the vector has its two bytes in
    // the vectors already looked at, so one position at a time from there.
    auto earliest = [&](UINT nVector) {
        UINT nAt = nVector > texts.nLargestPairOffset ? nVector - texts.nLargestPairOffset : 0;
        int nFound;
        while ((nFound = texts.MatchAt(pBlock, nLength, nAt)) < 0)
            nAt++;
        nPos = nAt;
        return nFound;
    };
    // The texts in full where the vector at nVector marks their two bytes
    auto compare = [&](UINT nVector) {
        // Looked at again from memory: were the compiler to keep the group's
        // intermediate values for this, the loop over the groups would pay
        // for copies of them on every group.
        const char* pVector = pBlock + nVector;
        asm("" : "+r"(pVector));
        for (unsigned long long nBits = Vec::Hits(candidates.At(pVector)); nBits; nBits &= nBits - 1)
        {
            UINT nPair = nVector + (UINT)__builtin_ctzll(nBits);
            for (int i = 0; i < N; i++)
                if (nPair >= texts.nPairOffsets[i]
                    && texts.Matches(i, pBlock, nLength, nPair - texts.nPairOffsets[i]))
                    return earliest(nVector);
        }
        return -1;
    };

    // GROUP positions at a time, looked at closer only when one is marked
    UINT nVector = 0;
    for (; nEnd - nVector >= GROUP; nVector += GROUP)
    {
        typename Vec::V any = candidates.At(pBlock + nVector);
        for (int k = 1; k < GROUP / WIDTH; k++)
            any = Vec::Join(any, candidates.At(pBlock + nVector + WIDTH * k));
        if (Vec::Hits(any))
            for (int k = 0; k < GROUP / WIDTH; k++)
            {
                int nFound = compare(nVector + WIDTH * k);
                if (nFound >= 0)
                    return nFound;
            }
    }
    for (; nEnd - nVector >= WIDTH; nVector += WIDTH)
    {
        int nFound = compare(nVector);
        if (nFound >= 0)
            return nFound;
    }
    // The last positions in one more vector, which overlaps the one before
    if (nVector < nEnd)
    {
        int nFound = compare(nEnd - WIDTH);
        if (nFound >= 0)
            return nFound;
    }
    nStart = nLength;
    return -1;
}

// 16-byte vectors, which every 64-bit x86 processor has. A marked position
// has all bits set.
struct CSse2
{
    typedef __m128i V;
    enum { WIDTH = 16, GROUP = 64 };
    static V Load(const char* p) { return _mm_loadu_si128((const __m128i*)p); }
    static V Splat(char ch) { return _mm_set1_epi8(ch); }
    static V Pair(V heads, V first, V tails, V last)
    {
        return _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last));
    }
    static V Join(V a, V b) { return _mm_or_si128(a, b); }
    static unsigned long long Hits(V v) { return (unsigned)_mm_movemask_epi8(v); }
};

// The search for a count of texts known at run time
template <class Vec>
int FindCandidates(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    switch (texts.nTexts)
    {
    case 1: return FindCandidates<Vec, 1>(pBlock, nLength, texts, nStart, nPos);
    case 2: return FindCandidates<Vec, 2>(pBlock, nLength, texts, nStart, nPos);
    case 3: return FindCandidates<Vec, 3>(pBlock, nLength, texts, nStart, nPos);
    default: return FindCandidates<Vec, 4>(pBlock, nLength, texts, nStart, nPos);
    }
}

} // namespace
