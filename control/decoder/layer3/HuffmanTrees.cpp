#include "control/decoder/layer3/HuffmanTrees.h"

#include <array>
#include <cstddef>
#include <utility>

#include "control/decoder/layer3/HuffmanTable.h"

namespace aurion {

namespace {

// Steps of this size or more chain through a jump pair (the tree format's rule).
constexpr uint32_t LongStep = 250;
constexpr uint32_t LargestStep = 255;

struct TrieNode {
    int32_t child[2] = {-1, -1};  // [bit]
    int32_t leaf = -1;            // the leaf byte, or -1 for an inner node
};

bool Insert(std::vector<TrieNode>& trie, uint32_t hcode, uint32_t hlen, uint8_t leaf) {
    if (hlen == 0 || hlen > 32) {
        return false;
    }
    int32_t node = 0;
    for (uint32_t i = hlen; i-- > 0;) {
        if (trie[node].leaf >= 0) {
            return false;  // a shorter code is a prefix of this one
        }
        const uint32_t bit = (hcode >> i) & 1;
        int32_t next = trie[node].child[bit];
        if (next < 0) {
            next = static_cast<int32_t>(trie.size());
            trie[node].child[bit] = next;
            trie.emplace_back();
        }
        node = next;
    }
    if (trie[node].leaf >= 0 || trie[node].child[0] >= 0 || trie[node].child[1] >= 0) {
        return false;  // the same code twice, or this code a prefix of another
    }
    trie[node].leaf = leaf;
    return true;
}

// One pair of the laid-out tree: a trie node, or a jump pair on the 0-step of
// node `node`.
struct Entry {
    int32_t node;
    bool jump;
};

// Pre-order with the 1-branch first: a node's 1-child is always the next pair.
bool Flatten(const std::vector<TrieNode>& trie, int32_t node, std::vector<Entry>& order) {
    if (node < 0) {
        return false;  // an incomplete code set leaves a branch nobody can express
    }
    order.push_back({node, false});
    if (trie[node].leaf >= 0) {
        return true;
    }
    return Flatten(trie, trie[node].child[1], order) && Flatten(trie, trie[node].child[0], order);
}

void Locate(const std::vector<Entry>& order, std::vector<uint32_t>& position) {
    for (size_t i = 0; i < order.size(); ++i) {
        if (!order[i].jump) {
            position[order[i].node] = static_cast<uint32_t>(i);
        }
    }
}

enum class JumpPlacement { NoneNeeded, Inserted, Impossible };

// Gives the first node whose 0-step is too long for one byte a jump pair 250..255
// pairs ahead, placed behind a leaf so that no node is parted from its 1-child.
JumpPlacement InsertJump(const std::vector<TrieNode>& trie, std::vector<Entry>& order,
                         const std::vector<uint32_t>& position) {
    for (size_t i = 0; i < order.size(); ++i) {
        const Entry entry = order[i];
        if (entry.jump || trie[entry.node].leaf >= 0) {
            continue;
        }
        const uint32_t step = position[trie[entry.node].child[0]] - static_cast<uint32_t>(i);
        bool hasJump = false;
        for (size_t k = i + 1; k < i + step; ++k) {
            hasJump = hasJump || (order[k].jump && order[k].node == entry.node);
        }
        if (step < LongStep || hasJump) {
            continue;
        }
        for (uint32_t jump = LongStep; jump <= LargestStep && jump <= step; ++jump) {
            const Entry& before = order[i + jump - 1];
            if (!before.jump && trie[before.node].leaf >= 0) {
                order.insert(order.begin() + static_cast<std::ptrdiff_t>(i + jump),
                             {entry.node, true});
                return JumpPlacement::Inserted;
            }
        }
        return JumpPlacement::Impossible;
    }
    return JumpPlacement::NoneNeeded;
}

bool Emit(const std::vector<TrieNode>& trie, const std::vector<Entry>& order,
          const std::vector<uint32_t>& position, HuffmanTreePairs& pairs) {
    pairs.assign(order.size(), {0, 0});
    for (size_t i = 0; i < order.size(); ++i) {
        const auto here = static_cast<uint32_t>(i);
        const TrieNode& node = trie[order[i].node];
        if (order[i].jump) {
            const uint32_t rest = position[node.child[0]] - here;
            if (rest == 0 || rest >= LongStep) {
                return false;
            }
            pairs[i] = {static_cast<uint8_t>(rest), static_cast<uint8_t>(rest)};
            continue;
        }
        if (node.leaf >= 0) {
            pairs[i] = {0, static_cast<uint8_t>(node.leaf)};
            continue;
        }
        uint32_t zeroStep = position[node.child[0]] - here;
        const uint32_t oneStep = position[node.child[1]] - here;
        if (zeroStep >= LongStep) {
            zeroStep = 0;
            for (size_t k = i + 1; k < order.size() && zeroStep == 0; ++k) {
                if (order[k].jump && order[k].node == order[i].node) {
                    zeroStep = static_cast<uint32_t>(k) - here;
                }
            }
            if (zeroStep < LongStep || zeroStep > LargestStep) {
                return false;
            }
        }
        if (oneStep >= LongStep) {
            return false;
        }
        pairs[i] = {static_cast<uint8_t>(zeroStep), static_cast<uint8_t>(oneStep)};
    }
    return true;
}

bool Lay(const std::vector<TrieNode>& trie, std::vector<Entry> order, HuffmanTreePairs& pairs) {
    std::vector<uint32_t> position(trie.size());
    for (;;) {
        Locate(order, position);
        switch (InsertJump(trie, order, position)) {
            case JumpPlacement::Inserted:
                continue;
            case JumpPlacement::Impossible:
                return false;
            case JumpPlacement::NoneNeeded:
                return Emit(trie, order, position, pairs);
        }
    }
}

// The storage of all trees: the 16..23 and 24..31 groups share theirs.
constexpr size_t TreeCapacity = 4096;

struct HuffmanTables {
    uint8_t pairs[TreeCapacity][2] = {};
    std::array<HuffmanTable, HuffmanTableCount> tables{};
    std::array<HuffmanLookup, HuffmanTableCount> lookups{};
    std::array<SignedLookup, HuffmanTableCount> signedLookups{};
};

constexpr std::array<const char*, HuffmanTableCount> TableNames = {
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
    "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23",
    "24", "25", "26", "27", "28", "29", "30", "31", "32", "33"};

// The table whose codes (and so whose tree) a table uses.
unsigned CodeSource(unsigned number) {
    if (number >= 16 && number <= 23) {
        return 16;
    }
    if (number >= 24 && number <= 31) {
        return 24;
    }
    return number;
}

void BuildAll(HuffmanTables& all) {
    size_t used = 0;
    std::array<uint32_t, HuffmanTableCount> start{};
    std::array<uint32_t, HuffmanTableCount> length{};
    for (unsigned number = 0; number < HuffmanTableCount; ++number) {
        const HuffmanCodeTable& codes = GetHuffmanCodeTable(number);
        HuffmanTable& table = all.tables[number];
        table.name = TableNames[number];
        table.xlen = codes.xlen;
        table.ylen = codes.ylen;
        table.linbits = codes.linbits;
        table.linmax = (uint32_t{1} << codes.linbits) - 1;
        const unsigned source = CodeSource(number);
        if (source == number) {
            HuffmanTreePairs pairs;
            // A table whose tree cannot be built decodes zeros; the tests pin every tree.
            if (BuildHuffmanTree(number, pairs) && used + pairs.size() <= TreeCapacity) {
                start[number] = static_cast<uint32_t>(used);
                length[number] = static_cast<uint32_t>(pairs.size());
                for (const auto& pair : pairs) {
                    all.pairs[used][0] = pair[0];
                    all.pairs[used][1] = pair[1];
                    ++used;
                }
            }
        }
        table.tree = length[source] > 0 ? &all.pairs[start[source]] : nullptr;
        table.treeLength = length[source];
        if (table.tree != nullptr) {
            if (source == number) {
                BuildHuffmanLookup(table.tree, table.treeLength, all.lookups[number]);
                // The tables sharing a tree all take linbits, so they share this too.
                BuildSignedLookup(all.lookups[number], codes.xlen == 1 && codes.ylen == 16,
                                  codes.linbits > 0, all.signedLookups[number]);
            }
            table.lookup = &all.lookups[source];
            table.signedLookup = &all.signedLookups[source];
        }
    }
}

}  // namespace

bool BuildHuffmanTree(unsigned number, HuffmanTreePairs& pairs) {
    pairs.clear();
    const HuffmanCodeTable& codes = GetHuffmanCodeTable(number);
    std::vector<TrieNode> trie(1);
    for (const HuffmanCode& code : codes.pairCodes) {
        if (code.x > 15 || code.y > 15 ||
            !Insert(trie, code.hcode, code.hlen, static_cast<uint8_t>(code.x << 4 | code.y))) {
            return false;
        }
    }
    for (const HuffmanQuadCode& code : codes.quadCodes) {
        const auto leaf = static_cast<uint8_t>((code.v & 1) << 3 | (code.w & 1) << 2 |
                                               (code.x & 1) << 1 | (code.y & 1));
        if (!Insert(trie, code.hcode, code.hlen, leaf)) {
            return false;
        }
    }
    if (trie.size() == 1) {
        return true;  // a table without codes has no tree
    }
    std::vector<Entry> order;
    if (!Flatten(trie, 0, order)) {
        return false;
    }
    return Lay(trie, std::move(order), pairs);
}

const HuffmanTable& GetHuffmanTable(unsigned number) {
    // Built once; the language makes the first use safe from concurrent threads.
    static const HuffmanTables* const all = [] {
        static HuffmanTables storage;
        BuildAll(storage);
        return &storage;
    }();
    return all->tables[number < HuffmanTableCount ? number : 0];
}

}  // namespace aurion
