// The number of scale-factor bands per partition for MPEG-2 LSF Layer III
// (ISO/IEC 13818-3, nr_of_sfb_block), indexed [block number 0..5][block type
// number 0 long, 1 short, 2 mixed][partition 0..3]. Each long row sums to 21, each
// short row to 36 (12 bands x 3 windows), each mixed row to 33 (6 long + 9 x 3 short).
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

inline constexpr std::array<std::array<std::array<uint8_t, 4>, 3>, 6> LsfPartitionTable = {{
    {{{6, 5, 5, 5}, {9, 9, 9, 9}, {6, 9, 9, 9}}},
    {{{6, 5, 7, 3}, {9, 9, 12, 6}, {6, 9, 12, 6}}},
    {{{11, 10, 0, 0}, {18, 18, 0, 0}, {15, 18, 0, 0}}},
    {{{7, 7, 7, 0}, {12, 12, 12, 0}, {6, 15, 12, 0}}},
    {{{6, 6, 6, 3}, {12, 9, 9, 6}, {6, 12, 9, 6}}},
    {{{8, 8, 5, 0}, {15, 12, 9, 0}, {6, 18, 9, 0}}},
}};

}  // namespace aurion
