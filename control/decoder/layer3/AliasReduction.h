// The alias-reduction butterflies of Layer III (ISO/IEC 11172-3 clause
// 2.4.3.4.10.1) across the boundaries of neighbouring subbands: all 31 boundaries
// for long blocks, only the boundary between subbands 0 and 1 for mixed blocks,
// none for short blocks.
#pragma once

#include <array>
#include <cstddef>

#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

// nonzeroLines: hybrid is +0.0 from that line on. Returns the bound after the
// butterflies, a whole number of subbands.
size_t ReduceAliases(const GranuleInfo& granule, std::array<float, 576>& hybrid,
                     size_t nonzeroLines = 576);

}  // namespace aurion
