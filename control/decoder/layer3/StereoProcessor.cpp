#include "control/decoder/layer3/StereoProcessor.h"

#include <algorithm>
#include <cstddef>

#include "control/decoder/ChannelRouting.h"
#include "control/decoder/VectorClones.h"
#include "control/decoder/layer3/IntensityRatio.h"
#include "control/decoder/layer3/PowerTables.h"

namespace aurion {

namespace {

constexpr float InverseSqrt2 = 0.70710677f;
// An LSF limit no position equals, for the bands that transmit no position.
constexpr int32_t UnreachableLimit = -1;

// The last nonzero line below end, or -1 when all are zero.
int LastNonzeroLine(const Spectrum& spectrum, size_t end) {
    for (size_t i = end; i > 0; --i) {
        if (spectrum[i - 1] != 0.0f) {
            return static_cast<int>(i - 1);
        }
    }
    return -1;
}

bool AnyNonzero(const Spectrum& spectrum, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        if (spectrum[i] != 0.0f) {
            return true;
        }
    }
    return false;
}

// Lines 0..end-1 of middle and side into left and right. Without a branch the
// compiler runs the loop in vector lanes, each line with the same operations.
AURION_VECTOR_CLONES
void MiddleSide(const Spectrum& m, const Spectrum& s, size_t end, std::array<Spectrum, 2>& stereo) {
    for (size_t i = 0; i < end; ++i) {
        stereo[0][i] = (m[i] + s[i]) * InverseSqrt2;
        stereo[1][i] = (m[i] - s[i]) * InverseSqrt2;
    }
}

}  // namespace

void StereoProcessor::SetBand(const StereoMode& mode, size_t begin, size_t end, int32_t position,
                              int32_t lsfLimit) {
    if (mode.lsf) {
        if (position == lsfLimit) {
            for (size_t i = begin; i < end; ++i) {
                m_intensityPos[i] = NotCoded;
            }
            return;
        }
        const auto& pow = PowerTables().intensityPow[static_cast<size_t>(mode.intensityRow & 1)];
        const int32_t p =
            std::clamp<int32_t>(position, 0, 2 * static_cast<int32_t>(pow.size()) - 2);
        float first = 1.0f;
        float second = 1.0f;
        if (p % 2 == 1) {
            first = pow[static_cast<size_t>((p + 1) / 2)];
        } else if (p > 0) {
            second = pow[static_cast<size_t>(p / 2)];
        }
        for (size_t i = begin; i < end; ++i) {
            m_intensityPos[i] = position;
            m_intensityFactors[0][i] = first;
            m_intensityFactors[1][i] = second;
        }
        return;
    }
    const bool coded = position >= 0 && position < NoIntensityPosition;
    const float ratio = coded ? IntensityRatio[static_cast<size_t>(position)] : 0.0f;
    for (size_t i = begin; i < end; ++i) {
        m_intensityPos[i] = coded ? position : NotCoded;
        m_intensityRatioOf[i] = ratio;
    }
}

void StereoProcessor::CopyLine(size_t to, size_t from) {
    m_intensityPos[to] = m_intensityPos[from];
    m_intensityRatioOf[to] = m_intensityRatioOf[from];
    m_intensityFactors[0][to] = m_intensityFactors[0][from];
    m_intensityFactors[1][to] = m_intensityFactors[1][from];
}

void StereoProcessor::LongBlockPositions(const StereoMode& mode, const ScaleFactors& sf,
                                         const ScaleFactorBands& bands, const Spectrum& right,
                                         size_t rightNonzeroLines) {
    // The region starts at the first band above the last nonzero right line; with an
    // all-zero right channel that is band 0.
    const int last = LastNonzeroLine(right, rightNonzeroLines);
    size_t band = 0;
    while (band < 22 && static_cast<int>(bands.longBounds[band]) <= last) {
        ++band;
    }
    const size_t firstBand = band;
    for (; band < 21; ++band) {
        SetBand(mode, bands.longBounds[band], bands.longBounds[band + 1], sf.l[band],
                sf.lsfLimitL[band]);
    }
    // Bands 21 and 22 carry no position of their own: they follow band 20. In LSF a
    // region that starts at band 21 codes it with equal factors.
    if (mode.lsf && firstBand == 21) {
        SetBand(mode, bands.longBounds[21], 576, 0, UnreachableLimit);
        return;
    }
    const size_t from = bands.longBounds[20];
    for (size_t i = bands.longBounds[21]; i < 576; ++i) {
        CopyLine(i, from);
    }
}

bool StereoProcessor::ShortBlockPositions(const StereoMode& mode, const ScaleFactors& sf,
                                          const ScaleFactorBands& bands, const Spectrum& right,
                                          size_t firstBand) {
    bool anyData = false;
    for (size_t window = 0; window < 3; ++window) {
        size_t top = firstBand;  // first band of the intensity region in this window
        for (size_t band = 13; band-- > firstBand;) {
            const size_t width = static_cast<size_t>(bands.shortBounds[band + 1]) -
                                 static_cast<size_t>(bands.shortBounds[band]);
            const size_t start = 3u * bands.shortBounds[band] + window * width;
            if (AnyNonzero(right, start, start + width)) {
                top = band + 1;
                anyData = true;
                break;
            }
        }
        for (size_t band = top; band < 12; ++band) {
            const size_t width = static_cast<size_t>(bands.shortBounds[band + 1]) -
                                 static_cast<size_t>(bands.shortBounds[band]);
            const size_t start = 3u * bands.shortBounds[band] + window * width;
            SetBand(mode, start, start + width, sf.s[window][band], sf.lsfLimitS[window][band]);
        }
        // Band 12 transmits no position: it follows band 11 when that is intensity
        // coded; in LSF a region that starts at band 12 codes it with equal factors.
        if (top <= 11) {
            const size_t width11 = static_cast<size_t>(bands.shortBounds[12]) -
                                   static_cast<size_t>(bands.shortBounds[11]);
            const size_t from = 3u * bands.shortBounds[11] + window * width11;
            const size_t width = static_cast<size_t>(bands.shortBounds[13]) -
                                 static_cast<size_t>(bands.shortBounds[12]);
            const size_t start = 3u * bands.shortBounds[12] + window * width;
            for (size_t i = start; i < start + width; ++i) {
                CopyLine(i, from);
            }
        } else if (top == 12 && mode.lsf) {
            const size_t width = static_cast<size_t>(bands.shortBounds[13]) -
                                 static_cast<size_t>(bands.shortBounds[12]);
            const size_t start = 3u * bands.shortBounds[12] + window * width;
            SetBand(mode, start, start + width, 0, UnreachableLimit);
        }
    }
    return anyData;
}

void StereoProcessor::MixedLongPositions(const StereoMode& mode, const ScaleFactors& sf,
                                         const ScaleFactorBands& bands, const Spectrum& right) {
    const int last = LastNonzeroLine(right, 36);
    const size_t longBands = mode.lsf ? MixedLongBandsLsf : MixedLongBandsMpeg1;
    size_t band = 0;
    if (last >= 0) {
        while (band < longBands && static_cast<int>(bands.longBounds[band]) <= last) {
            ++band;
        }
    }
    for (; band < longBands; ++band) {
        SetBand(mode, bands.longBounds[band], bands.longBounds[band + 1], sf.l[band],
                sf.lsfLimitL[band]);
    }
}

std::array<size_t, 2> StereoProcessor::Process(
    const StereoMode& mode, const GranuleInfo& rightGranule, const ScaleFactors& rightScaleFactors,
    const ScaleFactorBands& bands, const std::array<Spectrum, 2>& dequantized,
    std::array<Spectrum, 2>& stereo, std::array<size_t, 2> nonzeroLines) {
    m_intensityPos.fill(NotCoded);
    if (!mode.middleSide && !mode.intensity) {
        stereo = dequantized;
        return nonzeroLines;
    }
    const Spectrum& right = dequantized[1];
    if (mode.intensity) {
        if (!rightGranule.IsShort()) {
            LongBlockPositions(mode, rightScaleFactors, bands, right,
                               std::min<size_t>(nonzeroLines[1], 576));
        } else if (!rightGranule.IsMixed()) {
            ShortBlockPositions(mode, rightScaleFactors, bands, right, 0);
        } else if (!ShortBlockPositions(mode, rightScaleFactors, bands, right, 3)) {
            MixedLongPositions(mode, rightScaleFactors, bands, right);
        }
    }

    // Both outputs mix both inputs, so each is zero where both inputs are. Past that
    // bound every formula below turns the +0.0 inputs into +0.0 (sums and
    // differences of +0.0, +0.0 times or over a positive factor), which the fill
    // writes directly. Were an input a -0.0 there, the full pass could give -0.0
    // where the fill gives +0.0; such a zero stays a zero of either sign through
    // every later sum and product and becomes the same PCM sample 0.
    const size_t end = std::min<size_t>(std::max(nonzeroLines[0], nonzeroLines[1]), 576);
    const Spectrum& m = dequantized[0];
    const Spectrum& s = dequantized[1];
    if (!mode.intensity) {
        MiddleSide(m, s, end, stereo);
    } else {
        for (size_t i = 0; i < end; ++i) {
            if (m_intensityPos[i] == NotCoded) {
                if (mode.middleSide) {
                    stereo[0][i] = (m[i] + s[i]) * InverseSqrt2;
                    stereo[1][i] = (m[i] - s[i]) * InverseSqrt2;
                } else {
                    stereo[0][i] = m[i];
                    stereo[1][i] = s[i];
                }
            } else if (mode.lsf) {
                stereo[0][i] = m[i] * m_intensityFactors[0][i];
                stereo[1][i] = m[i] * m_intensityFactors[1][i];
            } else {
                const float r = m[i] / (1.0f + m_intensityRatioOf[i]);
                stereo[1][i] = r;
                stereo[0][i] = r * m_intensityRatioOf[i];
            }
        }
    }
    for (Spectrum& channel : stereo) {
        std::fill(channel.begin() + static_cast<ptrdiff_t>(end), channel.end(), 0.0f);
    }
    return {end, end};
}

size_t Downmix(std::array<Spectrum, 2>& stereo, std::array<size_t, 2> nonzeroLines) {
    // Past both bounds the mean of +0.0 and +0.0 is +0.0: those lines stay as they are.
    const size_t end = std::min<size_t>(std::max(nonzeroLines[0], nonzeroLines[1]), 576);
    for (size_t i = 0; i < end; ++i) {
        stereo[0][i] = MixChannels(stereo[0][i], stereo[1][i]);
    }
    return end;
}

}  // namespace aurion
