// The classes of quantization of Layer II (ISO/IEC 11172-3, Table B.4): per class
// its number of levels, the bits of one code, whether three samples share one
// grouped code, and the requantization constants C and D. An ungrouped code c of
// b bits gives the fraction c x 2^(1 - b) - 1 (`Factor` = 2^(1 - b)), requantized
// to (fraction + D) x C; a grouped code is ungrouped by its grouping table, whose
// entries are already requantized.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "control/decoder/layer12/GroupingTables.h"

namespace aurion {

struct QuantizationClass {
    uint32_t Levels;
    uint32_t BitsPerCode;
    std::span<const SampleTriple> Grouping;  // empty for the ungrouped classes
    float Factor;                            // 2^(1 - BitsPerCode), ungrouped classes
    float C;
    float D;
};

// In the table's order: 3, 5, 7, 9, 15, 31, ... 65535 levels.
constexpr size_t QuantizationClassCount = 17;
extern const std::array<QuantizationClass, QuantizationClassCount> QuantizationClasses;

}  // namespace aurion
