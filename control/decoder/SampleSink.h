// The PCM output interface between the decoder and the outputs. The filters
// append 16-bit samples one by one; a sink places each by its channel index (its
// own write position per channel), not by arrival order.
#pragma once

#include <cstdint>

namespace aurion {

class SampleSink {
public:
    virtual ~SampleSink() = default;
    // channel 0 or 1.
    virtual void Append(int channel, int16_t sample) = 0;
    // Called once after all samples of a decoded frame.
    virtual void WriteBuffer() = 0;
    // Ends a frame of which only the samples appended are to be kept (the first
    // and last frames of a trimmed signal). Sinks that can only take whole frames
    // write the whole frame.
    virtual void WritePartialBuffer() { WriteBuffer(); }
    // Called before a seek: drop everything pending.
    virtual void ClearBuffer() = 0;
    // Makes the coming destruction discard queued audio instead of playing it out.
    virtual void Abort() = 0;
    // True once the sink can take no more audio (its file or device failed and it
    // has reported that); the session then ends at once.
    [[nodiscard]] virtual bool Failed() const { return false; }
};

// The output channel choice of a session.
enum class ChannelChoice : int { Both = 0, Left = 1, Right = 2, Mix = 3 };

}  // namespace aurion
