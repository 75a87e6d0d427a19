#include "platform/waveout/SampleVolume.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

constexpr int32_t FullVolume = 0xFFFF;
constexpr uint32_t PeakLimit = 32767;  // the peak meter's upper bound

}  // namespace

uint32_t ApplyVolume(std::span<int16_t> samples, uint32_t channels, uint32_t volume) {
    const int32_t left = static_cast<int32_t>(volume & 0xFFFF);
    const int32_t right = channels == 2 ? static_cast<int32_t>(volume >> 16) : left;
    uint32_t peak = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const int32_t level = i % channels == 0 ? left : right;
        int32_t sample = samples[i];
        if (level != FullVolume) {
            sample = sample * level / FullVolume;
            samples[i] = static_cast<int16_t>(sample);
        }
        peak = std::max(peak, static_cast<uint32_t>(std::abs(sample)));
    }
    return std::min(peak, PeakLimit);
}

}  // namespace platform
