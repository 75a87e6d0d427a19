// A buffer of 16-bit samples with its wave-output header, for tests that play
// through the wave-output layer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/waveout/WaveOut.h"

namespace platform::test {

class WaveOutBuffer {
public:
    explicit WaveOutBuffer(std::vector<int16_t> samples) : m_samples(std::move(samples)) {
        for (int16_t sample : m_samples) {
            const auto value = static_cast<uint16_t>(sample);
            m_bytes.push_back(static_cast<uint8_t>(value & 0xFF));
            m_bytes.push_back(static_cast<uint8_t>(value >> 8));
        }
        Header.Data = m_bytes.data();
        Header.BufferLength = static_cast<uint32_t>(m_bytes.size());
    }
    WaveOutBuffer(const WaveOutBuffer&) = delete;
    WaveOutBuffer& operator=(const WaveOutBuffer&) = delete;

    [[nodiscard]] const std::vector<int16_t>& Samples() const { return m_samples; }

    WaveHeader Header;

private:
    std::vector<int16_t> m_samples;
    std::vector<uint8_t> m_bytes;
};

// Samples that differ from their neighbours, so a lost or repeated period shows:
// `frames` frames of `channels` channels, starting at `first`.
inline std::vector<int16_t> CountingSamples(size_t frames, uint32_t channels, int first = 0) {
    std::vector<int16_t> samples(frames * channels);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((first + static_cast<int>(i)) % 30000 - 15000);
    return samples;
}

}  // namespace platform::test
