// Turns eight vectors of eight lanes into their columns, out[j][i] = in[i][j], with
// shuffles only: the values move bit for bit. Lets HybridSynthesis load and store
// the lines of eight subbands as whole vectors instead of lane by lane.
#pragma once

#include "control/decoder/layer3/InverseMdct.h"

namespace aurion {

static_assert(kImdctLanes == 8, "Transpose8 is written for eight lanes");

#if defined(__clang__)
#define AURION_SHUFFLE(a, b, ...) __builtin_shufflevector(a, b, __VA_ARGS__)
#else
using ImdctLaneIndex = int __attribute__((vector_size(kImdctLanes * sizeof(int))));
#define AURION_SHUFFLE(a, b, ...) __builtin_shuffle(a, b, ImdctLaneIndex{__VA_ARGS__})
#endif

// Inlined, so that it runs with its caller's instruction set. The three steps
// interleave pairs, then pairs of pairs, then the two halves of the register.
inline __attribute__((always_inline)) void Transpose8(ImdctLanes* v) {
    const ImdctLanes t0 = AURION_SHUFFLE(v[0], v[1], 0, 8, 1, 9, 4, 12, 5, 13);
    const ImdctLanes t1 = AURION_SHUFFLE(v[0], v[1], 2, 10, 3, 11, 6, 14, 7, 15);
    const ImdctLanes t2 = AURION_SHUFFLE(v[2], v[3], 0, 8, 1, 9, 4, 12, 5, 13);
    const ImdctLanes t3 = AURION_SHUFFLE(v[2], v[3], 2, 10, 3, 11, 6, 14, 7, 15);
    const ImdctLanes t4 = AURION_SHUFFLE(v[4], v[5], 0, 8, 1, 9, 4, 12, 5, 13);
    const ImdctLanes t5 = AURION_SHUFFLE(v[4], v[5], 2, 10, 3, 11, 6, 14, 7, 15);
    const ImdctLanes t6 = AURION_SHUFFLE(v[6], v[7], 0, 8, 1, 9, 4, 12, 5, 13);
    const ImdctLanes t7 = AURION_SHUFFLE(v[6], v[7], 2, 10, 3, 11, 6, 14, 7, 15);
    const ImdctLanes u0 = AURION_SHUFFLE(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    const ImdctLanes u1 = AURION_SHUFFLE(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    const ImdctLanes u2 = AURION_SHUFFLE(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    const ImdctLanes u3 = AURION_SHUFFLE(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
    const ImdctLanes u4 = AURION_SHUFFLE(t4, t6, 0, 1, 8, 9, 4, 5, 12, 13);
    const ImdctLanes u5 = AURION_SHUFFLE(t4, t6, 2, 3, 10, 11, 6, 7, 14, 15);
    const ImdctLanes u6 = AURION_SHUFFLE(t5, t7, 0, 1, 8, 9, 4, 5, 12, 13);
    const ImdctLanes u7 = AURION_SHUFFLE(t5, t7, 2, 3, 10, 11, 6, 7, 14, 15);
    v[0] = AURION_SHUFFLE(u0, u4, 0, 1, 2, 3, 8, 9, 10, 11);
    v[4] = AURION_SHUFFLE(u0, u4, 4, 5, 6, 7, 12, 13, 14, 15);
    v[1] = AURION_SHUFFLE(u1, u5, 0, 1, 2, 3, 8, 9, 10, 11);
    v[5] = AURION_SHUFFLE(u1, u5, 4, 5, 6, 7, 12, 13, 14, 15);
    v[2] = AURION_SHUFFLE(u2, u6, 0, 1, 2, 3, 8, 9, 10, 11);
    v[6] = AURION_SHUFFLE(u2, u6, 4, 5, 6, 7, 12, 13, 14, 15);
    v[3] = AURION_SHUFFLE(u3, u7, 0, 1, 2, 3, 8, 9, 10, 11);
    v[7] = AURION_SHUFFLE(u3, u7, 4, 5, 6, 7, 12, 13, 14, 15);
}

#undef AURION_SHUFFLE

}  // namespace aurion
