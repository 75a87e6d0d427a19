// The synthesis window of ISO/IEC 11172-3, Table 3-B.3 (the coefficients D[i],
// i = 0..511), unscaled, stored by output sample: row i (0..31) holds the 16
// coefficients D[i + 32 j], j = 0..15, that output sample i of the polyphase
// filter is windowed with.
#pragma once

namespace aurion {

inline constexpr int kSynthesisWindowRows = 32;
inline constexpr int kSynthesisWindowTaps = 16;

// kSynthesisWindow[i][j] = D[i + 32 j].
extern const float kSynthesisWindow[kSynthesisWindowRows][kSynthesisWindowTaps];

// D[index] of the standard's numbering, index 0..511.
[[nodiscard]] inline float SynthesisWindowCoefficient(int index) {
    return kSynthesisWindow[index % kSynthesisWindowRows][index / kSynthesisWindowRows];
}

}  // namespace aurion
