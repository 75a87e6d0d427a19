#include "control/decoder/synthesis/PolyphaseFilter.h"

#include <algorithm>
#include <cstring>

#include "control/decoder/VectorClones.h"
#include "control/decoder/synthesis/FastDct32.h"
#include "control/decoder/synthesis/SynthesisWindow.h"

namespace aurion {

namespace {

// The window by tap: entry [j][i] = D[i + 32 j], so that one tap's coefficients
// for all 32 outputs lie side by side, like one block's column of V.
struct WindowByTap {
    float Taps[kSynthesisWindowTaps][kSynthesisWindowRows];
};

const WindowByTap& SynthesisWindowByTap() {
    static const WindowByTap table = [] {
        WindowByTap byTap{};
        for (int i = 0; i < kSynthesisWindowRows; ++i) {
            for (int j = 0; j < kSynthesisWindowTaps; ++j) {
                byTap.Taps[j][i] = kSynthesisWindow[i][j];
            }
        }
        return byTap;
    }();
    return table;
}

// The windowing runs across the 32 outputs side by side, one tap after the other,
// so each output still sums its taps in the same order whatever the vector width.
// Two blocks are windowed together, so that each tap's coefficients are loaded
// once for both.

// first, second: the 16 columns of V each block's outputs are windowed with,
// newest first; their PCM goes to pcm[0..31] and pcm[32..63].
AURION_VECTOR_CLONES
void WindowTwoToPcm(const WindowByTap& window, const float (*first)[32], const float (*second)[32],
                    float scale, int16_t* pcm) {
    float sumFirst[32] = {};
    float sumSecond[32] = {};
    for (int j = 0; j < kSynthesisWindowTaps; ++j) {
        const float* taps = window.Taps[j];
        const float* v = first[j];
        const float* w = second[j];
        for (int i = 0; i < 32; ++i) {
            sumFirst[i] += taps[i] * v[i];
            sumSecond[i] += taps[i] * w[i];
        }
    }
    for (int i = 0; i < 32; ++i) {
        pcm[i] = ClipToPcm16(sumFirst[i] * scale);
        pcm[32 + i] = ClipToPcm16(sumSecond[i] * scale);
    }
}

// The standard's V vector of a block from its DCT output x[n] = sum over k of
// Samples[k] cos(n (2k + 1) pi / 64): V[i] is x[16 + i] for i = 0..16 (V[16] = 0),
// and its symmetries give the rest: V[16 + j] = -V[16 - j], V[32] = -V[0],
// V[33 + m] = -x[15 - m], V[48 + j] = V[48 - j]. Its first half (V[0..31]) and
// second half (V[32..63]) are built for all lanes at once, then each group of
// eight rows is transposed so that lane L's values lie side by side. Lane
// firstLane + b (block b of the batch) is stored as column blocks - 1 - b: the
// first half into `actual` for even b and into `other` for odd b (the buffers
// swap after every block), the second half into the other buffer.
AURION_VECTOR_CLONES
void StoreV(const Lanes* x, size_t firstLane, size_t blocks, float (*actual)[32],
            float (*other)[32]) {
    Lanes first[32];
    Lanes second[32];
    for (int row = 0; row < 16; ++row) {
        first[row] = x[16 + row];
    }
    first[16] = Lanes{};
    for (int row = 17; row < 32; ++row) {
        first[row] = -x[48 - row];
    }
    second[0] = -x[16];
    for (int row = 1; row <= 16; ++row) {
        second[row] = -x[16 - row];
    }
    for (int row = 17; row < 32; ++row) {
        second[row] = -x[row - 16];
    }
    for (int rows = 0; rows < 32; rows += kLaneCount) {
        Lanes firstColumns[kLaneCount];
        Lanes secondColumns[kLaneCount];
        for (int i = 0; i < kLaneCount; ++i) {
            firstColumns[i] = first[rows + i];
            secondColumns[i] = second[rows + i];
        }
        TransposeLanes(firstColumns);
        TransposeLanes(secondColumns);
        for (size_t block = 0; block < blocks; ++block) {
            const size_t column = blocks - 1 - block;
            const bool even = (block & 1) == 0;
            StoreLanes(firstColumns[firstLane + block], (even ? actual : other)[column] + rows);
            StoreLanes(secondColumns[firstLane + block], (even ? other : actual)[column] + rows);
        }
    }
}

}  // namespace

PolyphaseFilter::PolyphaseFilter(int channel, float scale) : m_channel(channel), m_scale(scale) {
    Reset();
}

void PolyphaseFilter::Reset() {
    std::memset(m_v, 0, sizeof m_v);
    std::memset(m_samples, 0, sizeof m_samples);
    m_actualV = 0;
    m_front = kColumns - (kHistory - 1);
}

void PolyphaseFilter::SynthesizeBatch(const float* subbands, size_t stride, size_t firstLane,
                                      size_t blocks, int16_t* pcm) {
    if (m_front < blocks) {
        // No room in front: the 15 newest columns move to the end.
        constexpr size_t kKept = kHistory - 1;
        for (VBuffer& buffer : m_v) {
            std::memmove(buffer[kColumns - kKept], buffer[m_front],
                         sizeof(float) * kSubbands * kKept);
        }
        m_front = kColumns - kKept;
    }
    m_front -= blocks;
    Lanes x[kSubbands];
    FastDct32Lanes(subbands, stride, x);
    StoreV(x, firstLane, blocks, m_v[m_actualV] + m_front, m_v[m_actualV ^ 1] + m_front);

    // Tap j of output i reads the block j blocks back; even taps find its first
    // half in the block's actual buffer, odd taps its second half.
    const WindowByTap& window = SynthesisWindowByTap();
    const float(*columns)[kSubbands] = m_v[m_actualV] + m_front + (blocks - 1);
    const float(*otherColumns)[kSubbands] = m_v[m_actualV ^ 1] + m_front + (blocks - 1);
    for (size_t block = 0; block < blocks; block += 2) {
        // Block b's columns start at column blocks - 1 - b of its buffer. A lone
        // last block (an odd count, so below kLaneCount) is windowed twice, the
        // second time into pcm's room for the block after it, unused.
        const float(*nextColumns)[kSubbands] =
            block + 1 < blocks ? otherColumns - (block + 1) : columns - block;
        WindowTwoToPcm(window, columns - block, nextColumns, m_scale, pcm + block * kSubbands);
    }
    m_actualV ^= static_cast<int>(blocks & 1);
}

void PolyphaseFilter::Synthesize(const float* subbands, size_t stride, size_t count,
                                 SampleSink& sink) {
    int16_t pcm[kLaneCount * kSubbands];
    for (size_t first = 0; first < count; first += kLaneCount) {
        const size_t blocks = std::min<size_t>(count - first, kLaneCount);
        if (blocks == kLaneCount) {
            SynthesizeBatch(subbands + first, stride, 0, blocks, pcm);
        } else if (count >= kLaneCount) {
            // A short last batch of a longer run: the lanes end with its last block,
            // the ones before its first transform blocks done already, for nothing.
            const size_t firstLane = kLaneCount - blocks;
            SynthesizeBatch(subbands + first - firstLane, stride, firstLane, blocks, pcm);
        } else {
            // A short batch: its blocks are gathered where all lanes can be read,
            // the lanes past them transform zeros that nobody uses.
            float gathered[kSubbands][kLaneCount] = {};
            for (size_t sb = 0; sb < kSubbands; ++sb) {
                std::copy_n(subbands + sb * stride + first, blocks, gathered[sb]);
            }
            SynthesizeBatch(gathered[0], kLaneCount, 0, blocks, pcm);
        }
        sink.AppendBlock(m_channel, pcm, blocks * kSubbands);
    }
}

void PolyphaseFilter::CalculatePcmSamples(SampleSink& sink) {
    Synthesize(m_samples, 1, 1, sink);
    std::memset(m_samples, 0, sizeof m_samples);
}

}  // namespace aurion
