// The polyphase synthesis filterbank of ISO/IEC 11172-3 (clause 2.4.3.5.2.2 and
// Annex A, Figure A.2) for one output channel: blocks of 32 subband samples in,
// 32 scaled and clipped 16-bit PCM samples out to a SampleSink.
//
// Blocks are filtered up to kLaneCount at a time: their DCTs run side by side,
// one block per vector lane, and their V vectors are turned from lanes into
// columns with a few 8 x 8 transpositions. The windowing then goes block by block.
//
// The history of V vectors is kept pre-split by the standard's U selection: the
// first half of each block's V vector goes into the actual buffer and the second
// half into the other one, and the two swap after every block, so the values
// output sample i is windowed with are entry i of 16 consecutive columns of one
// buffer. Each buffer holds its columns newest first: a batch's blocks take the
// columns in front of the newest, and only when the front is reached do the 15
// newest move back to the end, once every few batches. Nothing is allocated
// after construction.
#pragma once

#include <cstddef>
#include <cstdint>

#include "control/decoder/SampleSink.h"
#include "control/decoder/synthesis/Lanes.h"

namespace aurion {

class PolyphaseFilter {
public:
    // channel: the index handed to the sink (0 or 1). scale: the factor from the
    // filter's full scale 1.0 to 16-bit PCM (32768.0 for the standard output).
    PolyphaseFilter(int channel, float scale);

    PolyphaseFilter(const PolyphaseFilter&) = default;
    PolyphaseFilter& operator=(const PolyphaseFilter&) = default;

    // Zeroes all history and the pending block; channel and scale stay.
    void Reset();

    // Filters `count` consecutive blocks: subband sb of block t is
    // subbands[sb * stride + t]. Their 32 * count PCM samples go to the sink in
    // order, several blocks per sink.AppendBlock(Channel(), ...). The pending
    // block is left as it is.
    void Synthesize(const float* subbands, size_t stride, size_t count, SampleSink& sink);

    // The one-block form: stores one subband sample of the pending block. A
    // subband outside 0..31 is ignored. Unwritten subbands of a block are 0.
    void InputSample(float value, int subband) {
        if (subband >= 0 && subband < kSubbands) {
            m_samples[subband] = value;
        }
    }

    // Turns the pending block into 32 PCM samples, appends them in order with
    // sink.AppendBlock(Channel(), ...), advances the history and clears the block.
    void CalculatePcmSamples(SampleSink& sink);

    [[nodiscard]] int Channel() const { return m_channel; }
    [[nodiscard]] float Scale() const { return m_scale; }

    static constexpr int kSubbands = 32;

private:
    static constexpr int kHistory = 16;

    // Column c of a buffer holds one block's 32 half-vector values; the newest
    // is at m_front, the ones before it at ascending columns.
    static constexpr int kColumns = kHistory - 1 + 4 * kLaneCount;
    using VBuffer = float[kColumns][kSubbands];

    // Filters one batch of 1..kLaneCount blocks: lanes firstLane .. firstLane +
    // blocks - 1 of the subbands at subbands[sb * stride + lane] (all kLaneCount
    // lanes readable). pcm has room for kLaneCount blocks.
    void SynthesizeBatch(const float* subbands, size_t stride, size_t firstLane, size_t blocks,
                         int16_t* pcm);

    VBuffer m_v[2];
    int m_actualV = 0;
    size_t m_front = kColumns - (kHistory - 1);
    float m_samples[kSubbands];
    int32_t m_channel;
    float m_scale;
};

// The filter's conversion to 16-bit PCM: above 32767.0 gives 32767, below
// -32768.0 gives -32768, anything else is truncated toward zero. A NaN from
// corrupt input, which would make the conversion undefined, is silence. Written
// as selections without branches, so that a loop over a block vectorizes.
[[nodiscard]] inline int16_t ClipToPcm16(float value) {
    float clipped = value > 32767.0f ? 32767.0f : value;
    clipped = clipped < -32768.0f ? -32768.0f : clipped;
    clipped = clipped != clipped ? 0.0f : clipped;
    return static_cast<int16_t>(static_cast<int32_t>(clipped));
}

}  // namespace aurion
