// The sink that writes a session's PCM into a RIFF/WAVE file (16-bit PCM, "fmt "
// chunk of 18 bytes, samples interleaved left first) through the platform's
// buffered RIFF I/O. Each decoded frame adds exactly FrameBytes() to the file;
// the chunk sizes are written when the sink is destroyed. A sink whose opening
// or writing failed reports that once, answers Failed(), takes no more audio
// and leaves its file as far as it got, without sizes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/decoder/SampleSink.h"
#include "platform/mmio/Mmio.h"

namespace aurion {

// How an output reports a failure: a constant text, the control's error number,
// and whether the failure ends the session (opening and writing) or not
// (finishing the file, when the session is ending anyway).
using SinkFailureReport = std::function<void(const char* text, uint16_t error, bool endsSession)>;

// Bytes of one frame of 16-bit output: 1152 samples per channel, 576 for MPEG-2
// Layer III (version 0), 384 for Layer I.
[[nodiscard]] uint32_t WavFrameBytes(int channels, uint32_t version, uint32_t layer);

class WavFileSink final : public SampleSink {
public:
    static constexpr uint32_t HeaderBytes = 46;

    // channels is 1 or 2; frameBytes as WavFrameBytes gives it.
    WavFileSink(const std::string& path, int channels, uint32_t sampleRate, uint32_t frameBytes,
                SinkFailureReport report);
    ~WavFileSink() override;
    WavFileSink(const WavFileSink&) = delete;
    WavFileSink& operator=(const WavFileSink&) = delete;

    void Append(int channel, int16_t sample) override;
    void WriteBuffer() override;
    // A seek simply continues the file, and stop and end of stream both finish it.
    void ClearBuffer() override {}
    void Abort() override {}
    [[nodiscard]] bool Failed() const override { return m_failed; }

    [[nodiscard]] uint32_t FrameBytes() const { return m_frameBytes; }

private:
    bool Open(const std::string& path, uint32_t sampleRate);
    void Fail(const char* text, uint16_t error);
    void ResetPositions();

    std::vector<uint32_t> m_position;  // byte offset of each channel's next sample
    int m_channels;
    uint32_t m_frameBytes;
    SinkFailureReport m_report;
    std::vector<uint8_t> m_frame;
    std::unique_ptr<platform::MmioFile> m_file;
    platform::MmioInfo m_info;
    platform::MmChunkInfo m_riff;
    platform::MmChunkInfo m_data;
    bool m_failed = false;
};

}  // namespace aurion
