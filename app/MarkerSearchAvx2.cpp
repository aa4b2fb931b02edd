// Compiled for processors with AVX2 (see CMakeLists.txt); called only on them.
#include "MarkerSearch.h"

#include <immintrin.h>

namespace {

// A marked position has all bits set.
struct CAvx2
{
    typedef __m256i V;
    enum { WIDTH = 32, GROUP = 64 };
    static V Load(const char* p) { return _mm256_loadu_si256((const __m256i*)p); }
    static V Splat(char ch) { return _mm256_set1_epi8(ch); }
    static V Last(V tails, V last) { return _mm256_cmpeq_epi8(tails, last); }
    static V First(V found, V heads, V first) { return _mm256_and_si256(found, _mm256_cmpeq_epi8(heads, first)); }
    static V Join(V a, V b) { return _mm256_or_si256(a, b); }
    static unsigned long long Hits(V v) { return (unsigned)_mm256_movemask_epi8(v); }
};

} // namespace

int FindMarkerCandidatesAvx2(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    return FindCandidates<CAvx2>(pBlock, nLength, texts, nStart, nPos);
}

BOOL HasAvx2()
{
    static const BOOL s_bAvx2 = __builtin_cpu_supports("avx2") != 0;
    return s_bAvx2;
}
