// The ungrouping tables of Layer II (ISO/IEC 11172-3, clause 2.4.3.3.4): a grouped
// code of a class with L = 3, 5 or 9 levels carries three samples as the digits
// k mod L, (k / L) mod L and k / L^2. Entry k holds those three samples in that
// order, each digit v already requantized to (2v - (L - 1)) / L, so a code is
// decoded by one lookup instead of two divisions.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace aurion {

using SampleTriple = std::array<float, 3>;

extern const std::array<SampleTriple, 27> GroupingTable3;
extern const std::array<SampleTriple, 125> GroupingTable5;
extern const std::array<SampleTriple, 729> GroupingTable9;

}  // namespace aurion
