#include "control/decoder/layer12/GroupingTables.h"

#include <cstddef>

namespace aurion {

namespace {

template <size_t Levels>
constexpr std::array<SampleTriple, Levels * Levels * Levels> MakeGroupingTable() {
    std::array<SampleTriple, Levels * Levels * Levels> table{};
    constexpr auto levels = static_cast<float>(Levels);
    for (size_t code = 0; code < table.size(); ++code) {
        size_t rest = code;
        for (float& sample : table[code]) {
            const auto digit = static_cast<float>(rest % Levels);
            sample = (2.0f * digit - (levels - 1.0f)) / levels;
            rest /= Levels;
        }
    }
    return table;
}

}  // namespace

const std::array<SampleTriple, 27> GroupingTable3 = MakeGroupingTable<3>();
const std::array<SampleTriple, 125> GroupingTable5 = MakeGroupingTable<5>();
const std::array<SampleTriple, 729> GroupingTable9 = MakeGroupingTable<9>();

}  // namespace aurion
