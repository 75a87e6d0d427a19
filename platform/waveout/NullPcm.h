// The built-in null device: it consumes audio at the real-time rate of its format,
// sleeping to a steady-clock schedule, and appends every sample it plays to a capture
// file (raw 16-bit little-endian) when it was given one, so tests can hear it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/waveout/PcmBackend.h"

namespace platform {

class NullPcm final : public PcmBackend {
public:
    // An empty capture path captures nothing; a capture file that cannot be opened is
    // ignored, so playing never fails because of it.
    NullPcm(uint32_t channels, uint32_t samplesPerSec, const std::string& capturePath);
    ~NullPcm() override;

    NullPcm(const NullPcm&) = delete;
    NullPcm& operator=(const NullPcm&) = delete;

    WriteResult Write(std::span<const int16_t> samples) override;
    [[nodiscard]] uint64_t PlayedFrames() override;
    void Pause() override {}
    void Resume() override {}
    void Drop() override;
    // Its waits give way to Interrupt at once, so longer periods cost no reaction
    // time and wake the playback thread less often.
    [[nodiscard]] uint32_t PeriodsPerSecond() const override { return 25; }
    void Interrupt() override;
    void ClearInterrupt() override;

private:
    void Capture(std::span<const int16_t> samples);

    const uint32_t m_channels;
    const uint32_t m_samplesPerSec;
    std::FILE* m_capture = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_interrupted;
    bool m_interrupt = false;
    uint64_t m_played = 0;
    // When the frames taken so far have been played; in the past while idle.
    std::chrono::steady_clock::time_point m_due;
};

}  // namespace platform
