// AURION_VECTOR_CLONES before a function gives it a second version for AVX2, chosen
// at load time where the processor has it. AVX2 brings no fused multiply-add, so
// every lane runs the operations of the plain version and the results stay the
// same. Only with GCC on x86-64, and not under ThreadSanitizer, whose runtime is
// not ready when the loader runs the chooser.
#pragma once

#ifndef AURION_VECTOR_CLONES
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define AURION_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define AURION_VECTOR_CLONES
#endif
#endif
