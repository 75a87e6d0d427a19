#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "control/decoder/layer3/Pretab.h"
#include "control/decoder/layer3/Requantizer.h"

namespace aurion {
namespace {

const ScaleFactorBands& Bands441() { return ScaleFactorBandTables[3]; }

GranuleInfo Granule(uint32_t globalGain) {
    GranuleInfo g;
    g.global_gain = globalGain;
    return g;
}

TEST(Requantizer, GlobalGain210WithZeroScaleFactorsIsThePlainPowerLaw) {
    std::array<int32_t, 576> q{};
    q[0] = 1;
    q[1] = -8;
    q[575] = 27;
    std::array<float, 576> out;
    out.fill(99.0f);
    Requantize(q, Granule(210), ScaleFactors{}, Bands441(), out);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(out[1], -16.0f);
    EXPECT_EQ(out[2], 0.0f);
    EXPECT_FLOAT_EQ(out[575], 81.0f);
}

TEST(Requantizer, ValuesAboveTheTableUseThePowerFunction) {
    std::array<int32_t, 576> q{};
    q[10] = 2000;
    q[11] = -1024;
    q[12] = 1023;
    std::array<float, 576> out{};
    Requantize(q, Granule(214), ScaleFactors{}, Bands441(), out);  // gain 2
    EXPECT_FLOAT_EQ(out[10], static_cast<float>(std::pow(2000.0, 4.0 / 3.0) * 2.0));
    EXPECT_FLOAT_EQ(out[11], static_cast<float>(-std::pow(1024.0, 4.0 / 3.0) * 2.0));
    EXPECT_FLOAT_EQ(out[12], static_cast<float>(std::pow(1023.0, 4.0 / 3.0) * 2.0));
}

TEST(Requantizer, LongBandScaleFactorsPreflagAndScalefacScale) {
    std::array<int32_t, 576> q{};
    q.fill(1);
    ScaleFactors sf;
    sf.l[1] = 2;   // lines 4..7 at 44.1 kHz
    sf.l[17] = 1;  // pretab 3
    GranuleInfo g = Granule(210);
    std::array<float, 576> out{};
    Requantize(q, g, sf, Bands441(), out);
    EXPECT_FLOAT_EQ(out[3], 1.0f);
    EXPECT_FLOAT_EQ(out[4], 0.5f);
    EXPECT_FLOAT_EQ(out[7], 0.5f);
    EXPECT_FLOAT_EQ(out[196], std::pow(2.0f, -0.5f));

    g.scalefac_scale = 1;
    g.preflag = 1;
    Requantize(q, g, sf, Bands441(), out);
    EXPECT_FLOAT_EQ(out[4], 0.25f);
    EXPECT_FLOAT_EQ(out[196], std::pow(2.0f, -4.0f));  // (1 + pretab 3) << 1
    EXPECT_FLOAT_EQ(out[575], 1.0f);                   // band 21: no scale factor, pretab 0
}

TEST(Requantizer, ShortBandsApplySubblockGainPerWindow) {
    std::array<int32_t, 576> q{};
    q.fill(1);
    GranuleInfo g = Granule(210);
    g.window_switching_flag = 1;
    g.block_type = 2;
    g.subblock_gain[1] = 1;
    ScaleFactors sf;
    sf.s[2][0] = 2;
    std::array<float, 576> out{};
    Requantize(q, g, sf, Bands441(), out);
    // Short band 0 is 4 lines wide: window 0 at 0..3, window 1 at 4..7, window 2 at 8..11.
    EXPECT_FLOAT_EQ(out[3], 1.0f);
    EXPECT_FLOAT_EQ(out[4], 0.25f);
    EXPECT_FLOAT_EQ(out[8], 0.5f);
    EXPECT_FLOAT_EQ(out[12], 1.0f);   // band 1, window 0
    EXPECT_FLOAT_EQ(out[16], 0.25f);  // band 1, window 1
}

// Lines from the coded count on are zero whatever the array holds there, in the
// middle of a band too, and a band with a value beyond the table keeps the exact
// values of its other lines, negative ones included.
TEST(Requantizer, LinesFromTheCodedCountOnAreZeroInEveryBlockType) {
    std::array<int32_t, 576> q{};
    q.fill(-3);
    q[4] = 1500;
    for (const uint32_t blockType : {0u, 2u}) {
        SCOPED_TRACE(blockType);
        GranuleInfo g = Granule(210);
        g.window_switching_flag = blockType == 2 ? 1 : 0;
        g.block_type = blockType;
        std::array<float, 576> out;
        out.fill(99.0f);
        Requantize(q, g, ScaleFactors{}, Bands441(), out, 30);
        EXPECT_FLOAT_EQ(out[4], static_cast<float>(std::pow(1500.0, 4.0 / 3.0)));
        for (size_t line = 0; line < 30; ++line) {
            if (line != 4) {
                ASSERT_FLOAT_EQ(out[line], static_cast<float>(-std::pow(3.0, 4.0 / 3.0))) << line;
            }
        }
        for (size_t line = 30; line < 576; ++line) {
            ASSERT_EQ(std::bit_cast<uint32_t>(out[line]), 0u) << line;
        }
    }
}

TEST(Requantizer, MixedBlockUsesLongBandsBelowLine36) {
    std::array<int32_t, 576> q{};
    q.fill(1);
    GranuleInfo g = Granule(210);
    g.window_switching_flag = 1;
    g.block_type = 2;
    g.mixed_block_flag = 1;
    ScaleFactors sf;
    sf.l[7] = 2;     // lines 30..35
    sf.s[1][3] = 4;  // band 3 starts at line 36, window 1 at 40
    std::array<float, 576> out{};
    Requantize(q, g, sf, Bands441(), out);
    EXPECT_FLOAT_EQ(out[35], 0.5f);
    EXPECT_FLOAT_EQ(out[36], 1.0f);
    EXPECT_FLOAT_EQ(out[40], 0.25f);
}

TEST(Requantizer, HugeExponentsStayInsideTheTable) {
    std::array<int32_t, 576> q{};
    q.fill(-8206);
    GranuleInfo g = Granule(255);
    g.window_switching_flag = 1;
    g.block_type = 2;
    g.scalefac_scale = 1;
    g.subblock_gain[0] = 7;
    ScaleFactors sf;
    for (auto& window : sf.s) window.fill(1 << 20);
    std::array<float, 576> out{};
    Requantize(q, g, sf, Bands441(), out);
    const float expected = static_cast<float>(-std::pow(8206.0, 4.0 / 3.0) *
                                              std::pow(2.0, 45.0 / 4.0) * std::pow(2.0, -31.5));
    EXPECT_FLOAT_EQ(out[0], expected);
}

}  // namespace
}  // namespace aurion
