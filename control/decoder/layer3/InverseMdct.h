// The Layer III inverse MDCT with windowing (ISO/IEC 11172-3, clause
// 2.4.3.4.10.2) for one subband: 18 frequency lines in, 36 windowed time samples
// out, ready for the overlap-add. The overlap itself is the caller's.
#pragma once

#include <cstdint>

namespace aurion {

inline constexpr int kImdctLines = 18;
inline constexpr int kImdctOutputs = 36;

// input: 18 lines; output: 36 samples (overwritten entirely).
// blockType 0 normal, 1 start, 3 stop: one 36-point transform,
//   output[i] = window[i] x sum over k of input[k] cos(pi / 72 (2i + 1 + 18)(2k + 1)).
// blockType 2 short: three 12-point transforms on the lines 3m + w (the reordered
//   layout), windowed with the short window, overlapped into output[6 + 6w + i];
//   output[0..5] and output[30..35] are 0.
// Any other block type is treated as 0.
void InverseMdct(const float* input, float* output, uint32_t blockType);

// Eight subbands of long blocks side by side, one in each lane: input[k] holds line
// k of every lane's subband, output[i] sample i. Each lane gets exactly the values
// InverseMdct gives for its subband (blockType 0, 1 or 3, the same for all lanes;
// anything else is 0).
inline constexpr int kImdctLanes = 8;
using ImdctLanes = float __attribute__((vector_size(kImdctLanes * sizeof(float))));
void InverseMdctLanes(const ImdctLanes* input, ImdctLanes* output, uint32_t blockType);

}  // namespace aurion
