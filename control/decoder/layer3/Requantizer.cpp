#include "control/decoder/layer3/Requantizer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "control/decoder/layer3/PowerTables.h"
#include "control/decoder/layer3/Pretab.h"

namespace aurion {

namespace {

constexpr int MaxPowHalfIndex = 63;

float PowHalfClamped(const PowerTableSet& tables, int64_t exponent) {
    return tables.powHalf[static_cast<size_t>(std::clamp<int64_t>(exponent, 0, MaxPowHalfIndex))];
}

float Magnitude(const PowerTableSet& tables, int32_t value, float gain) {
    const uint32_t m = static_cast<uint32_t>(std::abs(static_cast<int64_t>(value)));
    const float a = m < tables.pow43.size()
                        ? tables.pow43[m] * gain
                        : static_cast<float>(std::pow(static_cast<double>(m), 4.0 / 3.0) * gain);
    return value < 0 ? -a : a;
}

// Lines first..end-1 scaled by one band factor. A zero line needs no test of its
// own: pow43[0] is 0 and gain and factor are positive, so it comes out +0.0 as
// well, and the loop runs without a branch that the data decides.
void RequantizeLines(const PowerTableSet& tables, const std::array<int32_t, 576>& quantized,
                     size_t first, size_t end, float gain, float factor,
                     std::array<float, 576>& dequantized) {
    for (size_t line = first; line < end; ++line) {
        dequantized[line] = Magnitude(tables, quantized[line], gain) * factor;
    }
}

}  // namespace

void Requantize(const std::array<int32_t, 576>& quantized, const GranuleInfo& granule,
                const ScaleFactors& scaleFactors, const ScaleFactorBands& bands,
                std::array<float, 576>& dequantized, size_t codedLines) {
    const PowerTableSet& tables = PowerTables();
    const float gain =
        static_cast<float>(std::pow(2.0, (static_cast<double>(granule.global_gain) - 210.0) / 4.0));
    const uint32_t shift = granule.scalefac_scale != 0 ? 1 : 0;
    const bool preflag = granule.preflag != 0;

    size_t line = 0;
    if (!granule.IsShort() || granule.IsMixed()) {
        // Long bands: the whole spectrum, or lines 0..35 of a mixed block.
        const size_t longEnd = granule.IsShort() ? 36 : std::min<size_t>(codedLines, 576);
        for (size_t band = 0; band < 22 && line < longEnd; ++band) {
            const int64_t exponent =
                (static_cast<int64_t>(scaleFactors.l[band]) + (preflag ? Pretab[band] : 0))
                << shift;
            const float factor = PowHalfClamped(tables, exponent);
            const size_t end = std::min<size_t>(bands.longBounds[band + 1], longEnd);
            RequantizeLines(tables, quantized, line, end, gain, factor, dequantized);
            line = std::max(line, end);
        }
        if (!granule.IsShort()) {
            if (codedLines < 576) {
                std::fill(dequantized.begin() + static_cast<ptrdiff_t>(line), dequantized.end(),
                          0.0f);
            }
            return;
        }
    }

    // Short bands: each band stored window after window, from band 3 in a mixed block.
    for (size_t band = granule.IsMixed() ? 3 : 0; band < 13; ++band) {
        const size_t start = 3u * bands.shortBounds[band];
        const size_t width = static_cast<size_t>(bands.shortBounds[band + 1]) -
                             static_cast<size_t>(bands.shortBounds[band]);
        for (size_t window = 0; window < 3; ++window) {
            const int64_t exponent = 4 * static_cast<int64_t>(granule.subblock_gain[window]) +
                                     (static_cast<int64_t>(scaleFactors.s[window][band]) << shift);
            const float factor = PowHalfClamped(tables, exponent);
            const size_t first = start + window * width;
            RequantizeLines(tables, quantized, first, first + width, gain, factor, dequantized);
        }
    }
}

}  // namespace aurion
