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

// columns: the 16 columns of V the block's outputs are windowed with, newest first.
AURION_VECTOR_CLONES
void WindowToPcm(const WindowByTap& window, const float (*columns)[32], float scale, int16_t* pcm) {
    float sum[32] = {};
    for (int j = 0; j < kSynthesisWindowTaps; ++j) {
        const float* taps = window.Taps[j];
        const float* v = columns[j];
        for (int i = 0; i < 32; ++i) {
            sum[i] += taps[i] * v[i];
        }
    }
    for (int i = 0; i < 32; ++i) {
        pcm[i] = ClipToPcm16(sum[i] * scale);
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
    m_writePos = 15;
}

// x[n] = sum over k of Samples[k] cos(n (2k + 1) pi / 64). The standard's V[i]
// is x[16 + i] for i = 0..16 (V[16] = 0), and its symmetries give the rest:
// V[16 + j] = -V[16 - j], V[32] = -V[0], V[33 + m] = -x[15 - m], V[48 + j] = V[48 - j].
// The ring runs backwards through the columns, so that the newest block and the
// 15 before it lie at ascending columns from the write column on.
void PolyphaseFilter::StoreV(const float (*x)[kDctLanes], int lane) {
    const int column = 15 - m_writePos;
    float* first = m_v[m_actualV][column];
    float* second = m_v[m_actualV ^ 1][column];
    for (int row = 0; row < 16; ++row) {
        first[row] = x[16 + row][lane];
    }
    first[16] = 0.0f;
    for (int row = 17; row < kSubbands; ++row) {
        first[row] = -x[48 - row][lane];
    }
    second[0] = -x[16][lane];
    for (int row = 1; row <= 16; ++row) {
        second[row] = -x[16 - row][lane];
    }
    for (int row = 17; row < kSubbands; ++row) {
        second[row] = -x[row - 16][lane];
    }
    std::memcpy(m_v[m_actualV][column + kHistory], first, sizeof(float) * kSubbands);
    std::memcpy(m_v[m_actualV ^ 1][column + kHistory], second, sizeof(float) * kSubbands);
}

void PolyphaseFilter::FilterBlock(const float (*x)[kDctLanes], int lane, int16_t* pcm) {
    StoreV(x, lane);
    // Tap j of output i reads the block j blocks back; even taps find its first
    // half in the actual buffer, odd taps its second half (the buffers swapped).
    const int column = 15 - m_writePos;
    WindowToPcm(SynthesisWindowByTap(), m_v[m_actualV] + column, m_scale, pcm);
    m_writePos = (m_writePos + 1) & (kHistory - 1);
    m_actualV ^= 1;
}

void PolyphaseFilter::Synthesize(const float* subbands, size_t stride, size_t count,
                                 SampleSink& sink) {
    for (size_t first = 0; first < count; first += kDctLanes) {
        const size_t blocks = std::min<size_t>(count - first, kDctLanes);
        // The lanes past the last block transform zeros that nobody reads.
        alignas(32) float in[kSubbands][kDctLanes] = {};
        for (int sb = 0; sb < kSubbands; ++sb) {
            std::copy_n(subbands + static_cast<size_t>(sb) * stride + first, blocks, in[sb]);
        }
        alignas(32) float x[kSubbands][kDctLanes];
        FastDct32Lanes(in, x);
        int16_t pcm[kDctLanes][kSubbands];
        for (size_t lane = 0; lane < blocks; ++lane) {
            FilterBlock(x, static_cast<int>(lane), pcm[lane]);
        }
        sink.AppendBlock(m_channel, pcm[0], blocks * kSubbands);
    }
}

void PolyphaseFilter::CalculatePcmSamples(SampleSink& sink) {
    Synthesize(m_samples, 1, 1, sink);
    std::memset(m_samples, 0, sizeof m_samples);
}

}  // namespace aurion
