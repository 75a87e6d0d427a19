// The stage between a frame decoder and its sink that lets a seek start exactly at
// the frame asked for: the decoder runs over a few frames before it, so that the
// bit reservoir, the IMDCT overlap and the synthesis filters hold the target
// frame's history, and this stage drops what those frames give. Without it the
// first frames after a seek would be cut short or give nothing, and what is heard
// would start a frame or two late.
#pragma once

#include <cstdint>

#include "control/decoder/SampleSink.h"

namespace aurion {

class PrerollSink final : public SampleSink {
public:
    explicit PrerollSink(SampleSink& target) : m_target(target) {}

    // Frames a seek starts before its target for a layer: Layer III data may begin
    // up to 511 bytes before its frame (several frames at low bit rates), and every
    // layer's synthesis filter needs one frame of history.
    [[nodiscard]] static int32_t FramesFor(uint32_t layer) { return layer == 3 ? 10 : 1; }

    // While dropping, nothing reaches the target, not even the end of a frame.
    void SetDropping(bool dropping) { m_dropping = dropping; }

    void Append(int channel, int16_t sample) override {
        if (!m_dropping) m_target.Append(channel, sample);
    }
    void AppendBlock(int channel, const int16_t* samples, size_t count) override {
        if (!m_dropping) m_target.AppendBlock(channel, samples, count);
    }
    void WriteBuffer() override {
        if (!m_dropping) m_target.WriteBuffer();
    }
    void WritePartialBuffer() override {
        if (!m_dropping) m_target.WritePartialBuffer();
    }
    void ClearBuffer() override { m_target.ClearBuffer(); }
    void Abort() override { m_target.Abort(); }
    [[nodiscard]] bool Failed() const override { return m_target.Failed(); }

private:
    SampleSink& m_target;
    bool m_dropping = false;
};

}  // namespace aurion
