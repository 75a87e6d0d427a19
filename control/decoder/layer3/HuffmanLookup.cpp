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

void BuildSignedLookup(const HuffmanLookup& codes, bool quadruples, bool escapes,
                       SignedLookup& lookup) {
    constexpr int32_t Escape = 15;
    for (uint32_t index = 0; index < lookup.size(); ++index) {
        SignedLookupEntry& entry = lookup[index];
        entry = {{}, 0, false};
        const HuffmanLookupEntry& code = codes[index];
        if (code.kind != HuffmanLookupEntry::Leaf) {
            continue;
        }
        const uint32_t leaf = code.leafOrNode;
        const std::array<int32_t, 4> magnitudes =
            quadruples ? std::array<int32_t, 4>{static_cast<int32_t>((leaf >> 3) & 1),
                                                static_cast<int32_t>((leaf >> 2) & 1),
                                                static_cast<int32_t>((leaf >> 1) & 1),
                                                static_cast<int32_t>(leaf & 1)}
                       : std::array<int32_t, 4>{static_cast<int32_t>(leaf >> 4),
                                                static_cast<int32_t>(leaf & 0xF), 0, 0};
        unsigned length = code.length;
        bool resolved = true;
        for (size_t i = 0; i < magnitudes.size() && resolved; ++i) {
            int32_t value = magnitudes[i];
            if (escapes && !quadruples && value == Escape) {
                resolved = false;
            } else if (value != 0) {
                if (length >= HuffmanLookupBits) {
                    resolved = false;
                } else {
                    const uint32_t sign = (index >> (HuffmanLookupBits - 1 - length)) & 1;
                    ++length;
                    value = sign != 0 ? -value : value;
                }
            }
            entry.values[i] = static_cast<int8_t>(value);
        }
        if (resolved) {
            entry.length = static_cast<uint8_t>(length);
            entry.resolved = true;
        } else {
            entry = {{}, 0, false};
        }
    }
}

}  // namespace aurion
