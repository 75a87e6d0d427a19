// A 32-point DCT of Lee's recursive type, the matrixing step of the polyphase
// synthesis filter. Computes out[n] = sum over k of in[k] cos(n (2k + 1) pi / 64),
// n = 0..31, in single precision, without allocation.
#pragma once

namespace aurion {

// in and out may not overlap; in is left unchanged.
void FastDct32(const float* in, float* out);

// The transforms of kDctLanes blocks at once, one per lane: in[k][lane] is input k
// of block `lane`, out[n][lane] its output n. Each lane takes exactly the
// operations of FastDct32 in the same order, so its results are the same bits.
inline constexpr int kDctLanes = 8;
void FastDct32Lanes(const float (*in)[kDctLanes], float (*out)[kDctLanes]);

}  // namespace aurion
