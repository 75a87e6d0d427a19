// Generation of the byte-pair decoding trees from the code tables of Table B.7.
// Layout: a node is followed by the subtree of its 1-branch, then by that of its
// 0-branch; a 0-step of 250 pairs or more goes 250..255 pairs ahead to a jump pair
// (placed behind a leaf) holding the rest of the step. With Table B.7 this gives
// exactly one jump pair, in the tree of tables 24..31. GetHuffmanTable
// (HuffmanTable.h) serves the trees built here.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "control/decoder/layer3/HuffmanCodeTables.h"

namespace aurion {

using HuffmanTreePairs = std::vector<std::array<uint8_t, 2>>;

// Builds the tree of code table `number` (0..33) into `pairs` (empty for the
// tables without codes). False if the codes do not form a prefix code or the
// layout cannot express a step.
bool BuildHuffmanTree(unsigned number, HuffmanTreePairs& pairs);

}  // namespace aurion
