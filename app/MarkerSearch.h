// The search behind CMarkerScan::FindInBlock, for FileScan.cpp and
// MarkerSearchAvx2.cpp only. Each of them compiles its own copy for its own
// instruction set: everything here has internal linkage.
#pragma once

#include <windows.h>

#include <cstring>
#include <emmintrin.h>

// The search below with 32-byte vectors, for processors that have them
int FindMarkerCandidatesAvx2(const char* pBlock, UINT nLength, const LPCSTR* ppszTexts, int nTexts, UINT& nStart,
                             UINT& nPos);
BOOL HasAvx2();

namespace {

enum { MAX_MARKER_TEXTS = 4 };

// The texts with their lengths, compared in full at one position
struct CMarkerTexts
{
    const LPCSTR* ppszTexts;
    int nTexts;
    UINT nLengths[MAX_MARKER_TEXTS];
    UINT nLongest;

    CMarkerTexts(const LPCSTR* ppsz, int n) : ppszTexts(ppsz), nTexts(n), nLengths(), nLongest(0)
    {
        for (int i = 0; i < nTexts; i++)
        {
            nLengths[i] = (UINT)strlen(ppszTexts[i]);
            nLongest = nLengths[i] > nLongest ? nLengths[i] : nLongest;
        }
    }
    BOOL AnyEmpty() const
    {
        for (int i = 0; i < nTexts; i++)
            if (nLengths[i] == 0)
                return TRUE;
        return FALSE;
    }
    // The first text, in their order, that lies wholly in the block at nPos
    int MatchAt(const char* pBlock, UINT nLength, UINT nPos) const
    {
        for (int i = 0; i < nTexts; i++)
            if (nLengths[i] <= nLength - nPos && memcmp(pBlock + nPos, ppszTexts[i], nLengths[i]) == 0)
                return i;
        return -1;
    }
};

// The positions of the vector at p at which one of the N texts may begin:
// its first and its last byte are both there.
template <class Vec, int N>
struct CCandidates
{
    typename Vec::V first[N], last[N];
    UINT tail[N];

    explicit CCandidates(const CMarkerTexts& texts)
    {
        for (int i = 0; i < N; i++)
        {
            first[i] = Vec::Splat(texts.ppszTexts[i][0]);
            last[i] = Vec::Splat(texts.ppszTexts[i][texts.nLengths[i] - 1]);
            tail[i] = texts.nLengths[i] - 1;
        }
    }
    typename Vec::V At(const char* p) const
    {
        typename Vec::V heads = Vec::Load(p);
        typename Vec::V found = Vec::And(Vec::Eq(heads, first[0]), Vec::Eq(Vec::Load(p + tail[0]), last[0]));
        for (int i = 1; i < N; i++)
            found = Vec::Or(found, Vec::And(Vec::Eq(heads, first[i]), Vec::Eq(Vec::Load(p + tail[i]), last[i])));
        return found;
    }
};

// Searches from nStart as long as whole vectors fit, comparing in full only
// at the candidates; leaves nStart where it stopped. N texts, none empty.
template <class Vec, int N>
int FindCandidates(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    const CCandidates<Vec, N> candidates(texts);
    // A vector of positions can be loaded, each position with the longest
    // text after it, as long as it lies before nEnd.
    if (nLength < texts.nLongest - 1)
        return -1;
    const UINT nEnd = nLength - (texts.nLongest - 1);
    enum { WIDTH = Vec::WIDTH, UNROLL = 64 / Vec::WIDTH };
    // The texts in full at the candidates among nCount positions from nStart
    auto compare = [&](UINT nCount) {
        for (UINT nVector = nStart; nVector < nStart + nCount; nVector += WIDTH)
            for (unsigned nBits = Vec::Mask(candidates.At(pBlock + nVector)); nBits; nBits &= nBits - 1)
            {
                UINT nCandidate = nVector + (UINT)__builtin_ctz(nBits);
                int nFound = texts.MatchAt(pBlock, nLength, nCandidate);
                if (nFound >= 0)
                {
                    nPos = nCandidate;
                    return nFound;
                }
            }
        return -1;
    };
    // 64 positions at a time, looked at closer only when one is a candidate
    for (; nStart <= nEnd && nEnd - nStart >= 64; nStart += 64)
    {
        typename Vec::V any = candidates.At(pBlock + nStart);
        for (int k = 1; k < UNROLL; k++)
            any = Vec::Or(any, candidates.At(pBlock + nStart + WIDTH * k));
        if (Vec::Mask(any))
        {
            int nFound = compare(64);
            if (nFound >= 0)
                return nFound;
        }
    }
    for (; nStart <= nEnd && nEnd - nStart >= (UINT)WIDTH; nStart += WIDTH)
    {
        int nFound = compare(WIDTH);
        if (nFound >= 0)
            return nFound;
    }
    return -1;
}

// 16-byte vectors, which every 64-bit x86 processor has
struct CSse2
{
    typedef __m128i V;
    enum { WIDTH = 16 };
    static V Load(const char* p) { return _mm_loadu_si128((const __m128i*)p); }
    static V Splat(char ch) { return _mm_set1_epi8(ch); }
    static V Eq(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static unsigned Mask(V v) { return (unsigned)_mm_movemask_epi8(v); }
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
