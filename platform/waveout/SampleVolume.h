// The device volume applied to interleaved 16-bit samples: left (low word) scales
// channel 0, right (high word) channel 1, mono takes the left; 0xFFFF passes a
// sample unchanged, otherwise it becomes sample x volume / 65535.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Scales the samples in place and returns the peak of their absolute values, at most 32767.
uint32_t ApplyVolume(std::span<int16_t> samples, uint32_t channels, uint32_t volume);

}  // namespace platform
