#include "control/decoder/layer3/Requantizer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <tuple>

#include "control/decoder/layer3/PowerTables.h"
#include "control/decoder/layer3/Pretab.h"

namespace aurion {

namespace {

constexpr int MaxPowHalfIndex = 63;

float PowHalfClamped(const PowerTableSet& tables, int64_t exponent) {
    return tables.powHalf[static_cast<size_t>(std::clamp<int64_t>(exponent, 0, MaxPowHalfIndex))];
}

// |v|^(4/3) x gain of lines 0..coded-1, without the sign. The loop reads the table
// for every line; values beyond it are rare (only escaped codes reach them), so it
// only notes them (the OR of magnitudes below the table's power-of-two size stays
// below it) and they are redone with the power function afterwards.
void Magnitudes(const PowerTableSet& tables, const std::array<int32_t, 576>& quantized,
                size_t coded, float gain, std::array<float, 576>& magnitudes) {
    constexpr uint32_t TableEnd = std::tuple_size_v<decltype(tables.pow43)>;
    static_assert(std::has_single_bit(TableEnd));
    const float* pow43 = tables.pow43.data();
    uint32_t seen = 0;
    for (size_t line = 0; line < coded; ++line) {
        const int32_t value = quantized[line];
        // |value| for every value the Huffman decoding gives (at most 15 + 8191).
        const auto m = static_cast<uint32_t>(value < 0 ? -value : value);
        seen |= m;
        magnitudes[line] = pow43[m & (TableEnd - 1)] * gain;
    }
    if (seen < TableEnd) {
        return;
    }
    for (size_t line = 0; line < coded; ++line) {
        const auto m = static_cast<uint32_t>(std::abs(static_cast<int64_t>(quantized[line])));
        if (m >= TableEnd) {
            magnitudes[line] =
                static_cast<float>(std::pow(static_cast<double>(m), 4.0 / 3.0) * gain);
        }
    }
}

// Lines first..end-1 of one band: the magnitude times the band factor with the
// value's sign set on the product. That is exact (negating a factor of a product
// negates the product) and takes no branch, so the loop runs in vector lanes. A
// zero line comes out +0.0 (pow43[0] is 0, gain and factor are positive).
void ScaleBand(const std::array<float, 576>& magnitudes, const std::array<int32_t, 576>& quantized,
               size_t first, size_t end, float factor, std::array<float, 576>& dequantized) {
    for (size_t line = first; line < end; ++line) {
        const uint32_t sign = static_cast<uint32_t>(quantized[line]) & 0x80000000u;
        dequantized[line] =
            std::bit_cast<float>(std::bit_cast<uint32_t>(magnitudes[line] * factor) ^ sign);
    }
}

// One band's lines first..end-1; those from codedLines on are zero.
void RequantizeBand(const std::array<float, 576>& magnitudes,
                    const std::array<int32_t, 576>& quantized, size_t first, size_t end,
                    size_t codedLines, float factor, std::array<float, 576>& dequantized) {
    const size_t codedEnd = std::clamp(codedLines, first, end);
    ScaleBand(magnitudes, quantized, first, codedEnd, factor, dequantized);
    std::fill(dequantized.begin() + static_cast<ptrdiff_t>(codedEnd),
              dequantized.begin() + static_cast<ptrdiff_t>(end), 0.0f);
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
    codedLines = std::min<size_t>(codedLines, 576);
    std::array<float, 576> magnitudes;
    Magnitudes(tables, quantized, codedLines, gain, magnitudes);

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
            RequantizeBand(magnitudes, quantized, line, std::max(line, end), codedLines, factor,
                           dequantized);
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
            RequantizeBand(magnitudes, quantized, first, first + width, codedLines, factor,
                           dequantized);
        }
    }
}

}  // namespace aurion
