// Requantization of Layer I samples (ISO/IEC 11172-3, clause 2.4.3.2.1): for
// allocation a = 1..14 a sample is a code c of a + 1 bits, and its value is
// c x Factor + Offset with Factor = 2 / (2^(a+1) - 1) and Offset =
// -(2^(a+1) - 2) / (2^(a+1) - 1), before the scale factor. Allocation 15 is
// forbidden; the decoder treats it as 0.
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

struct Layer1Quantization {
    float Factor;
    float Offset;
};

constexpr uint32_t Layer1ForbiddenAllocation = 15;

// Index: the allocation; entry 0 (no samples) is unused.
extern const std::array<Layer1Quantization, 15> Layer1QuantizationTable;

}  // namespace aurion
