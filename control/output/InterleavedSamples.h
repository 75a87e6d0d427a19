// Placing one channel's 16-bit samples into an interleaved little-endian PCM
// buffer: each sample goes `step` bytes after the one before (2 bytes per channel),
// and never past the buffer's end, whatever the caller hands over.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace aurion {

// Stores as many of `count` samples as fit below `end` from byte `position` on
// and returns the position after the last one stored.
[[nodiscard]] inline uint32_t StoreInterleaved(uint8_t* data, uint32_t end, uint32_t position,
                                               uint32_t step, const int16_t* samples,
                                               size_t count) {
    // How many fit, checked once for the block.
    const size_t fitting = position + 2 <= end ? (end - position - 2) / step + 1 : 0;
    const size_t n = count < fitting ? count : fitting;
    uint32_t at = position;  // a local: the byte stores could alias the caller's members
    if constexpr (std::endian::native == std::endian::little) {
        // The sample's own bytes are already in file order: one 16-bit store each.
        for (size_t i = 0; i < n; ++i) {
            std::memcpy(data + at, samples + i, sizeof(int16_t));
            at += step;
        }
    } else {
        for (size_t i = 0; i < n; ++i) {
            const auto bits = static_cast<uint16_t>(samples[i]);
            data[at] = static_cast<uint8_t>(bits);
            data[at + 1] = static_cast<uint8_t>(bits >> 8);
            at += step;
        }
    }
    return at;
}

}  // namespace aurion
