// Reordering of short-block lines for the hybrid filterbank (ISO/IEC 11172-3
// clause 2.4.3.4.8): the three windows of each short band, stored window after
// window, are interleaved line by line so that subband sb's 18 lines hold
// 3 m + w (line m of window w). Long blocks pass unchanged; mixed blocks keep
// lines 0..35 and reorder the short bands from band 3 on.
#pragma once

#include <array>
#include <cstddef>

#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

// nonzeroLines: input is zero from that line on. Returns the same bound for hybrid.
size_t Reorder(const GranuleInfo& granule, const ScaleFactorBands& bands,
               const std::array<float, 576>& input, std::array<float, 576>& hybrid,
               size_t nonzeroLines = 576);

}  // namespace aurion
