#include "control/decoder/synthesis/PolyphaseFilter.h"

#include <cstring>

#include "control/decoder/synthesis/FastDct32.h"
#include "control/decoder/synthesis/SynthesisWindow.h"

namespace aurion {

PolyphaseFilter::PolyphaseFilter(int channel, float scale) : m_channel(channel), m_scale(scale) {
    Reset();
}

void PolyphaseFilter::Reset() {
    std::memset(m_v, 0, sizeof m_v);
    std::memset(m_samples, 0, sizeof m_samples);
    m_actualV = 0;
    m_writePos = 15;
}

void PolyphaseFilter::InputSample(float value, int subband) {
    if (subband < 0 || subband >= kSubbands) {
        return;
    }
    m_samples[subband] = value;
}

void PolyphaseFilter::StoreColumn(VBuffer& buffer, int row, float value) {
    // The ring runs backwards through the columns, so that the newest block and
    // the 15 before it lie at ascending columns from the write column on.
    const int column = 15 - m_writePos;
    buffer[row][column] = value;
    buffer[row][column + kHistory] = value;
}

// x[n] = sum over k of Samples[k] cos(n (2k + 1) pi / 64). The standard's V[i]
// is x[16 + i] for i = 0..16 (V[16] = 0), and its symmetries give the rest:
// V[16 + j] = -V[16 - j], V[32] = -V[0], V[33 + m] = -x[15 - m], V[48 + j] = V[48 - j].
void PolyphaseFilter::StoreV(const float* x) {
    VBuffer& actual = m_v[m_actualV];
    VBuffer& other = m_v[m_actualV ^ 1];
    for (int row = 0; row < 16; ++row) {
        StoreColumn(actual, row, x[16 + row]);
    }
    StoreColumn(actual, 16, 0.0f);
    for (int row = 17; row < kSubbands; ++row) {
        StoreColumn(actual, row, -x[48 - row]);
    }
    StoreColumn(other, 0, -x[16]);
    for (int row = 1; row <= 16; ++row) {
        StoreColumn(other, row, -x[16 - row]);
    }
    for (int row = 17; row < kSubbands; ++row) {
        StoreColumn(other, row, -x[row - 16]);
    }
}

void PolyphaseFilter::CalculatePcmSamples(SampleSink& sink) {
    float x[kSubbands];
    FastDct32(m_samples, x);
    StoreV(x);

    const VBuffer& actual = m_v[m_actualV];
    const int column = 15 - m_writePos;
    for (int i = 0; i < kSubbands; ++i) {
        const float* window = kSynthesisWindow[i];
        const float* v = &actual[i][column];
        float sum = 0.0f;
        for (int j = 0; j < kHistory; ++j) {
            sum += window[j] * v[j];
        }
        sink.Append(m_channel, ClipToPcm16(sum * m_scale));
    }

    m_writePos = (m_writePos + 1) & (kHistory - 1);
    m_actualV ^= 1;
    std::memset(m_samples, 0, sizeof m_samples);
}

int16_t ClipToPcm16(float value) {
    if (value > 32767.0f) {
        return 32767;
    }
    if (value < -32768.0f) {
        return -32768;
    }
    // A NaN from corrupt input would make the conversion undefined; it is silence.
    if (value != value) {
        return 0;
    }
    return static_cast<int16_t>(value);
}

}  // namespace aurion
