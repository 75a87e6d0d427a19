#include "control/decoder/layer12/Layer1Quantization.h"

namespace aurion {

namespace {

constexpr std::array<Layer1Quantization, 15> MakeTable() {
    std::array<Layer1Quantization, 15> table{};
    for (uint32_t a = 1; a < table.size(); ++a) {
        const auto steps = static_cast<double>((1u << (a + 1)) - 1u);
        table[a].Factor = static_cast<float>(2.0 / steps);
        table[a].Offset = static_cast<float>(-(steps - 1.0) / steps);
    }
    return table;
}

}  // namespace

const std::array<Layer1Quantization, 15> Layer1QuantizationTable = MakeTable();

}  // namespace aurion
