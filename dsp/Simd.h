#pragma once

// SSE2 is the baseline of every target we build (x86-64, and 32-bit x86 with -msse2).
// Code using it keeps a plain version that performs the same operations in the same order,
// so both give identical bits.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define ORV_SSE2 1
#include <emmintrin.h>
#endif
