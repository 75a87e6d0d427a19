// The Layer III Huffman code tables of ISO/IEC 11172-3, Annex B, Table B.7, as
// plain data: every code of every table with its values, and the tables' value
// ranges and linbits. The decoding trees are generated from these (HuffmanTrees).
// Tables 17..23 use the codes of table 16, tables 25..31 those of table 24.
#pragma once

#include <cstdint>
#include <span>

namespace aurion {

// One code of a pair table: the values x, y and the code of hlen bits (the code's
// last bit in bit 0 of hcode).
struct HuffmanCode {
    uint8_t x;
    uint8_t y;
    uint8_t hlen;
    uint32_t hcode;
};

// One code of the quadruple tables 32 and 33 (Table B.7, tables A and B).
struct HuffmanQuadCode {
    uint8_t v;
    uint8_t w;
    uint8_t x;
    uint8_t y;
    uint8_t hlen;
    uint32_t hcode;
};

struct HuffmanCodeTable {
    uint32_t xlen;
    uint32_t ylen;
    uint32_t linbits;
    std::span<const HuffmanCode> pairCodes;      // empty for 0, 4, 14, 32, 33
    std::span<const HuffmanQuadCode> quadCodes;  // only for 32 and 33
};

// Table `number` (0..33); any larger number gives table 0.
[[nodiscard]] const HuffmanCodeTable& GetHuffmanCodeTable(unsigned number);

}  // namespace aurion
