#include <gtest/gtest.h>

#include <string>

#include "control/decoder/stream/Crc16.h"

namespace aurion {
namespace {

TEST(Crc16, MatchesCheckValueOfPolynomial8005FromAllOnes) {
    // CRC-16 with generator 0x8005, start 0xFFFF, no reflection: check value of
    // "123456789" is 0xAEE7.
    Crc16 crc;
    for (char c : std::string("123456789")) {
        crc.Update(static_cast<uint8_t>(c), 8);
    }
    EXPECT_EQ(crc.Value(), 0xAEE7);
}

TEST(Crc16, FeedsOnlyTheLowBitsMostSignificantFirst) {
    Crc16 whole;
    whole.Update(0xA5C3, 16);
    Crc16 pieces;
    pieces.Update(0xFFFFFFF5, 3);  // 101
    pieces.Update(0x0025, 5);      // 00101
    pieces.Update(0xC3, 8);
    EXPECT_EQ(pieces.Value(), whole.Value());

    Crc16 wide;
    wide.Update(0x1234A5C3, 32);
    Crc16 split;
    split.Update(0x1234, 16);
    split.Update(0xA5C3, 16);
    EXPECT_EQ(wide.Value(), split.Value());
}

}  // namespace
}  // namespace aurion
