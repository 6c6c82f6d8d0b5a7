#pragma once

// SSE2 is the baseline of every target we build (x86-64, and 32-bit x86 with -msse2).
// Code using it keeps a plain version that performs the same operations in the same order,
// so both give identical bits.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define ORV_SSE2 1
#include <emmintrin.h>
#endif

// Wider kernels are compiled per function (target attribute) and chosen at run time, so the
// shipped builds still need only SSE2. Not on Windows: GCC there cannot realign the stack for
// 32-byte spills.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(_WIN32)
#define ORV_AVX 1
#include <immintrin.h>
#define ORV_TARGET_AVX __attribute__((target("avx")))
inline bool processorHasAvx() { return __builtin_cpu_supports("avx"); }
#endif
