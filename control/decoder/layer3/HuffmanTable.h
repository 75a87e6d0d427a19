// The 34 Layer III Huffman tables (ISO/IEC 11172-3, Annex B, Table B.7) in the form
// the decoder walks them: value ranges, linbits and a byte-pair decoding tree.
// Tables 0, 4 and 14 have no tree (treeLength 0); 16..23 share one tree and 24..31
// another. The trees and their lookups are built once, on first use, safely from
// any thread.
#pragma once

#include <cstdint>

#include "control/decoder/layer3/HuffmanLookup.h"

namespace aurion {

struct HuffmanTable {
    const char* name;  // the table number in decimal, "0".."33"
    uint32_t xlen;
    uint32_t ylen;
    uint32_t linbits;
    uint32_t linmax;  // 2^linbits - 1
    // Pair p = {first, second}. first == 0: a leaf, second = x << 4 | y (tables 32
    // and 33: v, w, x, y in bits 3..0). Otherwise bit 0 selects first and bit 1
    // selects second as a forward step; steps of 250 or more chain through
    // further pairs before the final step.
    const uint8_t (*tree)[2];
    uint32_t treeLength;  // number of pairs
    // The tree's lookup, or null to walk the tree bit by bit.
    const HuffmanLookup* lookup = nullptr;
    // The codes with their signs where the index holds them all, or null.
    const SignedLookup* signedLookup = nullptr;
};

inline constexpr unsigned HuffmanTableCount = 34;

// Table `number` (0..33); any larger number gives table 0, which decodes zeros.
[[nodiscard]] const HuffmanTable& GetHuffmanTable(unsigned number);

}  // namespace aurion
