#include "vectorstate.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

namespace {

// Compiled for AVX on its own, so the rest of the build stays baseline x86; called
// only when the processor reports AVX.
__attribute__((target("avx"), noinline)) void zeroUpper()
{
    _mm256_zeroupper();
}

bool processorHasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

const bool hasAvx = processorHasAvx();

} // namespace

void clearUpperVectorState()
{
    if (hasAvx)
        zeroUpper();
}

#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))

#include <immintrin.h>
#include <intrin.h>

namespace {

bool processorHasAvx()
{
    int info[4] = {};
    __cpuid(info, 1);
    const bool osSavesState = (info[2] & (1 << 27)) != 0;
    const bool avx = (info[2] & (1 << 28)) != 0;
    return osSavesState && avx && (_xgetbv(0) & 6) == 6;
}

const bool hasAvx = processorHasAvx();

} // namespace

void clearUpperVectorState()
{
    if (hasAvx)
        _mm256_zeroupper();
}

#else

void clearUpperVectorState() {}

#endif
