#include "control/decoder/synthesis/PolyphaseFilter.h"

#include <cstring>

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
// On x86-64 a second version for AVX2 is chosen at load time when the processor
// has it (AVX2 brings no fused multiply-add, so the results stay the same). Not under
// ThreadSanitizer, whose runtime is not ready when the loader runs the chooser.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define AURION_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define AURION_VECTOR_CLONES
#endif

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
void PolyphaseFilter::StoreV(const float* x) {
    const int column = 15 - m_writePos;
    float* first = m_v[m_actualV][column];
    float* second = m_v[m_actualV ^ 1][column];
    for (int row = 0; row < 16; ++row) {
        first[row] = x[16 + row];
    }
    first[16] = 0.0f;
    for (int row = 17; row < kSubbands; ++row) {
        first[row] = -x[48 - row];
    }
    second[0] = -x[16];
    for (int row = 1; row <= 16; ++row) {
        second[row] = -x[16 - row];
    }
    for (int row = 17; row < kSubbands; ++row) {
        second[row] = -x[row - 16];
    }
    std::memcpy(m_v[m_actualV][column + kHistory], first, sizeof(float) * kSubbands);
    std::memcpy(m_v[m_actualV ^ 1][column + kHistory], second, sizeof(float) * kSubbands);
}

void PolyphaseFilter::CalculatePcmSamples(SampleSink& sink) {
    float x[kSubbands];
    FastDct32(m_samples, x);
    StoreV(x);

    // Tap j of output i reads the block j blocks back; even taps find its first
    // half in the actual buffer, odd taps its second half (the buffers swapped).
    const int column = 15 - m_writePos;
    int16_t pcm[kSubbands];
    WindowToPcm(SynthesisWindowByTap(), m_v[m_actualV] + column, m_scale, pcm);
    sink.AppendBlock(m_channel, pcm, kSubbands);

    m_writePos = (m_writePos + 1) & (kHistory - 1);
    m_actualV ^= 1;
    std::memset(m_samples, 0, sizeof m_samples);
}

}  // namespace aurion
