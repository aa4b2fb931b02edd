// Compiled for processors with AVX-512 BW (see CMakeLists.txt); called only on
// them.
#include "MarkerSearch.h"

#include <immintrin.h>

namespace {

// A marked position is a zero byte. Last is an exclusive or; First adds
// (heads ^ first) in one ternary instruction, and Join is the minimum. The
// ternary instruction overwrites its first operand: with the marks there,
// heads stays in its register for the next text instead of being loaded again.
struct CAvx512
{
    typedef __m512i V;
    enum { WIDTH = 64, GROUP = 256 };
    static V Load(const char* p) { return _mm512_loadu_si512(p); }
    static V Splat(char ch) { return _mm512_set1_epi8(ch); }
    static V Last(V tails, V last) { return _mm512_xor_si512(tails, last); }
    static V First(V found, V heads, V first) { return _mm512_ternarylogic_epi32(found, heads, first, 0xF6); }
    static V Join(V a, V b) { return _mm512_min_epu8(a, b); }
    static unsigned long long Hits(V v) { return _mm512_testn_epi8_mask(v, v); }
};

} // namespace

int FindMarkerCandidatesAvx512(const char* pBlock, UINT nLength, const CMarkerTexts& texts, UINT& nStart, UINT& nPos)
{
    return FindCandidates<CAvx512>(pBlock, nLength, texts, nStart, nPos);
}

BOOL HasAvx512()
{
    // The processor's test also asks the system whether it keeps the 64-byte
    // registers across thread switches.
    static const BOOL s_bAvx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return s_bAvx512;
}
