// Constant tables of the MPEG audio frame header: bit rates, sampling frequencies
// and the play time of one frame. Indexes come from header fields that are at most
// 4 bits wide, so every table covers its whole index range.
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

// Bits per second, [Version][Layer - 1][BitrateIndex]; Version 1 is MPEG-1
// (ISO/IEC 11172-3, clause 2.4.2.3, bitrate_index), Version 0 the low sampling
// frequencies (ISO/IEC 13818-3, clause 2.4.2.3). Index 0 (free format) and 15
// (forbidden) hold 0.
extern const std::array<std::array<std::array<uint32_t, 16>, 3>, 2> BitrateTable;

// Hz, [Version][FrequencyIndex] (ISO/IEC 11172-3 and 13818-3, sampling_frequency).
// The reserved index 3 holds 1 so that a division by it cannot trap.
extern const std::array<std::array<uint32_t, 4>, 2> SamplingFrequencyTable;

// Hz of MPEG-2.5 (Layer III only), [FrequencyIndex]: the LSF rates halved.
extern const std::array<uint32_t, 4> Mpeg25SamplingFrequencyTable;

// Milliseconds per frame, [Layer][FrequencyIndex] (not by Version): 384 samples
// for Layer I and 1152 for Layers II and III at the MPEG-1 rates. Row 0 (the
// reserved layer) holds 0.
extern const std::array<std::array<float, 3>, 4> MsPerFrameTable;

}  // namespace aurion
