// A 32-point DCT of Lee's recursive type, the matrixing step of the polyphase
// synthesis filter. Computes out[n] = sum over k of in[k] cos(n (2k + 1) pi / 64),
// n = 0..31, in single precision, without allocation.
#pragma once

namespace aurion {

// in and out may not overlap; in is left unchanged.
void FastDct32(const float* in, float* out);

}  // namespace aurion
