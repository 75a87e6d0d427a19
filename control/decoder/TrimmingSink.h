// The stage between a frame decoder and its sink that keeps only a stretch of the
// decoded signal: the encoder's delay at the start and its padding at the end are
// dropped, so that the output is the signal the encoder was given. Samples are
// placed by the frame they belong to (StartFrame), so frames that give no samples
// (after a seek) cannot shift what is kept.
#pragma once

#include <array>
#include <cstdint>

#include "control/decoder/SampleSink.h"

namespace aurion {

class TrimmingSink final : public SampleSink {
public:
    // Keeps the samples (per channel) numbered keepFrom .. keepTo - 1 of the signal.
    TrimmingSink(SampleSink& target, uint32_t samplesPerFrame, uint64_t keepFrom, uint64_t keepTo);

    // The samples appended next belong to `frame`.
    void StartFrame(int32_t frame);

    void Append(int channel, int16_t sample) override;
    // The block's kept part goes on as one block.
    void AppendBlock(int channel, const int16_t* samples, size_t count) override;
    void WriteBuffer() override;
    void ClearBuffer() override { m_target.ClearBuffer(); }
    void Abort() override { m_target.Abort(); }
    [[nodiscard]] bool Failed() const override { return m_target.Failed(); }

private:
    SampleSink& m_target;
    uint32_t m_samplesPerFrame;
    uint64_t m_keepFrom;
    uint64_t m_keepTo;
    std::array<uint64_t, 2> m_next{};  // number of each channel's next sample
    bool m_kept = false;               // something of the frame was kept
    bool m_dropped = false;            // something of the frame was dropped
};

}  // namespace aurion
