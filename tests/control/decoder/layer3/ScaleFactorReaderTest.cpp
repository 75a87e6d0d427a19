#include <gtest/gtest.h>

#include "control/decoder/layer3/ScaleFactorReader.h"
#include "tests/support/BitWriter.h"
#include "tests/support/Layer3Granules.h"

namespace aurion {
namespace {

using test::BitSource;
using test::BitWriter;

GranuleInfo LongGranule(uint32_t sfc) {
    GranuleInfo g;
    g.scalefac_compress = sfc;
    return g;
}

GranuleInfo ShortGranule(uint32_t sfc, bool mixed) {
    GranuleInfo g = test::ShortGranule(mixed);
    g.scalefac_compress = sfc;
    return g;
}

TEST(ScaleFactorReader, Mpeg1LongBlocksReadFourGroupsWithSlen1ThenSlen2) {
    // scalefac_compress 15: slen1 4, slen2 3.
    BitWriter w;
    for (int band = 0; band < 11; ++band) w.Put(static_cast<uint32_t>(band + 1), 4);
    for (int band = 11; band < 21; ++band) w.Put(static_cast<uint32_t>(band - 10), 3);
    BitSource bits(w.Bytes());
    const uint32_t scfsi[4] = {0, 0, 0, 0};
    ScaleFactors sf;
    sf.l[21] = 9;
    ReadScaleFactorsMpeg1(bits, LongGranule(15), scfsi, 0, sf);
    EXPECT_EQ(bits.Position(), 11u * 4 + 10u * 3);
    EXPECT_EQ(sf.l[0], 1);
    EXPECT_EQ(sf.l[10], 11);
    EXPECT_EQ(sf.l[11], 1);
    EXPECT_EQ(sf.l[20], 10 & 7);  // 3 bits
    EXPECT_EQ(sf.l[21], 0);
}

TEST(ScaleFactorReader, Scfsi1111ReusesAllLongScaleFactorsOfGranuleZero) {
    BitWriter w;
    for (int band = 0; band < 21; ++band) w.Put(static_cast<uint32_t>(band % 8), 3);
    BitSource bits(w.Bytes());
    const uint32_t scfsi[4] = {1, 1, 1, 1};
    ScaleFactors sf;
    ReadScaleFactorsMpeg1(bits, LongGranule(13), scfsi, 0, sf);  // slen 3, 3
    const ScaleFactors granule0 = sf;
    ASSERT_EQ(bits.Position(), 63u);
    ReadScaleFactorsMpeg1(bits, LongGranule(13), scfsi, 1, sf);
    EXPECT_EQ(bits.Position(), 63u);  // nothing read for granule 1
    EXPECT_EQ(sf.l, granule0.l);
    EXPECT_EQ(sf.l[7], 7);
}

TEST(ScaleFactorReader, ScfsiReusesOnlyTheMarkedGroups) {
    BitWriter w;
    for (int band = 0; band < 21; ++band) w.Put(5, 3);
    for (int band = 6; band < 11; ++band) w.Put(2, 3);   // group 1 of granule 1
    for (int band = 16; band < 21; ++band) w.Put(1, 3);  // group 3 of granule 1
    BitSource bits(w.Bytes());
    const uint32_t scfsi[4] = {1, 0, 1, 0};
    ScaleFactors sf;
    ReadScaleFactorsMpeg1(bits, LongGranule(13), scfsi, 0, sf);
    ReadScaleFactorsMpeg1(bits, LongGranule(13), scfsi, 1, sf);
    EXPECT_EQ(bits.Position(), 31u * 3);
    EXPECT_EQ(sf.l[5], 5);
    EXPECT_EQ(sf.l[6], 2);
    EXPECT_EQ(sf.l[15], 5);
    EXPECT_EQ(sf.l[16], 1);
}

TEST(ScaleFactorReader, Mpeg1MixedBlockReadsEightLongThenShortBandsFromThree) {
    // scalefac_compress 11: slen1 3, slen2 1.
    BitWriter w;
    for (int band = 0; band < 8; ++band) w.Put(static_cast<uint32_t>(band), 3);
    for (int band = 3; band < 6; ++band)
        for (int win = 0; win < 3; ++win) w.Put(static_cast<uint32_t>(win + 4), 3);
    for (int band = 6; band < 12; ++band)
        for (int win = 0; win < 3; ++win) w.Put(static_cast<uint32_t>(win == 1), 1);
    BitSource bits(w.Bytes());
    const uint32_t scfsi[4] = {1, 1, 1, 1};  // ignored for short blocks
    ScaleFactors sf;
    sf.s[0][12] = 3;
    ReadScaleFactorsMpeg1(bits, ShortGranule(11, true), scfsi, 1, sf);
    EXPECT_EQ(bits.Position(), 8u * 3 + 9u * 3 + 18u);
    EXPECT_EQ(sf.l[7], 7);
    EXPECT_EQ(sf.s[0][3], 4);
    EXPECT_EQ(sf.s[2][5], 6);
    EXPECT_EQ(sf.s[1][11], 1);
    EXPECT_EQ(sf.s[0][11], 0);
    EXPECT_EQ(sf.s[0][12], 0);
}

TEST(ScaleFactorReader, LsfLayoutsFollowScalefacCompress) {
    const LsfScaleFactorLayout plain = LsfLayout(361, false);
    EXPECT_EQ(plain.blockNumber, 0);
    EXPECT_EQ(plain.slen, (std::array<uint32_t, 4>{4, 2, 2, 1}));
    EXPECT_EQ(plain.preflag, 0u);

    const LsfScaleFactorLayout second = LsfLayout(471, false);  // (71 / 4) = 17
    EXPECT_EQ(second.blockNumber, 1);
    EXPECT_EQ(second.slen, (std::array<uint32_t, 4>{3, 2, 3, 0}));

    const LsfScaleFactorLayout third = LsfLayout(511, false);
    EXPECT_EQ(third.blockNumber, 2);
    EXPECT_EQ(third.slen, (std::array<uint32_t, 4>{3, 2, 0, 0}));
    EXPECT_EQ(third.preflag, 1u);
}

TEST(ScaleFactorReader, LsfIntensityRightChannelWithCompress361UsesBlockNumberFour) {
    const LsfScaleFactorLayout layout = LsfLayout(361, true);  // h = 180
    EXPECT_EQ(layout.blockNumber, 4);
    EXPECT_EQ(layout.slen, (std::array<uint32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(LsfLayout(359, true).blockNumber, 3);         // h = 179
    const LsfScaleFactorLayout top = LsfLayout(488, true);  // h = 244
    EXPECT_EQ(top.blockNumber, 5);
    EXPECT_EQ(top.preflag, 0u);

    // h = 200: slen 1, 1, 0 over the block-4 partitions 6, 6, 6, 3.
    BitWriter w;
    for (int i = 0; i < 12; ++i) w.Put(1, 1);
    BitSource bits(w.Bytes());
    GranuleInfo g = LongGranule(401);
    g.preflag = 1;
    ScaleFactors sf;
    ReadScaleFactorsLsf(bits, g, true, sf);
    EXPECT_EQ(bits.Position(), 12u);
    EXPECT_EQ(g.preflag, 0u);
    EXPECT_EQ(sf.l[11], 1);
    EXPECT_EQ(sf.l[12], 0);
}

TEST(ScaleFactorReader, LsfLongBlockDistributesPartitionsOverBands) {
    // sfc 0..399, block 0: partitions 6, 5, 5, 5 with slen 1, 1, 1, 1 (sfc 85).
    ASSERT_EQ(LsfLayout(85, false).slen, (std::array<uint32_t, 4>{1, 0, 1, 1}));
    BitWriter w;
    for (int i = 0; i < 6; ++i) w.Put(1, 1);
    for (int i = 0; i < 10; ++i) w.Put(i % 2, 1);
    BitSource bits(w.Bytes());
    GranuleInfo g = LongGranule(85);
    ScaleFactors sf;
    ReadScaleFactorsLsf(bits, g, false, sf);
    EXPECT_EQ(bits.Position(), 16u);
    EXPECT_EQ(sf.l[5], 1);
    EXPECT_EQ(sf.l[6], 0);  // partition 1 has slen 0
    EXPECT_EQ(sf.l[10], 0);
    EXPECT_EQ(sf.l[11], 0);
    EXPECT_EQ(sf.l[12], 1);
    EXPECT_EQ(sf.l[20], 1);
}

TEST(ScaleFactorReader, LsfMixedBlockHasSixLongBandsThenShortFromBandThree) {
    // sfc 500 + 3 x 2 + 1 = 507: slen 2, 1, block 2, mixed partitions 15, 18.
    BitWriter w;
    for (int i = 0; i < 15; ++i) w.Put(static_cast<uint32_t>(i % 4), 2);
    for (int i = 0; i < 18; ++i) w.Put(1, 1);
    BitSource bits(w.Bytes());
    GranuleInfo g = ShortGranule(507, true);
    ScaleFactors sf;
    ReadScaleFactorsLsf(bits, g, false, sf);
    EXPECT_EQ(bits.Position(), 15u * 2 + 18u);
    EXPECT_EQ(g.preflag, 1u);
    EXPECT_EQ(sf.l[5], 1);            // value 5 of the buffer
    EXPECT_EQ(sf.s[0][3], 2);         // value 6: first short band
    EXPECT_EQ(sf.s[2][5], (14 % 4));  // value 6 + 3 x 2 + 2 = 14
    EXPECT_EQ(sf.s[0][8], 1);         // value 21: second partition
    EXPECT_EQ(sf.s[2][11], 1);        // value 32, the last
    EXPECT_EQ(sf.s[0][12], 0);
}

}  // namespace
}  // namespace aurion
