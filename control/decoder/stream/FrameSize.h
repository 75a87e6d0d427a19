// Frame sizes from header fields (ISO/IEC 11172-3, clause 2.4.3.1; ISO/IEC 13818-3
// halves the Layer III size at the low sampling frequencies) and the check that
// decides whether a header word is one this reader can hold. Both the sync search
// and the header parser use them, so a header that enters is always in range.
#pragma once

#include <cstdint>

namespace aurion {

// Header word bit fields (big-endian word, first file byte in bits 31..24).
[[nodiscard]] constexpr uint32_t HeaderVersion(uint32_t w) { return (w >> 19) & 1; }
// MPEG-2.5: the low sampling frequencies halved once more (the sync's last bit clear).
// Its Version is 0: it is decoded as the low-sampling-frequency Layer III it extends.
[[nodiscard]] constexpr bool HeaderMpeg25(uint32_t w) { return ((w >> 20) & 1) == 0; }
[[nodiscard]] constexpr uint32_t HeaderLayer(uint32_t w) { return (4 - ((w >> 17) & 3)) & 3; }
[[nodiscard]] constexpr uint32_t HeaderNoChecksum(uint32_t w) { return (w >> 16) & 1; }
[[nodiscard]] constexpr uint32_t HeaderBitrateIndex(uint32_t w) { return (w >> 12) & 15; }
[[nodiscard]] constexpr uint32_t HeaderFrequencyIndex(uint32_t w) { return (w >> 10) & 3; }
[[nodiscard]] constexpr uint32_t HeaderPadding(uint32_t w) { return (w >> 9) & 1; }
[[nodiscard]] constexpr uint32_t HeaderMode(uint32_t w) { return (w >> 6) & 3; }

constexpr uint32_t SingleChannelMode = 3;

// Frame size in bytes, header included, by integer arithmetic exactly as the frame
// layout defines it. Layer 0 or a zero bit rate gives 0.
[[nodiscard]] uint32_t FrameBytes(uint32_t layer, uint32_t version, uint32_t bitrateIndex,
                                  uint32_t frequencyIndex, uint32_t padding, bool mpeg25 = false);

// Hz of a stream's sampling frequency.
[[nodiscard]] uint32_t SamplingFrequency(uint32_t version, uint32_t frequencyIndex, bool mpeg25);

// Layer III side information bytes (ISO/IEC 11172-3, clause 2.4.1.7; ISO/IEC 13818-3).
[[nodiscard]] uint32_t SideInfoBytes(uint32_t version, uint32_t mode);

// Frame size of a header word that can be read, or 0 when it cannot: reserved
// version, MPEG-2.5 other than Layer III, reserved layer,
// free format or forbidden bit-rate index, reserved sampling frequency, a body larger
// than the frame buffer, a body too small for the checksum word, or a Layer III
// frame too small for its side information.
[[nodiscard]] uint32_t ReadableFrameBytes(uint32_t headerWord);

}  // namespace aurion
