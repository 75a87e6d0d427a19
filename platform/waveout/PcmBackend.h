// What the playback thread of an open wave-output device plays into: an ALSA PCM or
// the null device. Only that thread calls it, except Interrupt, which Pause, Reset
// and Close use from any thread to make a blocked Write give up.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

class PcmBackend {
public:
    enum class WriteResult { Taken, Interrupted };

    virtual ~PcmBackend() = default;

    // Hands interleaved 16-bit frames to the device; blocks while it has no room for
    // them (about one period). Interrupted means none of them was taken.
    virtual WriteResult Write(std::span<const int16_t> samples) = 0;
    // Frames the device has played since it was opened or last dropped.
    [[nodiscard]] virtual uint64_t PlayedFrames() = 0;
    // Stops playing and keeps what was taken, so that Resume goes on without a gap or repeat.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Discards everything taken and not yet played.
    virtual void Drop() = 0;
    // How many periods a second the playback thread hands to Write: short periods
    // let a device that cannot be interrupted pause and reset quickly.
    [[nodiscard]] virtual uint32_t PeriodsPerSecond() const { return 100; }
    // Makes a blocked Write, and every later one, return Interrupted until ClearInterrupt.
    virtual void Interrupt() = 0;
    virtual void ClearInterrupt() = 0;
};

}  // namespace platform
