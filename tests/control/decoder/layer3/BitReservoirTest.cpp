#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "control/decoder/layer3/BitReservoir.h"

namespace aurion {
namespace {

void Put(BitReservoir& reservoir, std::initializer_list<uint32_t> bytes) {
    for (const uint32_t byte : bytes) {
        reservoir.PutByte(byte);
    }
}

TEST(BitReservoir, ReadsMostSignificantBitFirstAcrossBytes) {
    BitReservoir reservoir;
    // 10100101 00111100 11111111 00000000 00010010 10000000
    Put(reservoir, {0xA5, 0x3C, 0xFF, 0x00, 0x12, 0x80});
    EXPECT_EQ(reservoir.GetBits(3), 0b101u);
    EXPECT_EQ(reservoir.GetBits(7), 0b0010100u);
    EXPECT_EQ(reservoir.Get1Bit(), 1u);
    EXPECT_EQ(reservoir.GetBits(32), 0xE7F80094u);
    EXPECT_EQ(reservoir.TotalBits(), 43);
    EXPECT_EQ(reservoir.GetBits(5), 0u);
    EXPECT_EQ(reservoir.TotalBits(), 48);
}

TEST(BitReservoir, ZeroBitsReadNothing) {
    BitReservoir reservoir;
    Put(reservoir, {0xFF});
    EXPECT_EQ(reservoir.GetBits(0), 0u);
    EXPECT_EQ(reservoir.TotalBits(), 0);
    EXPECT_EQ(reservoir.GetBits(8), 0xFFu);
}

TEST(BitReservoir, KeepsOnlyTheLowByteOfAnEntry) {
    BitReservoir reservoir;
    Put(reservoir, {0x1234, 0xFFFFFF01});
    EXPECT_EQ(reservoir.GetBits(16), 0x3401u);
}

TEST(BitReservoir, RewindBitsRereadsTheSameBitsAndLowersTheCount) {
    BitReservoir reservoir;
    Put(reservoir, {0xC3, 0x5A, 0x0F});
    reservoir.GetBits(13);
    reservoir.RewindBits(5);
    EXPECT_EQ(reservoir.TotalBits(), 8);
    EXPECT_EQ(reservoir.GetBits(5), 0b01011u);  // bits 8..12: 01011 of 0x5A
    reservoir.RewindBits(13);
    EXPECT_EQ(reservoir.TotalBits(), 0);
    EXPECT_EQ(reservoir.GetBits(24), 0xC35A0Fu);
}

TEST(BitReservoir, RewindBeforeTheFirstByteReadsTheEndOfTheRing) {
    BitReservoir reservoir;
    for (uint32_t i = 0; i < BitReservoir::Size; ++i) {
        reservoir.PutByte(i == BitReservoir::Size - 1 ? 0xAB : 0);
    }
    reservoir.GetBits(4);
    reservoir.RewindBits(12);
    EXPECT_EQ(reservoir.TotalBits(), -8);
    EXPECT_EQ(reservoir.GetBits(8), 0xABu);
    EXPECT_EQ(reservoir.TotalBits(), 0);
}

TEST(BitReservoir, WrapsPastTheRingKeepingEveryByte) {
    BitReservoir reservoir;
    uint32_t written = 0;
    uint32_t read = 0;
    // Keep the writer ahead of the reader but never a full ring ahead.
    while (read < 10000) {
        for (int i = 0; i < 700; ++i) {
            reservoir.PutByte(written++ * 7 + 3);
        }
        while (read < written) {
            const uint32_t expected = (read * 7 + 3) & 0xFF;
            ASSERT_EQ(reservoir.GetBits(8), expected) << "byte " << read;
            ++read;
        }
    }
    EXPECT_EQ(reservoir.TotalBits(), static_cast<int32_t>(read * 8));
}

TEST(BitReservoir, RewindBytesOfAWholeRingKeepsThePositionAndShrinksTheCount) {
    BitReservoir reservoir;
    for (uint32_t i = 0; i < 4200; ++i) {
        reservoir.PutByte(i);
        if (i < 4100) {
            reservoir.GetBits(8);
        }
    }
    reservoir.GetBits(3);
    ASSERT_EQ(reservoir.TotalBits(), 4100 * 8 + 3);
    reservoir.RewindBytes(4096);
    EXPECT_EQ(reservoir.TotalBits(), 4 * 8 + 3);
    EXPECT_EQ(reservoir.GetBits(5), 4100u & 0x1F);
    EXPECT_EQ(reservoir.GetBits(8), 4101u & 0xFF);
    reservoir.RewindBytes(2);
    EXPECT_EQ(reservoir.TotalBits(), 4 * 8 + 3 + 5 + 8 - 16);
    EXPECT_EQ(reservoir.GetBits(8), 4100u & 0xFF);
}

// Bulk appends across the ring's end (and of more than the ring) must leave what
// single appends leave: the same reads everywhere, windows over the end included.
TEST(BitReservoir, PutBytesLeavesWhatPutByteLeaves) {
    for (const size_t lead : {size_t{0}, size_t{3}, size_t{4000}, size_t{4093}}) {
        for (const size_t count : {size_t{0}, size_t{5}, size_t{200}, size_t{5000}}) {
            SCOPED_TRACE(testing::Message() << "lead " << lead << " count " << count);
            BitReservoir bulk;
            BitReservoir single;
            std::vector<uint8_t> bytes(count);
            for (size_t i = 0; i < count; ++i) {
                bytes[i] = static_cast<uint8_t>(i * 37 + 11);
            }
            for (size_t i = 0; i < lead; ++i) {
                bulk.PutByte(static_cast<uint32_t>(i));
                single.PutByte(static_cast<uint32_t>(i));
            }
            bulk.PutBytes(bytes);
            for (const uint8_t byte : bytes) {
                single.PutByte(byte);
            }
            bulk.PutByte(0xC3);  // the write index moved on alike
            single.PutByte(0xC3);
            for (uint32_t bit = 0; bit < BitReservoir::Size * 8 + 64; bit += 29) {
                ASSERT_EQ(bulk.PeekWindow(), single.PeekWindow()) << "bit " << bit;
                bulk.SkipBits(29);
                single.SkipBits(29);
            }
        }
    }
}

TEST(BitReservoir, ResetAndCopiesStartOver) {
    BitReservoir reservoir;
    Put(reservoir, {0x80, 0x40});
    reservoir.GetBits(3);
    BitReservoir copy = reservoir;
    EXPECT_EQ(copy.TotalBits(), 3);
    EXPECT_EQ(copy.GetBits(8), 0x02u);  // 00000 010
    EXPECT_EQ(reservoir.TotalBits(), 3);

    reservoir.Reset();
    EXPECT_EQ(reservoir.TotalBits(), 0);
    EXPECT_EQ(reservoir.GetBits(16), 0u);  // the ring is empty again
    reservoir.Reset();
    Put(reservoir, {0x5A});
    EXPECT_EQ(reservoir.GetBits(8), 0x5Au);  // and writes start at entry 0
}

}  // namespace
}  // namespace aurion
