// Bytes of one decoded frame of 16-bit output, for sizing the outputs' buffers.
#pragma once

#include <cstdint>

namespace aurion {

// 1152 samples per channel, 576 for MPEG-2 Layer III (version 0), 384 for Layer I.
[[nodiscard]] constexpr uint32_t FrameBytes(int channels, uint32_t version, uint32_t layer) {
    constexpr uint32_t SamplesPerFrame = 1152;  // ISO/IEC 11172-3, Layers II and III
    uint32_t bytes = static_cast<uint32_t>(channels) * SamplesPerFrame * 2;
    // An MPEG-2 Layer III frame holds one granule; Layers I and II keep their
    // MPEG-1 frame lengths at the low sampling frequencies.
    if (version == 0 && layer == 3) bytes /= 2;
    if (layer == 1) bytes /= 3;
    return bytes;
}

}  // namespace aurion
