// Table lookup for the Layer III Huffman trees: the next HuffmanLookupBits bits of
// the stream index an entry that tells what the bit-by-bit tree walk does with
// them. Each entry is found by running that very walk over the index's bits, so a
// lookup gives exactly the walk's values and code lengths: a leaf and its length
// when the code is that short, otherwise the node where the walk stands after all
// the index's bits (it then goes on bit by bit), or, for a step that leaves the
// tree, nothing (the walk then runs from the root and fails as it always did).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace aurion {

inline constexpr unsigned HuffmanLookupBits = 10;

struct HuffmanLookupEntry {
    enum Kind : uint8_t { Leaf, Continue, WalkFromRoot };
    uint16_t leafOrNode;  // Leaf: the leaf byte; Continue: the node reached
    uint8_t length;       // Leaf: the code's length in bits (0 for a tree of one leaf)
    Kind kind;
};

using HuffmanLookup = std::array<HuffmanLookupEntry, size_t{1} << HuffmanLookupBits>;

// Fills `lookup` for a tree of treeLength pairs in the layout of HuffmanTable.
void BuildHuffmanLookup(const uint8_t (*tree)[2], uint32_t treeLength, HuffmanLookup& lookup);

// The same bits taken one step further, to the signed values: an entry is resolved
// when the code and the sign bits of its non-zero values all lie within the index
// and no value takes linbits. That covers the frequent short codes of the pair
// tables and every quadruple (codes of at most 6 bits and 4 signs).
// Eight bytes, so that an index addresses its entry in one step.
struct alignas(8) SignedLookupEntry {
    std::array<int8_t, 4> values;  // pairs: x, y; quadruples: v, w, x, y
    uint8_t length;                // the bits of the code and its signs
    bool resolved;                 // false: decode this code with HuffmanLookup
};

using SignedLookup = std::array<SignedLookupEntry, size_t{1} << HuffmanLookupBits>;

// Fills `lookup` from a table's HuffmanLookup. quadruples: the leaf's four bits are
// the values; otherwise x and y, where 15 takes linbits when escapes is set.
void BuildSignedLookup(const HuffmanLookup& codes, bool quadruples, bool escapes,
                       SignedLookup& lookup);

}  // namespace aurion
