// The MPEG-1 intensity-stereo ratios tan(p x pi / 12) for positions p = 0..5
// (ISO/IEC 11172-3, clause 2.4.3.4.9.3), with 1.0e11 for p = 6 (pi / 2: all in the
// left channel). Positions of 7 and above are not intensity coded.
#pragma once

#include <array>

namespace aurion {

inline constexpr std::array<float, 7> IntensityRatio = {0.0f,       0.2679492f, 0.5773503f, 1.0f,
                                                        1.7320508f, 3.7320509f, 1.0e11f};

// The intensity position that marks a line as not intensity coded.
inline constexpr int NoIntensityPosition = 7;

}  // namespace aurion
