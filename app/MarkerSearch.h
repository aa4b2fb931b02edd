// The search behind CMarkerScan::Find, for FileScan.cpp, the files of its
// versions for wider vectors, and the tests. Each of them compiles its own copy
// of the search for its own instruction set, so the search has internal
// linkage; only CMarkerTexts, data whose constructor is in FileScan.cpp,
// passes between them.
#pragma once

#include <windows.h>

#include <emmintrin.h>

enum { MAX_MARKER_TEXTS = 4 };

// The texts, and how the vectors look for them. Each text is looked for by two
// of its bytes that lie the same distance apart in every text: its last byte,
// which tells a text from one cut short, and the byte nDistance before it. So
// every text is looked for in the same two loads. Texts whose first bytes of
// the two are the same share the test of that byte: of the distances up to one
// less than the shortest length, the constructor takes the one at which the
// most texts share it (the longest of those), and orders the texts for the
// vectors so that those that share it come one after the other.
struct CMarkerTexts
{
    const LPCSTR* ppszTexts;
    int nTexts;  // 0 when there are none or too many
    UINT nLengths[MAX_MARKER_TEXTS];
    UINT nPairOffsets[MAX_MARKER_TEXTS];  // where text i's two bytes begin in it
    UINT nDistance;
    UINT nLargestPairOffset;
    BOOL bAnyEmpty;
    int nOrder[MAX_MARKER_TEXTS];  // the texts in the vectors' order
    // Bit k - 1: the text at place k of that order shares its first byte with
    // the one before it
    unsigned nShared;

    CMarkerTexts(const LPCSTR* ppszTexts, int nTexts);
};

// The search below with 32-byte and with 64-byte vectors, for processors that
// have them
int FindMarkerCandidatesAvx2(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos);
int FindMarkerCandidatesAvx512(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos);
BOOL HasAvx2();
BOOL HasAvx512();

namespace {

// Whether text i lies wholly in the block at nPos. Compared here rather than
// by the library's memcmp: around a call, the vector search would save and
// restore its registers for every place that looks like a marker.
inline BOOL MarkerMatches(const CMarkerTexts& texts, int i, const char* pBlock, UINT nLength, UINT nPos)
{
    if (texts.nLengths[i] > nLength - nPos)
        return FALSE;
    for (UINT j = 0; j < texts.nLengths[i]; j++)
        if (pBlock[nPos + j] != texts.ppszTexts[i][j])
            return FALSE;
    return TRUE;
}

// The first text, in their order, that lies wholly in the block at nPos
inline int MarkerMatchAt(const CMarkerTexts& texts, const char* pBlock, UINT nLength, UINT nPos)
{
    for (int i = 0; i < texts.nTexts; i++)
        if (MarkerMatches(texts, i, pBlock, nLength, nPos))
            return i;
    return -1;
}

// The positions of the vector at p at which the two bytes of one of the N
// texts begin, marked in the vector's own way: Vec::Last marks where the later
// byte is a text's last one, Vec::First keeps those marks where the earlier
// byte is that text's too, and Vec::Join keeps the marks of either of two
// vectors. SHARED is CMarkerTexts::nShared.
template <class Vec, int N, unsigned SHARED>
struct CCandidates
{
    typename Vec::V first[N], last[N];  // in the vectors' order
    UINT nDistance;

    explicit CCandidates(const CMarkerTexts& texts) : nDistance(texts.nDistance)
    {
        for (int k = 0; k < N; k++)
        {
            int i = texts.nOrder[k];
            first[k] = Vec::Splat(texts.ppszTexts[i][texts.nPairOffsets[i]]);
            last[k] = Vec::Splat(texts.ppszTexts[i][texts.nLengths[i] - 1]);
        }
    }
    typename Vec::V At(const char* p) const
    {
        return From<0>(Vec::Load(p), Vec::Load(p + nDistance));
    }
    // The texts from place K of the order on, those that share the first byte
    // of text K tested for it once
    template <int K>
    typename Vec::V From(typename Vec::V heads, typename Vec::V tails) const
    {
        constexpr int END = GroupEnd(K);
        typename Vec::V found = Vec::Last(tails, last[K]);
#pragma GCC unroll 4
        for (int k = K + 1; k < END; k++)
            found = Vec::Join(found, Vec::Last(tails, last[k]));
        found = Vec::First(found, heads, first[K]);
        if constexpr (END < N)
            return Vec::Join(found, From<END>(heads, tails));
        else
            return found;
    }
    // One past the last place that shares the first byte of place k
    static constexpr int GroupEnd(int k)
    {
        return k + 1 < N && (SHARED & (1u << k)) ? GroupEnd(k + 1) : k + 1;
    }
};

// Searches the block with whole vectors, comparing the texts in full only
// where their two bytes are. Returns the index of the text found and its
// position, or -1 with nStart set to the first position that the search one
// position at a time must still look at. N texts, none empty.
template <class Vec, int N, unsigned SHARED>
int FindCandidates(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    enum { WIDTH = Vec::WIDTH, GROUP = Vec::GROUP, PAGE_SIZE = 4096 };
    nStart = 0;
    // The two bytes of a text that lies wholly in the block begin before nEnd.
    if (nLength < texts.nDistance + WIDTH)
        return -1;
    const UINT nEnd = nLength - texts.nDistance;
    const CCandidates<Vec, N, SHARED> candidates(texts);
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
        while ((nFound = MarkerMatchAt(texts, pBlock, nLength, nAt)) < 0)
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
                    && MarkerMatches(texts, i, pBlock, nLength, nPair - texts.nPairOffsets[i]))
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
    static V Last(V tails, V last) { return _mm_cmpeq_epi8(tails, last); }
    static V First(V found, V heads, V first) { return _mm_and_si128(found, _mm_cmpeq_epi8(heads, first)); }
    static V Join(V a, V b) { return _mm_or_si128(a, b); }
    static unsigned long long Hits(V v) { return (unsigned)_mm_movemask_epi8(v); }
};

// The search for a count of texts, and the texts that share a test, known at
// run time. Four texts share none: each sharing is one more copy of the search.
template <class Vec>
int FindCandidates(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    switch (texts.nTexts * 8 + (texts.nTexts < MAX_MARKER_TEXTS ? texts.nShared : 0))
    {
    case 1 * 8: return FindCandidates<Vec, 1, 0>(pBlock, nLength, texts, nStart, nPos);
    case 2 * 8: return FindCandidates<Vec, 2, 0>(pBlock, nLength, texts, nStart, nPos);
    case 2 * 8 + 1: return FindCandidates<Vec, 2, 1>(pBlock, nLength, texts, nStart, nPos);
    case 3 * 8: return FindCandidates<Vec, 3, 0>(pBlock, nLength, texts, nStart, nPos);
    case 3 * 8 + 1: return FindCandidates<Vec, 3, 1>(pBlock, nLength, texts, nStart, nPos);
    case 3 * 8 + 2: return FindCandidates<Vec, 3, 2>(pBlock, nLength, texts, nStart, nPos);
    case 3 * 8 + 3: return FindCandidates<Vec, 3, 3>(pBlock, nLength, texts, nStart, nPos);
    default: return FindCandidates<Vec, 4, 0>(pBlock, nLength, texts, nStart, nPos);
    }
}

} // namespace
