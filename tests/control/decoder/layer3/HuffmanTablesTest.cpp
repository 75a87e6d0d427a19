#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "control/decoder/layer3/BitReservoir.h"
#include "control/decoder/layer3/HuffmanCodeTables.h"
#include "control/decoder/layer3/HuffmanDecoder.h"
#include "control/decoder/layer3/HuffmanTable.h"
#include "control/decoder/layer3/HuffmanTrees.h"
#include "tests/support/BitWriter.h"

namespace aurion {
namespace {

constexpr std::array<uint32_t, 34> ExpectedTreeLength = {
    0,   7,   17,  17,  0,   31,  31,  71,  71,  71,  127, 127, 127, 511, 0,   511, 511,
    511, 511, 511, 511, 511, 511, 511, 512, 512, 512, 512, 512, 512, 512, 512, 31,  31};
constexpr std::array<uint32_t, 34> ExpectedXlen = {0,  2,  3,  3,  0,  4,  4,  6,  6,  6,  8,  8,
                                                   8,  16, 0,  16, 16, 16, 16, 16, 16, 16, 16, 16,
                                                   16, 16, 16, 16, 16, 16, 16, 16, 1,  1};
constexpr std::array<uint32_t, 34> ExpectedLinbits = {0, 0, 0, 0, 0, 0, 0,  0,  0, 0, 0,  0,
                                                      0, 0, 0, 0, 1, 2, 3,  4,  6, 8, 10, 13,
                                                      4, 5, 6, 7, 8, 9, 11, 13, 0, 0};

bool IsQuadTable(unsigned number) { return number == 32 || number == 33; }

// Every code of a table as (leaf byte, hlen, hcode).
struct Code {
    uint8_t leaf;
    uint32_t hlen;
    uint32_t hcode;
};

std::vector<Code> CodesOf(unsigned number) {
    const HuffmanCodeTable& table = GetHuffmanCodeTable(number);
    std::vector<Code> codes;
    for (const HuffmanCode& code : table.pairCodes) {
        codes.push_back({static_cast<uint8_t>(code.x << 4 | code.y), code.hlen, code.hcode});
    }
    for (const HuffmanQuadCode& code : table.quadCodes) {
        codes.push_back({static_cast<uint8_t>(code.v << 3 | code.w << 2 | code.x << 1 | code.y),
                         code.hlen, code.hcode});
    }
    return codes;
}

BitReservoir ReservoirWith(const test::BitWriter& bits) {
    BitReservoir reservoir;
    for (const uint8_t byte : bits.Bytes()) {
        reservoir.PutByte(byte);
    }
    return reservoir;
}

TEST(HuffmanTables, NamesRangesLinbitsAndTreeLengthsMatchTableB7) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        const HuffmanTable& table = GetHuffmanTable(n);
        EXPECT_EQ(std::string(table.name), std::to_string(n));
        EXPECT_EQ(table.treeLength, ExpectedTreeLength[n]);
        EXPECT_EQ(table.xlen, ExpectedXlen[n]);
        EXPECT_EQ(table.ylen, IsQuadTable(n) ? 16u : ExpectedXlen[n]);
        EXPECT_EQ(table.linbits, ExpectedLinbits[n]);
        EXPECT_EQ(table.linmax, (1u << ExpectedLinbits[n]) - 1);
        EXPECT_EQ(table.tree == nullptr, table.treeLength == 0);
    }
    EXPECT_EQ(&GetHuffmanTable(34), &GetHuffmanTable(0));
}

TEST(HuffmanTables, LinbitsGroupsShareOneTree) {
    for (unsigned n = 17; n <= 23; ++n) {
        EXPECT_EQ(GetHuffmanTable(n).tree, GetHuffmanTable(16).tree) << n;
    }
    for (unsigned n = 25; n <= 31; ++n) {
        EXPECT_EQ(GetHuffmanTable(n).tree, GetHuffmanTable(24).tree) << n;
    }
    EXPECT_NE(GetHuffmanTable(16).tree, GetHuffmanTable(24).tree);
}

TEST(HuffmanTables, FirstUseFromTwoThreadsBuildsOneSetOfTrees) {
    std::array<const HuffmanTable*, 2> seen{};
    std::thread first([&] { seen[0] = &GetHuffmanTable(24); });
    std::thread second([&] { seen[1] = &GetHuffmanTable(24); });
    first.join();
    second.join();
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(seen[0]->treeLength, 512u);
}

TEST(HuffmanCodeTables, EveryTableCodesEachValueOnceWithACompletePrefixCode) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        const std::vector<Code> codes = CodesOf(n);
        const uint32_t values = IsQuadTable(n) ? 16 : ExpectedXlen[n] * ExpectedXlen[n];
        ASSERT_EQ(codes.size(), values);
        if (codes.empty()) {
            continue;
        }
        std::set<uint8_t> leaves;
        uint64_t kraft = 0;  // sum of 2^(32 - hlen): a complete code sums to 2^32
        for (const Code& code : codes) {
            ASSERT_GE(code.hlen, 1u);
            ASSERT_LE(code.hlen, 19u);
            EXPECT_LT(code.hcode, 1u << code.hlen);
            leaves.insert(code.leaf);
            kraft += uint64_t{1} << (32 - code.hlen);
        }
        EXPECT_EQ(leaves.size(), codes.size());
        EXPECT_EQ(kraft, uint64_t{1} << 32);
        for (const Code& a : codes) {
            for (const Code& b : codes) {
                if (&a != &b && a.hlen <= b.hlen) {
                    EXPECT_NE(b.hcode >> (b.hlen - a.hlen), a.hcode)
                        << "code of " << int{a.leaf} << " is a prefix of that of " << int{b.leaf};
                }
            }
        }
    }
}

TEST(HuffmanTrees, EveryLeafIsReachedByExactlyItsCode) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        const HuffmanTable& table = GetHuffmanTable(n);
        const std::vector<Code> codes = CodesOf(n);
        std::set<uint32_t> reached;
        for (const Code& code : codes) {
            uint32_t p = 0;
            for (uint32_t i = code.hlen; i-- > 0;) {
                ASSERT_NE(table.tree[p][0], 0) << "leaf before the code's end";
                const uint32_t bit = (code.hcode >> i) & 1;
                while (table.tree[p][bit] >= 250) {
                    p += table.tree[p][bit];
                    ASSERT_LT(p, table.treeLength);
                }
                p += table.tree[p][bit];
                ASSERT_LT(p, table.treeLength);
            }
            ASSERT_EQ(table.tree[p][0], 0) << "no leaf at the code's end";
            EXPECT_EQ(table.tree[p][1], code.leaf);
            reached.insert(p);
        }
        uint32_t leafPairs = 0;
        for (uint32_t p = 0; p < table.treeLength; ++p) {
            leafPairs += table.tree[p][0] == 0 ? 1 : 0;
        }
        EXPECT_EQ(reached.size(), codes.size());
        EXPECT_EQ(leafPairs, codes.size());
    }
}

TEST(HuffmanTrees, BuildsEveryTableAndServesTheBuiltTree) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        HuffmanTreePairs pairs;
        ASSERT_TRUE(BuildHuffmanTree(n, pairs));
        const HuffmanTable& table = GetHuffmanTable(n);
        if (!CodesOf(n).empty() && (n <= 16 || n == 24 || n >= 32)) {
            ASSERT_EQ(pairs.size(), table.treeLength);
            for (uint32_t p = 0; p < table.treeLength; ++p) {
                EXPECT_EQ(pairs[p][0], table.tree[p][0]);
                EXPECT_EQ(pairs[p][1], table.tree[p][1]);
            }
        }
    }
}

// Each code followed by its linbits and sign bits decodes to its values and reads
// exactly those bits.
TEST(HuffmanDecoder, DecodesEveryCodeOfEveryTable) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        const HuffmanTable& table = GetHuffmanTable(n);
        int index = 0;
        for (const Code& code : CodesOf(n)) {
            SCOPED_TRACE(int{code.leaf});
            test::BitWriter bits;
            bits.Put(code.hcode, code.hlen);
            std::vector<int32_t> expected;
            auto addValue = [&](int32_t value, bool escapable) {
                if (escapable && table.linbits > 0 && value == 15) {
                    const uint32_t extra =
                        (static_cast<uint32_t>(index) * 2654435761u) & table.linmax;
                    bits.Put(extra, table.linbits);
                    value += static_cast<int32_t>(extra);
                }
                if (value != 0) {
                    const bool negative = (index + static_cast<int>(expected.size())) % 2 == 1;
                    bits.Put(negative ? 1 : 0, 1);
                    value = negative ? -value : value;
                }
                expected.push_back(value);
            };
            if (IsQuadTable(n)) {
                for (int shift = 3; shift >= 0; --shift) {
                    addValue((code.leaf >> shift) & 1, false);
                }
            } else {
                addValue(code.leaf >> 4, true);
                addValue(code.leaf & 0xF, true);
            }
            const auto used = static_cast<int32_t>(bits.BitCount());
            bits.Put(0xFFFFFFFF, 32);
            BitReservoir reservoir = ReservoirWith(bits);
            int32_t x = 99;
            int32_t y = 99;
            int32_t v = 99;
            int32_t w = 99;
            ASSERT_TRUE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
            EXPECT_EQ(reservoir.TotalBits(), used);
            if (IsQuadTable(n)) {
                EXPECT_EQ((std::vector<int32_t>{v, w, x, y}), expected);
            } else {
                EXPECT_EQ((std::vector<int32_t>{x, y}), expected);
            }
            ++index;
        }
    }
}

// Every index of every table's signed lookup: a resolved entry gives exactly the
// values and the bit count that decoding the same bits code by code gives; an
// unresolved one is a code that needs more bits than the index or linbits.
TEST(HuffmanLookup, SignedEntriesMatchDecodingCodeByCode) {
    for (unsigned n = 0; n < HuffmanTableCount; ++n) {
        SCOPED_TRACE(n);
        const HuffmanTable& table = GetHuffmanTable(n);
        if (table.tree == nullptr) {
            EXPECT_EQ(table.signedLookup, nullptr);
            continue;
        }
        ASSERT_NE(table.signedLookup, nullptr);
        for (uint32_t index = 0; index < table.signedLookup->size(); ++index) {
            SCOPED_TRACE(index);
            const SignedLookupEntry& entry = (*table.signedLookup)[index];
            test::BitWriter bits;
            bits.Put(index, HuffmanLookupBits);
            bits.Put(index * 2654435761u, 32);
            bits.Put(~index * 40503u, 32);
            BitReservoir reservoir = ReservoirWith(bits);
            int32_t x = 0;
            int32_t y = 0;
            int32_t v = 0;
            int32_t w = 0;
            ASSERT_TRUE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
            const int32_t used = reservoir.TotalBits();
            if (IsQuadTable(n)) {
                ASSERT_TRUE(entry.resolved);
                EXPECT_EQ((std::vector<int32_t>{v, w, x, y}),
                          (std::vector<int32_t>{entry.values[0], entry.values[1], entry.values[2],
                                                entry.values[3]}));
                EXPECT_EQ(used, entry.length);
            } else if (entry.resolved) {
                EXPECT_EQ(x, entry.values[0]);
                EXPECT_EQ(y, entry.values[1]);
                EXPECT_EQ(used, entry.length);
            } else {
                const bool escaped = table.linbits > 0 && (std::abs(x) >= 15 || std::abs(y) >= 15);
                EXPECT_TRUE(escaped || used > static_cast<int32_t>(HuffmanLookupBits));
            }
        }
    }
}

}  // namespace
}  // namespace aurion
