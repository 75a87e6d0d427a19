// A 32-point DCT of Lee's recursive type, the matrixing step of the polyphase
// synthesis filter. Computes out[n] = sum over k of in[k] cos(n (2k + 1) pi / 64),
// n = 0..31, in single precision, without allocation.
#pragma once

#include <cstddef>

#include "control/decoder/synthesis/Lanes.h"

namespace aurion {

// in and out may not overlap; in is left unchanged.
void FastDct32(const float* in, float* out);

// The transforms of kLaneCount blocks at once, one per lane: input k of block
// `lane` is in[k * stride + lane] (all kLaneCount of a row must be readable),
// output n is out[n][lane]. Each lane takes exactly the operations of FastDct32
// in the same order, so its results are the same bits.
void FastDct32Lanes(const float* in, size_t stride, Lanes* out);

}  // namespace aurion
