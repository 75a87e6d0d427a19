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

}  // namespace

void Requantize(const std::array<int32_t, 576>& quantized, const GranuleInfo& granule,
                const ScaleFactors& scaleFactors, const ScaleFactorBands& bands,
                std::array<float, 576>& dequantized) {
    const PowerTableSet& tables = PowerTables();
    const float gain =
        static_cast<float>(std::pow(2.0, (static_cast<double>(granule.global_gain) - 210.0) / 4.0));
    const uint32_t shift = granule.scalefac_scale != 0 ? 1 : 0;
    const bool preflag = granule.preflag != 0;

    size_t line = 0;
    if (!granule.IsShort() || granule.IsMixed()) {
        // Long bands: the whole spectrum, or lines 0..35 of a mixed block.
        const size_t longEnd = granule.IsShort() ? 36 : 576;
        for (size_t band = 0; band < 22 && line < longEnd; ++band) {
            const int64_t exponent =
                (static_cast<int64_t>(scaleFactors.l[band]) + (preflag ? Pretab[band] : 0))
                << shift;
            const float factor = PowHalfClamped(tables, exponent);
            const size_t end = std::min<size_t>(bands.longBounds[band + 1], longEnd);
            for (; line < end; ++line) {
                const int32_t value = quantized[line];
                dequantized[line] = value == 0 ? 0.0f : Magnitude(tables, value, gain) * factor;
            }
        }
        if (!granule.IsShort()) {
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
            for (size_t i = 0; i < width; ++i) {
                const size_t index = start + window * width + i;
                const int32_t value = quantized[index];
                dequantized[index] = value == 0 ? 0.0f : Magnitude(tables, value, gain) * factor;
            }
        }
    }
}

}  // namespace aurion
