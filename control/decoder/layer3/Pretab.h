// The preemphasis added to the long-block scale factors when preflag is set
// (ISO/IEC 11172-3, Table B.6, pretab), one entry per long band 0..21.
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

inline constexpr std::array<uint8_t, 22> Pretab = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                   1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0};

}  // namespace aurion
