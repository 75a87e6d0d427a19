// A SampleSink for the fuzz targets that keeps no samples but checks what it
// receives: samples only on the channels the session outputs, and every decoded
// frame (one WriteBuffer) exactly one frame's samples on each of them. A frame
// that gives no samples must leave nothing pending. A broken rule aborts, which
// libFuzzer reports as a crash with the input.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "control/decoder/SampleSink.h"
#include "control/decoder/stream/FrameHeader.h"

namespace aurion::fuzz {

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// Samples per channel of one frame of the header's layer and version.
[[nodiscard]] inline uint32_t SamplesPerFrame(const FrameHeader& header) {
    switch (header.Layer()) {
        case 1:
            return 384;
        case 2:
            return 1152;
        default:
            return header.Version() == 1 ? 1152 : 576;
    }
}

class CheckingSink final : public SampleSink {
public:
    // outputChannels: 1 or 2, as the session makes its sink.
    explicit CheckingSink(int outputChannels) : m_outputChannels(outputChannels) {}

    void Append(int channel, int16_t) override { Count(channel, 1); }
    void AppendBlock(int channel, const int16_t* samples, size_t count) override {
        if (count != 0 && samples == nullptr) Fail("null sample block");
        Count(channel, count);
    }
    void WriteBuffer() override {
        for (int channel = 0; channel < m_outputChannels; ++channel) {
            if (m_pending[channel] != m_expected) Fail("frame with a wrong sample count");
        }
        m_pending = {};
        ++m_frames;
    }
    void ClearBuffer() override { m_pending = {}; }
    void Abort() override {}

    // Before each frame: the samples per channel its WriteBuffer must bring.
    void ExpectFrame(uint32_t samples) {
        m_expected = samples;
        m_framesBefore = m_frames;
    }
    // After each frame: a frame without WriteBuffer left nothing behind.
    void CheckFrameEnd() const {
        if (m_frames == m_framesBefore && (m_pending[0] != 0 || m_pending[1] != 0)) {
            Fail("samples of a frame that was not written");
        }
    }
    [[nodiscard]] uint64_t Frames() const { return m_frames; }

private:
    void Count(int channel, size_t count) {
        if (channel < 0 || channel >= m_outputChannels) Fail("sample on a channel not output");
        m_pending[static_cast<size_t>(channel)] += count;
        if (m_pending[static_cast<size_t>(channel)] > m_expected) Fail("too many samples");
    }

    int m_outputChannels;
    std::array<uint64_t, 2> m_pending{};
    uint64_t m_expected = 0;
    uint64_t m_frames = 0;
    uint64_t m_framesBefore = 0;
};

}  // namespace aurion::fuzz
