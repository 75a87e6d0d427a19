#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "control/decoder/layer3/HuffmanDecoder.h"
#include "control/decoder/layer3/HuffmanLookup.h"
#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "tests/support/BitWriter.h"

namespace aurion {
namespace {

constexpr const ScaleFactorBands& Bands44100 = ScaleFactorBandTables[3];  // long: 0 4 8 ... 196 ...

BitReservoir ReservoirWith(const test::BitWriter& bits) {
    BitReservoir reservoir;
    for (const uint8_t byte : bits.Bytes()) {
        reservoir.PutByte(byte);
    }
    return reservoir;
}

// The quantized lines between sentinels, to see any store outside the 576 lines.
struct GuardedLines {
    std::array<int32_t, 8> before;
    std::array<int32_t, 576> lines;
    std::array<int32_t, 8> after;

    GuardedLines() {
        before.fill(Sentinel);
        lines.fill(7);
        after.fill(Sentinel);
    }
    [[nodiscard]] bool GuardsIntact() const {
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] != Sentinel || after[i] != Sentinel) {
                return false;
            }
        }
        return true;
    }
    static constexpr int32_t Sentinel = 0x5EA1ED;
};

GranuleInfo LongGranule(uint32_t part2_3_length, uint32_t bigValues) {
    GranuleInfo info;
    info.part2_3_length = part2_3_length;
    info.big_values = bigValues;
    return info;
}

void ExpectZerosFrom(const std::array<int32_t, 576>& lines, size_t first) {
    for (size_t i = first; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], 0) << "line " << i;
    }
}

TEST(HuffmanDecoder, NoBigValuesAndOnlyScaleFactorBitsGiveSilenceAndLeaveTheNextChannel) {
    test::BitWriter bits;
    bits.Put(0b1011001110, 10);  // the scale factors
    bits.Put(0b1010, 4);         // the next channel
    BitReservoir reservoir = ReservoirWith(bits);
    const GranuleInfo info = LongGranule(10, 0);
    GuardedLines quantized;

    const int32_t part2Start = reservoir.TotalBits();
    reservoir.GetBits(10);
    DecodeSpectrum(info, Bands44100, part2Start, reservoir, quantized.lines);

    ExpectZerosFrom(quantized.lines, 0);
    EXPECT_EQ(reservoir.TotalBits(), 10);
    EXPECT_EQ(reservoir.GetBits(4), 0b1010u);
}

TEST(HuffmanDecoder, TableZeroGivesZerosWithoutReadingAndRegionsSwitchTables) {
    GranuleInfo info = LongGranule(13, 6);  // 12 lines
    info.region0_count = 0;                 // region 1 from line 4
    info.region1_count = 0;                 // region 2 from line 8
    info.table_select[0] = 0;
    info.table_select[1] = 1;
    info.table_select[2] = 2;
    test::BitWriter bits;
    bits.Put(0b01, 2);   // table 1: (1, 0)
    bits.Put(1, 1);      // -1
    bits.Put(0b001, 3);  // table 1: (0, 1)
    bits.Put(0, 1);
    bits.Put(0b001, 3);  // table 2: (1, 1)
    bits.Put(0b01, 2);
    bits.Put(0b1, 1);  // table 2: (0, 0)
    bits.Put(0b1111, 4);
    BitReservoir reservoir = ReservoirWith(bits);
    GuardedLines quantized;

    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);

    const std::array<int32_t, 12> expected = {0, 0, 0, 0, -1, 0, 0, 1, 1, -1, 0, 0};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(quantized.lines[i], expected[i]) << "line " << i;
    }
    ExpectZerosFrom(quantized.lines, 12);
    EXPECT_EQ(reservoir.TotalBits(), 13);
}

TEST(HuffmanDecoder, LinbitsExtendFifteenBeforeTheSign) {
    const HuffmanTable& table = GetHuffmanTable(24);
    test::BitWriter bits;
    bits.Put(0b0011, 4);  // (15, 15)
    bits.Put(0b1111, 4);  // x: 15 + 15
    bits.Put(0, 1);
    bits.Put(0b0001, 4);  // y: 15 + 1
    bits.Put(1, 1);
    bits.Put(0b00101011, 8);  // (15, 0)
    bits.Put(0b1111, 4);
    bits.Put(1, 1);
    BitReservoir reservoir = ReservoirWith(bits);
    int32_t x = 0;
    int32_t y = 0;
    int32_t v = 0;
    int32_t w = 0;

    ASSERT_TRUE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, -16);
    EXPECT_EQ(reservoir.TotalBits(), 14);
    ASSERT_TRUE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
    EXPECT_EQ(x, -30);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(reservoir.TotalBits(), 27);
}

TEST(HuffmanDecoder, LastQuadruplePastTheChannelIsDroppedAndItsBitsReadAgain) {
    GranuleInfo first = LongGranule(12, 0);
    first.count1table_select = 1;  // table 33: the code of value q is 15 - q in 4 bits
    test::BitWriter bits;
    bits.Put(0b1111, 4);  // 0 0 0 0
    bits.Put(0b0111, 4);  // 1 0 0 0
    bits.Put(1, 1);       // v negative
    bits.Put(0b1100, 4);  // 0 0 1 1, ending 3 bits past the channel ...
    bits.Put(0b01, 2);
    bits.Put(1, 1);  // ... whose last 3 bits 001 and this 1 are the next channel's (0, -1)
    BitReservoir reservoir = ReservoirWith(bits);
    GuardedLines quantized;

    DecodeSpectrum(first, Bands44100, 0, reservoir, quantized.lines);

    EXPECT_EQ(quantized.lines[4], -1);
    quantized.lines[4] = 0;
    ExpectZerosFrom(quantized.lines, 0);
    ASSERT_EQ(reservoir.TotalBits(), 12);

    GranuleInfo second = LongGranule(4, 1);
    second.table_select[0] = 1;
    DecodeSpectrum(second, Bands44100, 12, reservoir, quantized.lines);
    EXPECT_EQ(quantized.lines[0], 0);
    EXPECT_EQ(quantized.lines[1], -1);
    ExpectZerosFrom(quantized.lines, 2);
    EXPECT_EQ(reservoir.TotalBits(), 16);
}

// All-zero main data: table 1 reads it as (1, 1) with positive signs, 5 bits a
// pair; table 2 would give (2, 2).
BitReservoir ZeroReservoir() {
    BitReservoir reservoir;
    for (uint32_t i = 0; i < BitReservoir::Size; ++i) {
        reservoir.PutByte(0);
    }
    return reservoir;
}

TEST(HuffmanDecoder, BigValuesBeyond288StopAtTheLastLineAndStuffingIsSkipped) {
    GranuleInfo info = LongGranule(4095, 400);
    info.table_select[0] = info.table_select[1] = info.table_select[2] = 1;
    BitReservoir reservoir = ZeroReservoir();
    GuardedLines quantized;

    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);

    EXPECT_TRUE(quantized.GuardsIntact());
    for (size_t i = 0; i < 576; ++i) {
        ASSERT_EQ(quantized.lines[i], 1) << "line " << i;
    }
    EXPECT_EQ(reservoir.TotalBits(), 4095);
}

TEST(HuffmanDecoder, BigValuesRunningPastTheChannelGiveTheBitsBack) {
    GranuleInfo info = LongGranule(100, 288);
    info.table_select[0] = info.table_select[1] = info.table_select[2] = 1;
    BitReservoir reservoir = ZeroReservoir();
    GuardedLines quantized;

    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);

    EXPECT_TRUE(quantized.GuardsIntact());
    EXPECT_EQ(quantized.lines[575], 1);  // no quadruple to drop: the pairs stay
    EXPECT_EQ(reservoir.TotalBits(), 100);
}

TEST(HuffmanDecoder, RegionsBeyondTheBandTableReachToTheLastLine) {
    GranuleInfo info = LongGranule(207 * 5, 288);
    info.region0_count = 15;  // region 1 from boundary 16 (line 162)
    info.region1_count = 7;   // boundary 24 does not exist: no region 2
    info.table_select[0] = 0;
    info.table_select[1] = 1;
    info.table_select[2] = 2;
    BitReservoir reservoir = ZeroReservoir();
    GuardedLines quantized;

    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);

    for (size_t i = 0; i < 576; ++i) {
        ASSERT_EQ(quantized.lines[i], i < 162 ? 0 : 1) << "line " << i;
    }
    EXPECT_EQ(reservoir.TotalBits(), 207 * 5);

    info.region0_count = 0xFFFFFFFF;  // nonsense beyond any table still stays inside
    info.region1_count = 0xFFFFFFFF;
    reservoir = ZeroReservoir();
    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);
    EXPECT_TRUE(quantized.GuardsIntact());
    ExpectZerosFrom(quantized.lines, 0);  // table 0 throughout
}

// Region 1 of a short block starts after three short bands in their three windows:
// at line 36, but at line 72 at MPEG-2.5's 8 kHz, whose short bands are wider.
TEST(HuffmanDecoder, ShortBlocksStartRegionOneAfterThreeShortBands) {
    GranuleInfo info = LongGranule(270 * 5, 288);
    info.window_switching_flag = 1;
    info.block_type = 2;
    info.table_select[0] = 0;
    info.table_select[1] = 1;
    info.table_select[2] = 2;  // not used: short blocks have no region 2
    const struct {
        const ScaleFactorBands& bands;
        size_t region1Start;
    } cases[] = {{Bands44100, 36}, {ScaleFactorBandTables[8], 72}};
    for (const auto& c : cases) {
        BitReservoir reservoir = ZeroReservoir();
        GuardedLines quantized;

        DecodeSpectrum(info, c.bands, 0, reservoir, quantized.lines);

        for (size_t i = 0; i < 576; ++i) {
            ASSERT_EQ(quantized.lines[i], i < c.region1Start ? 0 : 1) << "line " << i;
        }
        EXPECT_EQ(reservoir.TotalBits(), 270 * 5);
    }
}

TEST(HuffmanDecoder, QuadrupleAtTheLastLinesStoresOnlyVAndW) {
    GranuleInfo info = LongGranule(8, 287);  // big values up to line 574, table 0
    info.count1table_select = 1;
    test::BitWriter bits;
    bits.Put(0b0000, 4);  // 1 1 1 1
    bits.Put(0b0101, 4);  // signs: v +, w -, x +, y -
    BitReservoir reservoir = ReservoirWith(bits);
    GuardedLines quantized;

    DecodeSpectrum(info, Bands44100, 0, reservoir, quantized.lines);

    EXPECT_TRUE(quantized.GuardsIntact());
    EXPECT_EQ(quantized.lines[574], 1);
    EXPECT_EQ(quantized.lines[575], -1);
    EXPECT_EQ(quantized.lines[573], 0);
    EXPECT_EQ(reservoir.TotalBits(), 8);
}

// The spectrum decoding reads most codes from a lookup window of its own; on random
// main data and side information it must give exactly what decoding code by code
// with DecodeHuffmanPair gives: the lines, the bits read, and as its count the
// lines up to the last non-zero one.
struct PairByPair {
    std::array<int32_t, 576> lines{};
    uint32_t coded = 0;
    int32_t totalBits = 0;
};

PairByPair DecodeCodeByCode(const GranuleInfo& info, BitReservoir reservoir) {
    PairByPair result;
    uint32_t region1 = 36;
    uint32_t region2 = 576;
    if (!info.IsShort()) {
        region1 = info.region0_count + 1 < 23 ? Bands44100.longBounds[info.region0_count + 1] : 576;
        const uint32_t index2 = info.region0_count + info.region1_count + 2;
        region2 = index2 < 23 ? Bands44100.longBounds[index2] : 576;
    }
    int32_t x = 0;
    int32_t y = 0;
    int32_t v = 0;
    int32_t w = 0;
    uint32_t line = 0;
    for (; line < std::min<uint32_t>(2 * info.big_values, 576); line += 2) {
        const unsigned region = line < region1 ? 0 : (line < region2 ? 1 : 2);
        DecodeHuffmanPair(GetHuffmanTable(info.table_select[region]), x, y, v, w, reservoir);
        result.lines[line] = x;
        result.lines[line + 1] = y;
    }
    const int64_t end = info.part2_3_length;
    const uint32_t count1Start = line;
    while (reservoir.TotalBits() < end && line < 576) {
        DecodeHuffmanPair(GetHuffmanTable(32 + info.count1table_select), x, y, v, w, reservoir);
        const std::array<int32_t, 4> values = {v, w, x, y};
        for (uint32_t i = 0; i < 4 && line + i < 576; ++i) {
            result.lines[line + i] = values[i];
        }
        line += 4;
    }
    if (reservoir.TotalBits() > end && line > count1Start) {
        line -= 4;
    }
    for (uint32_t i = line; i < 576; ++i) {
        result.lines[i] = 0;
    }
    result.coded = std::min<uint32_t>(line, 576);
    while (result.coded > 0 && result.lines[result.coded - 1] == 0) {
        --result.coded;
    }
    result.totalBits = static_cast<int32_t>(end);
    return result;
}

TEST(HuffmanDecoder, SpectrumMatchesDecodingCodeByCodeOnRandomData) {
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        BitReservoir reservoir;
        for (uint32_t i = 0; i < BitReservoir::Size; ++i) {
            // Runs of zero and one bits reach the long codes and the escapes.
            const uint32_t kind = next(4);
            reservoir.PutByte(kind == 0 ? 0x00 : kind == 1 ? 0xFF : next(256));
        }
        GranuleInfo info;
        info.big_values = next(300);
        info.part2_3_length = next(4096);
        info.region0_count = next(16);
        info.region1_count = next(8);
        info.window_switching_flag = next(4) == 0 ? 1 : 0;
        info.block_type = 2;
        info.count1table_select = next(2);
        for (uint32_t& table : info.table_select) {
            table = next(32);
        }
        const PairByPair expected = DecodeCodeByCode(info, reservoir);
        std::array<int32_t, 576> lines{};
        lines.fill(7);
        const uint32_t coded = DecodeSpectrum(info, Bands44100, 0, reservoir, lines);
        ASSERT_EQ(coded, expected.coded);
        ASSERT_EQ(lines, expected.lines);
        ASSERT_EQ(reservoir.TotalBits(), expected.totalBits);
    }
}

// The bit-by-bit walk and the lookup built from the same tree must agree even on
// trees that never end a code or step out of themselves.

TEST(HuffmanDecoder, CodeWithoutLeafWithin32BitsKeepsThePreviousValues) {
    // Bit 0 leads to the leaf (2, 1); bit 1 stays on the root for ever.
    const uint8_t tree[2][2] = {{1, 0}, {0, 0x21}};
    HuffmanLookup lookup;
    BuildHuffmanLookup(tree, 2, lookup);
    for (const HuffmanLookup* walk : std::array<const HuffmanLookup*, 2>{nullptr, &lookup}) {
        SCOPED_TRACE(walk == nullptr ? "bit by bit" : "lookup");
        const HuffmanTable table{"loop", 16, 16, 0, 0, tree, 2, walk};
        test::BitWriter bits;
        bits.Put(0, 1);
        bits.Put(0b10, 2);  // x negative, y positive
        bits.Put(0xFFFFFFFF, 32);
        bits.Put(0b01, 2);  // the signs still follow: x stays -2, y turns negative
        bits.Put(0b1010, 4);
        BitReservoir reservoir = ReservoirWith(bits);
        int32_t x = 0;
        int32_t y = 0;
        int32_t v = 0;
        int32_t w = 0;

        ASSERT_TRUE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
        EXPECT_EQ(x, -2);
        EXPECT_EQ(y, 1);
        EXPECT_FALSE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
        EXPECT_EQ(x, -2);
        EXPECT_EQ(y, -1);
        EXPECT_EQ(reservoir.TotalBits(), 3 + 32 + 2);
    }
}

TEST(HuffmanDecoder, StepOutOfTheTreeEndsTheWalk) {
    const uint8_t tree[1][2] = {{5, 5}};
    HuffmanLookup lookup;
    BuildHuffmanLookup(tree, 1, lookup);
    for (const HuffmanLookup* walk : std::array<const HuffmanLookup*, 2>{nullptr, &lookup}) {
        SCOPED_TRACE(walk == nullptr ? "bit by bit" : "lookup");
        const HuffmanTable table{"broken", 16, 16, 0, 0, tree, 1, walk};
        test::BitWriter bits;
        bits.Put(0xFFFF, 16);
        BitReservoir reservoir = ReservoirWith(bits);
        int32_t x = 0;
        int32_t y = 0;
        int32_t v = 0;
        int32_t w = 0;

        EXPECT_FALSE(DecodeHuffmanPair(table, x, y, v, w, reservoir));
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(reservoir.TotalBits(), 1);
    }
}

}  // namespace
}  // namespace aurion
