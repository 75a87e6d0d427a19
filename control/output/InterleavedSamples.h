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
        // The sample's own bytes are already in file order.
        size_t i = 0;
        if (step == 2) {
            if (n != 0) {  // an empty block may come without samples
                std::memcpy(data + at, samples, n * sizeof(int16_t));
            }
            return at + static_cast<uint32_t>(2 * n);
        }
        if (step == 4 && (at & 1) == 0) {
            // Two channels: each sample pair is one 32-bit word, channel 0 in its low
            // half. Replacing this channel's half and keeping the other's is a loop of
            // whole words, which the compiler vectorizes; words that would reach past
            // the end are left to the sample stores below.
            const uint32_t half = at & 2;
            const uint32_t base = at - half;
            const size_t words = end >= base ? (end - base) / 4 : 0;
            const size_t whole = n < words ? n : words;
            const uint32_t shift = 8 * half;
            const uint32_t keep = ~(uint32_t{0xFFFF} << shift);
            uint8_t* word = data + base;
            for (; i < whole; ++i) {
                uint32_t pair;
                std::memcpy(&pair, word + 4 * i, sizeof pair);
                pair = (pair & keep) | (uint32_t{static_cast<uint16_t>(samples[i])} << shift);
                std::memcpy(word + 4 * i, &pair, sizeof pair);
            }
            at += static_cast<uint32_t>(4 * whole);
        }
        for (; i < n; ++i) {
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
