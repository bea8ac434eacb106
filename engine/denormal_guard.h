// Flush-to-zero and denormals-are-zero for the lifetime of the guard; the caller's mode comes back after.
#pragma once

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define RAVENSOOT_HAS_MXCSR 1
#endif

class DenormalGuard {
public:
#ifdef RAVENSOOT_HAS_MXCSR
    // Bit 15 flushes results, bit 6 reads denormal inputs as zero.
    static constexpr unsigned kFlushBits = 0x8040u;

    DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushBits); }
    ~DenormalGuard() { _mm_setcsr(saved); }

private:
    unsigned saved;
#else
    DenormalGuard() = default;
#endif
public:
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;
};
