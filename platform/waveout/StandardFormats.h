// The standard formats of a device's capability mask: which rate, channel count and
// sample size each flag of WaveFormats stands for.
#pragma once

#include <array>
#include <cstdint>

#include "platform/waveout/WaveOut.h"

namespace platform {

struct StandardFormat {
    uint32_t Flag;
    uint32_t SamplesPerSec;
    uint32_t Channels;
    uint32_t BitsPerSample;
};

inline constexpr std::array<StandardFormat, 16> StandardFormats{{
    {WaveFormats::Mono8_11k, 11025, 1, 8},
    {WaveFormats::Stereo8_11k, 11025, 2, 8},
    {WaveFormats::Mono16_11k, 11025, 1, 16},
    {WaveFormats::Stereo16_11k, 11025, 2, 16},
    {WaveFormats::Mono8_22k, 22050, 1, 8},
    {WaveFormats::Stereo8_22k, 22050, 2, 8},
    {WaveFormats::Mono16_22k, 22050, 1, 16},
    {WaveFormats::Stereo16_22k, 22050, 2, 16},
    {WaveFormats::Mono8_44k, 44100, 1, 8},
    {WaveFormats::Stereo8_44k, 44100, 2, 8},
    {WaveFormats::Mono16_44k, 44100, 1, 16},
    {WaveFormats::Stereo16_44k, 44100, 2, 16},
    {WaveFormats::Mono8_96k, 96000, 1, 8},
    {WaveFormats::Stereo8_96k, 96000, 2, 8},
    {WaveFormats::Mono16_96k, 96000, 1, 16},
    {WaveFormats::Stereo16_96k, 96000, 2, 16},
}};

// The mask of a device that plays every standard format.
inline constexpr uint32_t AllStandardFormats = [] {
    uint32_t mask = 0;
    for (const StandardFormat& format : StandardFormats) mask |= format.Flag;
    return mask;
}();

}  // namespace platform
