// What a wave-output device has played, in samples of the stream: the device counts
// the sample frames it has played since it was opened or reset, but a buffer it
// plays may be longer or shorter than the stream's samples it carries (the speed
// setting), and the last one is padded with silence. The clock keeps, for every
// stretch handed to the device since then, how many frames of each it holds, and
// maps the device's count back to the stream's. Not thread-safe by itself.
#pragma once

#include <cstdint>
#include <deque>

namespace aurion {

class PlaybackClock {
public:
    // The device was opened or reset: nothing is queued, nothing played.
    void Restart();
    // A stretch handed to the device: `streamFrames` of the stream played as
    // `deviceFrames`, spread evenly; silence is a stretch with no stream frames.
    void Queue(uint32_t streamFrames, uint32_t deviceFrames);
    // The stream's frames heard when the device has played `deviceFrames` since the
    // restart; calls come with counts that never go down.
    [[nodiscard]] uint64_t StreamFramesPlayed(uint64_t deviceFrames);

private:
    struct Span {
        uint64_t DeviceEnd;  // device frames queued up to the span's end
        uint64_t StreamEnd;  // stream frames queued up to the span's end
        uint32_t DeviceFrames;
        uint32_t StreamFrames;
    };

    std::deque<Span> m_spans;  // queued and not yet played through
    uint64_t m_deviceQueued = 0;
    uint64_t m_streamQueued = 0;
    uint64_t m_streamPlayedThrough = 0;  // the stream's frames of the spans played through
};

}  // namespace aurion
