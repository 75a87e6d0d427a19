#include "control/decoder/layer3/HuffmanLookup.h"

namespace aurion {

namespace {

constexpr uint32_t LongStep = 250;  // steps this long chain through a jump pair

// The tree walk of HuffmanDecoder over the bits of `index`, most significant first.
HuffmanLookupEntry Walk(const uint8_t (*tree)[2], uint32_t treeLength, uint32_t index) {
    uint32_t p = 0;
    for (unsigned bitsRead = 0;; ++bitsRead) {
        if (tree[p][0] == 0) {
            return {tree[p][1], static_cast<uint8_t>(bitsRead), HuffmanLookupEntry::Leaf};
        }
        if (bitsRead == HuffmanLookupBits) {
            return {static_cast<uint16_t>(p), 0, HuffmanLookupEntry::Continue};
        }
        const uint32_t bit = (index >> (HuffmanLookupBits - 1 - bitsRead)) & 1;
        while (tree[p][bit] >= LongStep) {
            p += tree[p][bit];
            if (p >= treeLength) {
                return {0, 0, HuffmanLookupEntry::WalkFromRoot};
            }
        }
        p += tree[p][bit];
        if (p >= treeLength) {
            return {0, 0, HuffmanLookupEntry::WalkFromRoot};
        }
    }
}

}  // namespace

void BuildHuffmanLookup(const uint8_t (*tree)[2], uint32_t treeLength, HuffmanLookup& lookup) {
    for (uint32_t index = 0; index < lookup.size(); ++index) {
        lookup[index] = treeLength > 0 ? Walk(tree, treeLength, index)
                                       : HuffmanLookupEntry{0, 0, HuffmanLookupEntry::WalkFromRoot};
    }
}

}  // namespace aurion
