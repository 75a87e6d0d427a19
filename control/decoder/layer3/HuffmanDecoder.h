// Layer III Huffman decoding of one granule and channel (ISO/IEC 11172-3 clause
// 2.4.2.7): the big-values region in pairs with three tables, the count1 region in
// quadruples, then zeros. Whatever the side information says, nothing is written
// outside the 576 lines and the reader ends exactly at Part2Start + part2_3_length.
#pragma once

#include <array>
#include <cstdint>

#include "control/decoder/layer3/BitReservoir.h"
#include "control/decoder/layer3/HuffmanTable.h"
#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

// Decodes one code of `table` and applies linbits and signs: x, y for the pair
// tables, v, w, x, y for tables 32 and 33. Returns true when a code was found (also
// for the tables without codes, which give zeros and read nothing). False when 32
// bits were read without reaching a leaf (or a malformed tree sent the walk out of
// it): x and y then keep the values they held on entry (the previous code's) and
// linbits and signs are still read for them. The caller must keep x and y from
// call to call, starting at 0, for that rule to mean anything.
bool DecodeHuffmanPair(const HuffmanTable& table, int32_t& x, int32_t& y, int32_t& v, int32_t& w,
                       BitReservoir& reservoir);

// Fills the 576 quantized lines of one granule and channel. `bands` are the
// scale-factor band boundaries of the stream's frequency, which place the regions
// of the big values; part2Start is the reservoir's TotalBits before the scale
// factors. Returns the number of lines up to the last non-zero one: all lines from
// there on are zero.
uint32_t DecodeSpectrum(const GranuleInfo& info, const ScaleFactorBands& bands, int32_t part2Start,
                        BitReservoir& reservoir, std::array<int32_t, 576>& quantized);

}  // namespace aurion
