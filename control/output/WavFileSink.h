// The sink that writes a session's PCM into a RIFF/WAVE file (16-bit PCM, "fmt "
// chunk of 18 bytes, samples interleaved left first) through the platform's
// buffered RIFF I/O. Each decoded frame adds exactly FrameBytes() to the file;
// the chunk sizes are written when the sink is destroyed. A sink whose opening,
// writing or finishing failed (a full disk) reports that once, with the system's
// reason, answers Failed() and takes no more audio; its file is then cut to the
// whole sample frames that reached the disk and finished with sizes that match,
// so it is still a valid WAV file, or removed when no sample reached it or it
// cannot be finished.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/decoder/SampleSink.h"
#include "control/output/FrameBytes.h"
#include "control/output/OutputFailure.h"
#include "platform/mmio/Mmio.h"

namespace aurion {

class WavFileSink final : public SampleSink {
public:
    static constexpr uint32_t HeaderBytes = 46;
    // The file's I/O buffer: large writes keep the kernel's share of a whole-file
    // decode small.
    static constexpr size_t IoBufferBytes = 64 * 1024;

    // channels is 1 or 2; frameBytes as FrameBytes gives it. The report outlives the sink.
    WavFileSink(const std::string& path, int channels, uint32_t sampleRate, uint32_t frameBytes,
                OutputFailureReport& report);
    ~WavFileSink() override;
    WavFileSink(const WavFileSink&) = delete;
    WavFileSink& operator=(const WavFileSink&) = delete;

    void Append(int channel, int16_t sample) override;
    void AppendBlock(int channel, const int16_t* samples, size_t count) override;
    void WriteBuffer() override;
    // A seek simply continues the file, and stop and end of stream both finish it.
    void ClearBuffer() override {}
    void Abort() override {}
    void WritePartialBuffer() override;
    [[nodiscard]] bool Failed() const override { return m_failed; }

    [[nodiscard]] uint32_t FrameBytes() const { return m_frameBytes; }

private:
    void WriteBytes(size_t count);
    bool Open(const std::string& path, uint32_t sampleRate);
    void Fail(OutputFailure failure, int systemError = 0);
    // Finishes the file after a failure as what reached the disk, or removes it.
    void KeepWhatWasWritten();
    void ResetPositions();

    std::string m_path;
    std::vector<uint32_t> m_position;  // byte offset of each channel's next sample
    int m_channels;
    uint32_t m_frameBytes;
    OutputFailureReport& m_report;
    std::vector<uint8_t> m_frame;
    std::unique_ptr<platform::MmioFile> m_file;
    platform::MmioInfo m_info;
    platform::MmChunkInfo m_riff;
    platform::MmChunkInfo m_data;
    bool m_failed = false;
};

}  // namespace aurion
