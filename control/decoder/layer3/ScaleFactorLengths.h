// The bit widths of the MPEG-1 Layer III scale factors for each of the 16
// scalefac_compress values (ISO/IEC 11172-3, clause 2.4.2.7, slen1 and slen2).
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

inline constexpr std::array<uint8_t, 16> ScaleFactorSlen1 = {0, 0, 0, 0, 3, 1, 1, 1,
                                                             2, 2, 2, 3, 3, 3, 4, 4};
inline constexpr std::array<uint8_t, 16> ScaleFactorSlen2 = {0, 1, 2, 3, 0, 1, 2, 3,
                                                             1, 2, 3, 1, 2, 3, 2, 3};

}  // namespace aurion
