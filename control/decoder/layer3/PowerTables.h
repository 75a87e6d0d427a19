// The power tables of Layer III requantization and LSF intensity stereo, built
// once per process on first use (thread-safe) and shared by all decoders:
// Pow43[i] = i^(4/3) for i = 0..1023, PowHalf[i] = 2^(-i/2) for i = 0..63, and
// IntensityPow[row][i] = io^i for i = 0..31 with io = 2^(-1/4) (row 0) or
// 2^(-1/2) (row 1) (ISO/IEC 13818-3, intensity_scale).
#pragma once

#include <array>

namespace aurion {

struct PowerTableSet {
    std::array<float, 1024> pow43;
    std::array<float, 64> powHalf;
    std::array<std::array<float, 32>, 2> intensityPow;
};

[[nodiscard]] const PowerTableSet& PowerTables();

}  // namespace aurion
