// Eight floats that every arithmetic operator acts on lane by lane (the GCC and
// Clang vector extension), for the synthesis filter's work on eight blocks at
// once: each lane takes exactly the operations one block alone would.
#pragma once

#include <cstring>

#include "control/decoder/VectorClones.h"

namespace aurion {

inline constexpr int kLaneCount = 8;

using Lanes = float __attribute__((vector_size(kLaneCount * sizeof(float))));

// Lanes pass by reference: a vector by value would change the calling convention
// between the AVX2 and the default versions of a function.
AURION_ALWAYS_INLINE void LoadLanes(Lanes& lanes, const float* from) {
    std::memcpy(&lanes, from, sizeof lanes);
}

AURION_ALWAYS_INLINE void StoreLanes(const Lanes& lanes, float* to) {
    std::memcpy(to, &lanes, sizeof lanes);
}

AURION_ALWAYS_INLINE void FillLanes(Lanes& lanes, float value) {
    for (int lane = 0; lane < kLaneCount; ++lane) {
        lanes[lane] = value;
    }
}

// Swaps rows and lanes of an 8 x 8 matrix: afterwards rows[i][k] is what
// rows[k][i] was. Pairs, then quads, then halves are interleaved.
AURION_ALWAYS_INLINE void TransposeLanes(Lanes (&rows)[kLaneCount]) {
    Lanes pairs[kLaneCount];
    for (int i = 0; i < kLaneCount; i += 2) {
        pairs[i] = __builtin_shufflevector(rows[i], rows[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        pairs[i + 1] = __builtin_shufflevector(rows[i], rows[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    Lanes quads[kLaneCount];
    for (int i = 0; i < kLaneCount; i += 4) {
        quads[i] = __builtin_shufflevector(pairs[i], pairs[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        quads[i + 1] = __builtin_shufflevector(pairs[i], pairs[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        quads[i + 2] =
            __builtin_shufflevector(pairs[i + 1], pairs[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        quads[i + 3] =
            __builtin_shufflevector(pairs[i + 1], pairs[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int i = 0; i < 4; ++i) {
        rows[i] = __builtin_shufflevector(quads[i], quads[i + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        rows[i + 4] = __builtin_shufflevector(quads[i], quads[i + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

}  // namespace aurion
