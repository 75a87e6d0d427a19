// Function multi-versioning for the decoder's vector loops: on x86-64 a second
// version of a marked function for AVX2 is chosen at load time when the processor
// has it. AVX2 brings no fused multiply-add, so every lane runs the operations of
// the plain version and both versions give the same results. Off under
// ThreadSanitizer, whose runtime is not ready when the loader runs the chooser,
// and with compilers other than GCC.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define AURION_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define AURION_VECTOR_CLONES
#endif

// For the helpers of a marked function: inlined into each version, so that they
// are compiled for its instruction set.
#if defined(__GNUC__)
#define AURION_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define AURION_ALWAYS_INLINE inline
#endif
