// The sink that plays a session's PCM through a wave-output device. It collects 32
// frames' worth of samples per buffer in a ring of three, starts the device only
// once two buffers are full, and then paces the decoding thread: before it refills
// the oldest buffer it waits until the device has played it (woken by the device,
// SharedWaveDevice). Buffers fill by samples, not by frame count, so a frame cut
// short (the start and end of a trimmed signal) leaves no gap: what a frame adds
// beyond a full buffer opens the next one. A changed speed shortens (drops sample
// pairs) or lengthens (repeats them) each buffer before it is handed over; the
// speed is read as each buffer fills.
//
// The waits watch the session's stop and seek requests (whoever sets one wakes the
// device's waiter), so a Stop or a seek is acted on at once instead of after the
// playing buffer. At the end of the stream
// the held-back and partly filled buffers are played out (the last one padded with
// silence) and waited for; after Abort they are dropped instead.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "control/decoder/SampleSink.h"
#include "control/output/OutputFailure.h"
#include "control/output/SharedWaveDevice.h"
#include "platform/waveout/WaveOut.h"

namespace aurion {

// What the sink sees of its session.
struct WaveOutView {
    uint32_t DeviceNumber;
    SharedWaveDevice& Device;
    const std::atomic<int32_t>& SpeedPercent;  // 50..1000
    const std::atomic<bool>& StopRequest;
    const std::atomic<bool>& SeekRequest;
};

class WaveOutSink final : public SampleSink {
public:
    static constexpr uint32_t FramesPerBuffer = 32;

    // channels is 1 or 2; frameBytes as FrameBytes gives it. View and report outlive
    // the sink. A device that cannot be opened is reported as WaveOutOpen.
    WaveOutSink(int channels, const WaveOutView& view, uint32_t sampleRate, uint32_t frameBytes,
                OutputFailureReport& report);
    ~WaveOutSink() override;
    WaveOutSink(const WaveOutSink&) = delete;
    WaveOutSink& operator=(const WaveOutSink&) = delete;

    void Append(int channel, int16_t sample) override;
    void AppendBlock(int channel, const int16_t* samples, size_t count) override;
    void WriteBuffer() override;
    // The frame's samples are already in place, however few: the same as WriteBuffer.
    void WritePartialBuffer() override { WriteBuffer(); }
    void ClearBuffer() override;
    void Abort() override { m_abort = true; }
    [[nodiscard]] bool Failed() const override { return m_failed; }

    // The interval of the speed transform for a speed in percent: every I-th value
    // a pair is dropped (below 100) or repeated (above); 0 at 100.
    [[nodiscard]] static uint32_t SpeedInterval(int32_t percent);
    // Shortens or lengthens `count` 16-bit values in place (scratch holds the
    // lengthened sequence); returns the new count, even, never more than fits.
    [[nodiscard]] static size_t TransformSpeed(int16_t* values, size_t count, int16_t* scratch,
                                               size_t capacity, int32_t percent);

private:
    struct Buffer {
        std::vector<uint8_t> Data;
        platform::WaveHeader Header;
        bool Submitted = false;
    };

    void Rotate();
    // `streamBytes`: how much of the buffer is the stream's; a short one is padded.
    void Submit(Buffer& buffer, bool transform, uint32_t streamBytes);
    // Waits until the device has played the buffer. With a stop or seek request
    // (stop only, when `watchSeek` is false) it gives up and returns false.
    bool WaitUntilPlayed(Buffer& buffer, bool watchSeek);
    [[nodiscard]] bool Interrupted(bool watchSeek) const;
    void ResetPositions();
    // Starts the buffer being filled with what the last full one held beyond its end.
    void PlaceCarry();

    std::array<uint32_t, 2> m_position{};  // byte offset of each channel's next sample
    int m_channels;
    WaveOutView m_view;
    OutputFailureReport& m_report;
    std::array<Buffer, 3> m_buffers;
    std::array<Buffer*, 3> m_ring{};  // slot 2 is always the buffer being filled
    std::vector<uint8_t> m_carry;     // a full buffer's bytes beyond its nominal length
    int m_stage = 0;                  // buffers handed over at the start, up to 2
    uint32_t m_nominalBytes;
    uint32_t m_fillBytes;  // nominal plus room for one frame beyond it
    uint32_t m_allocationBytes;
    int32_t m_speed = 100;
    std::vector<int16_t> m_scratch;
    bool m_abort = false;
    bool m_failed = false;
    bool m_open = false;
};

}  // namespace aurion
