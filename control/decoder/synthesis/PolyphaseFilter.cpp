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
// V[33 + m] = -x[15 - m], V[48 + j] = V[48 - j]. The DCT output is transposed in
// groups of eight rows, so that each lane's x lies side by side in four runs of
// eight; each run of V is then one of them, negated, or two of them reversed
// across their border. Lane firstLane + b (block b of the batch) is stored as
// column blocks - 1 - b: its first half (V[0..31]) into `actual` for even b and
// into `other` for odd b (the buffers swap after every block), its second half
// (V[32..63]) into the other buffer.
AURION_VECTOR_CLONES
void StoreV(const Lanes* x, size_t firstLane, size_t blocks, float (*actual)[32],
            float (*other)[32]) {
    // runs[r][lane] = x[8 r .. 8 r + 7] of that lane.
    Lanes runs[4][kLaneCount];
    for (int r = 0; r < 4; ++r) {
        for (int i = 0; i < kLaneCount; ++i) {
            runs[r][i] = x[8 * r + i];
        }
        TransposeLanes(runs[r]);
    }
    const Lanes zero{};
    for (size_t block = 0; block < blocks; ++block) {
        const size_t lane = firstLane + block;
        const Lanes& x0 = runs[0][lane];  // x[0..7]
        const Lanes& x1 = runs[1][lane];  // x[8..15]
        const Lanes& x2 = runs[2][lane];  // x[16..23]
        const Lanes& x3 = runs[3][lane];  // x[24..31]
        const Lanes minus0 = -x0;
        const Lanes minus1 = -x1;
        const Lanes minus2 = -x2;
        const Lanes minus3 = -x3;
        const size_t column = blocks - 1 - block;
        const bool even = (block & 1) == 0;
        float* first = (even ? actual : other)[column];
        float* second = (even ? other : actual)[column];
        // V[0..15] = x[16..31]; V[16..23] = 0, -x[31..25]; V[24..31] = -x[24..17].
        StoreLanes(x2, first);
        StoreLanes(x3, first + 8);
        StoreLanes(__builtin_shufflevector(zero, minus3, 0, 15, 14, 13, 12, 11, 10, 9), first + 16);
        StoreLanes(__builtin_shufflevector(minus2, minus3, 8, 7, 6, 5, 4, 3, 2, 1), first + 24);
        // V[32..39] = -x[16..9]; V[40..47] = -x[8..1]; V[48..63] = -x[0..15].
        StoreLanes(__builtin_shufflevector(minus1, minus2, 8, 7, 6, 5, 4, 3, 2, 1), second);
        StoreLanes(__builtin_shufflevector(minus0, minus1, 8, 7, 6, 5, 4, 3, 2, 1), second + 8);
        StoreLanes(minus0, second + 16);
        StoreLanes(minus1, second + 24);
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
