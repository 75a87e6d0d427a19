// The PCM output interface between the decoder and the outputs. The filters
// append 16-bit samples a block at a time; a sink places each by its channel index
// (its own write position per channel), not by arrival order.
#pragma once

#include <cstddef>
#include <cstdint>

namespace aurion {

class SampleSink {
public:
    virtual ~SampleSink() = default;
    // channel 0 or 1.
    virtual void Append(int channel, int16_t sample) = 0;
    // The same as Append for each of `count` samples of one channel in turn; the
    // filters hand over their 32 samples at once this way, so a sink may override
    // it to place a whole block with one call.
    virtual void AppendBlock(int channel, const int16_t* samples, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            Append(channel, samples[i]);
        }
    }
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
