#include "control/player/WavTargetSize.h"

#include "control/output/WavFileSink.h"

namespace aurion {

uint64_t WavTargetBytes(float totalMs, uint32_t sampleRate, int channels) {
    constexpr double BytesPerSample = 2.0;
    const double bytes =
        static_cast<double>(totalMs) * 0.001 * sampleRate * channels * BytesPerSample;
    return WavFileSink::HeaderBytes + (bytes > 0.0 ? static_cast<uint64_t>(bytes) : 0);
}

}  // namespace aurion
