// The eight alias-reduction coefficients c[i] of Layer III (ISO/IEC 11172-3,
// Table B.9) and the butterfly factors cs = 1 / sqrt(1 + c^2), ca = c x cs built
// from them once per process.
#pragma once

#include <array>

namespace aurion {

inline constexpr std::array<double, 8> AliasCoefficients = {-0.6,   -0.535, -0.33,   -0.185,
                                                            -0.095, -0.041, -0.0142, -0.0037};

struct AliasButterflies {
    std::array<float, 8> cs;
    std::array<float, 8> ca;
};

// Built on first use; safe when several decoders start at once.
[[nodiscard]] const AliasButterflies& AliasTables();

}  // namespace aurion
