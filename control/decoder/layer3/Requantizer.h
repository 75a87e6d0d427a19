// Requantization of one granule and channel (ISO/IEC 11172-3 clause 2.4.3.4.7):
// Quantized values to spectral lines, |v|^(4/3) x 2^((global_gain - 210) / 4)
// scaled per band by the scale factors, preflag and subblock gains. Exponents are
// clamped into PowHalf, so no side information can index outside it. Lines from
// codedLines on are known to be zero (the Huffman decoding ended before them) and
// are filled with zeros without a look.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/ScaleFactorReader.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

void Requantize(const std::array<int32_t, 576>& quantized, const GranuleInfo& granule,
                const ScaleFactors& scaleFactors, const ScaleFactorBands& bands,
                std::array<float, 576>& dequantized, size_t codedLines = 576);

}  // namespace aurion
