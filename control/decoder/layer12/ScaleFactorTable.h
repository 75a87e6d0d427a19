// The scale factors of Layers I and II (ISO/IEC 11172-3, Table B.1): index i
// gives 2^(1 - i/3) for i = 0..62. Index 63 is not a valid scale factor and gives
// 0, so a frame that uses it is silent in that part instead of loud.
#pragma once

#include <array>

namespace aurion {

extern const std::array<float, 64> ScaleFactorTable;

}  // namespace aurion
