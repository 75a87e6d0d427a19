#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "control/decoder/layer3/IntensityRatio.h"
#include "control/decoder/layer3/StereoProcessor.h"

namespace aurion {
namespace {

const ScaleFactorBands& Bands441() { return ScaleFactorBandTables[3]; }
const ScaleFactorBands& Bands22() { return ScaleFactorBandTables[0]; }

struct StereoFixture {
    std::array<Spectrum, 2> in{};
    std::array<Spectrum, 2> out{};
    std::unique_ptr<StereoProcessor> processor = std::make_unique<StereoProcessor>();
    ScaleFactors right;
    GranuleInfo rightGranule;
};

StereoMode Intensity(bool lsf = false, int row = 0) {
    StereoMode mode;
    mode.intensity = true;
    mode.lsf = lsf;
    mode.intensityRow = row;
    return mode;
}

TEST(StereoProcessor, MiddleSideGivesSumAndDifferenceOverRootTwo) {
    StereoFixture f;
    f.in[0][5] = 1.0f;
    f.in[1][5] = 0.5f;
    StereoMode mode;
    mode.middleSide = true;
    f.processor->Process(mode, f.rightGranule, f.right, Bands441(), f.in, f.out);
    EXPECT_FLOAT_EQ(f.out[0][5], 1.5f * 0.70710677f);
    EXPECT_FLOAT_EQ(f.out[1][5], 0.5f * 0.70710677f);
}

// With bounds the joint modes stop early: the result must match the full pass on
// every line, and the bound returned must cover both inputs.
TEST(StereoProcessor, BoundsGiveTheFullPassResult) {
    for (bool intensity : {false, true}) {
        StereoFixture bounded;
        bounded.in[0][300] = 1.0f;
        bounded.in[0][7] = -2.0f;
        bounded.in[1][40] = 0.25f;
        bounded.right.l.fill(2);
        StereoFixture full;
        full.in = bounded.in;
        full.right = bounded.right;
        StereoMode mode = intensity ? Intensity() : StereoMode{};
        mode.middleSide = true;
        bounded.out[0].fill(9.0f);  // whatever a previous granule left
        bounded.out[1].fill(9.0f);
        const std::array<size_t, 2> bounds =
            bounded.processor->Process(mode, bounded.rightGranule, bounded.right, Bands441(),
                                       bounded.in, bounded.out, {301, 41});
        full.processor->Process(mode, full.rightGranule, full.right, Bands441(), full.in, full.out);
        EXPECT_EQ(bounds, (std::array<size_t, 2>{301, 301}));
        EXPECT_EQ(bounded.out, full.out) << intensity;
        EXPECT_NE(full.out[1][300], 0.0f);
    }
}

TEST(StereoProcessor, PlainStereoCopiesBothChannels) {
    StereoFixture f;
    f.in[0][0] = 3.0f;
    f.in[1][575] = -2.0f;
    f.processor->Process(StereoMode{}, f.rightGranule, f.right, Bands441(), f.in, f.out);
    EXPECT_EQ(f.out[0][0], 3.0f);
    EXPECT_EQ(f.out[1][575], -2.0f);
}

TEST(StereoProcessor, Mpeg1PositionThreeSplitsEvenlyOverAnAllZeroRightChannel) {
    StereoFixture f;
    f.in[0].fill(2.0f);
    f.right.l.fill(3);
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    // An all-zero right channel: the whole spectrum is intensity coded, band 0 too.
    for (size_t i = 0; i < 576; ++i) {
        ASSERT_EQ(f.processor->IntensityPositions()[i], 3) << i;
        ASSERT_FLOAT_EQ(f.out[0][i], 1.0f) << i;
        ASSERT_FLOAT_EQ(f.out[1][i], 1.0f) << i;
    }
}

TEST(StereoProcessor, RightDataAtLineZeroKeepsBandZeroStereo) {
    StereoFixture f;
    f.in[0].fill(2.0f);
    f.in[1][0] = 0.5f;
    f.right.l.fill(3);
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(positions[i], StereoProcessor::NotCoded) << i;
        EXPECT_EQ(f.out[0][i], 2.0f);
    }
    EXPECT_EQ(f.out[1][0], 0.5f);
    EXPECT_EQ(positions[4], 3);
    EXPECT_FLOAT_EQ(f.out[0][4], 1.0f);
}

TEST(StereoProcessor, Mpeg1IntensityStartsAboveTheLastRightLine) {
    StereoFixture f;
    f.in[0].fill(1.0f);
    f.in[1][100] = 1.0f;  // inside long band 13 (90..109) at 44.1 kHz
    for (size_t b = 0; b < 23; ++b) f.right.l[b] = static_cast<int32_t>(b % 7);
    f.right.l[20] = 6;
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    EXPECT_EQ(positions[109], StereoProcessor::NotCoded);
    EXPECT_EQ(positions[110], 14 % 7);  // band 14
    EXPECT_EQ(positions[418], 6);       // band 21 follows band 20
    EXPECT_EQ(positions[575], 6);
    // Position 0: all in the right channel; position 6: all in the left.
    EXPECT_FLOAT_EQ(f.out[0][110], 0.0f);
    EXPECT_FLOAT_EQ(f.out[1][110], 1.0f);
    EXPECT_NEAR(f.out[0][575], 1.0f, 1e-6f);
    EXPECT_NEAR(f.out[1][575], 0.0f, 1e-6f);
}

TEST(StereoProcessor, Mpeg1PositionsOfSevenAndAboveAreNotIntensityCoded) {
    StereoFixture f;
    f.in[0].fill(1.0f);
    f.right.l.fill(7);
    f.right.l[5] = 15;
    f.right.l[6] = 2;
    StereoMode mode = Intensity();
    mode.middleSide = true;
    f.processor->Process(mode, f.rightGranule, f.right, Bands441(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    EXPECT_EQ(positions[20], StereoProcessor::NotCoded);  // band 5: 15
    EXPECT_FLOAT_EQ(f.out[0][20], 0.70710677f);           // middle/side there
    EXPECT_FLOAT_EQ(f.out[1][20], 0.70710677f);
    EXPECT_EQ(positions[24], 2);  // band 6
    EXPECT_FLOAT_EQ(f.out[0][24], IntensityRatio[2] / (1.0f + IntensityRatio[2]));
}

TEST(StereoProcessor, LsfFactorPairsFollowThePositionParity) {
    const float io[2] = {0.840896415256f, 0.707106781188f};
    for (int row = 0; row < 2; ++row) {
        for (int32_t p = 0; p < 7; ++p) {
            StereoFixture f;
            f.in[0].fill(1.0f);
            f.right.l.fill(p);
            f.right.lsfLimitL.fill(15);
            f.processor->Process(Intensity(true, row), f.rightGranule, f.right, Bands22(), f.in,
                                 f.out);
            float left = 1.0f;
            float right = 1.0f;
            if (p % 2 == 1) left = std::pow(io[row], static_cast<float>((p + 1) / 2));
            if (p % 2 == 0 && p > 0) right = std::pow(io[row], static_cast<float>(p / 2));
            EXPECT_NEAR(f.out[0][300], left, 1e-6f) << "row " << row << " p " << p;
            EXPECT_NEAR(f.out[1][300], right, 1e-6f) << "row " << row << " p " << p;
        }
    }
}

TEST(StereoProcessor, LsfLargestValueOfTheBandsSlenIsNotIntensityCoded) {
    StereoFixture f;
    f.in[0].fill(1.0f);
    f.right.l.fill(7);
    f.right.lsfLimitL.fill(7);   // slen 3
    f.right.lsfLimitL[12] = 15;  // slen 4: 7 is an ordinary position here
    f.right.l[10] = 1000;        // beyond IntensityPow: capped, not read out of bounds
    f.right.lsfLimitL[10] = 1023;
    f.processor->Process(Intensity(true, 1), f.rightGranule, f.right, Bands22(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    EXPECT_EQ(positions[6], StereoProcessor::NotCoded);
    EXPECT_EQ(f.out[0][6], 1.0f);
    EXPECT_EQ(f.out[1][6], 0.0f);
    EXPECT_EQ(positions[116], 7);  // band 12 (116..139)
    EXPECT_NEAR(f.out[0][116], std::pow(0.707106781188, 4.0), 1e-6);
    EXPECT_NEAR(f.out[1][116], 1.0f, 1e-6f);
    EXPECT_NEAR(f.out[0][80], 1.0f, 1e-6f);
    EXPECT_NEAR(f.out[1][80], std::pow(0.707106781188, 31.0), 1e-6);
}

TEST(StereoProcessor, LsfRegionStartingAtBand21CodesItWithEqualFactors) {
    StereoFixture f;
    f.in[0].fill(1.0f);
    f.in[1][521] = 1.0f;  // last line of band 20 at 22.05 kHz
    f.right.l.fill(4);
    f.right.lsfLimitL.fill(7);
    f.processor->Process(Intensity(true, 0), f.rightGranule, f.right, Bands22(), f.in, f.out);
    EXPECT_EQ(f.processor->IntensityPositions()[521], StereoProcessor::NotCoded);
    EXPECT_EQ(f.processor->IntensityPositions()[522], 0);
    EXPECT_EQ(f.out[0][575], 1.0f);
    EXPECT_EQ(f.out[1][575], 1.0f);

    // Below band 21 the region's band 20 position carries on upward.
    StereoFixture g;
    g.in[0].fill(1.0f);
    g.in[1][400] = 1.0f;  // band 19 (396..463)
    g.right.l.fill(4);
    g.right.lsfLimitL.fill(7);
    g.processor->Process(Intensity(true, 0), g.rightGranule, g.right, Bands22(), g.in, g.out);
    EXPECT_EQ(g.processor->IntensityPositions()[464], 4);
    EXPECT_EQ(g.processor->IntensityPositions()[575], 4);
    EXPECT_NEAR(g.out[1][575], 0.840896415256 * 0.840896415256, 1e-6);
}

TEST(StereoProcessor, ShortBlocksSearchEachWindowAndBand12FollowsBand11) {
    StereoFixture f;
    f.rightGranule.window_switching_flag = 1;
    f.rightGranule.block_type = 2;
    f.in[0].fill(1.0f);
    // Window 1 of short band 4 (44.1 kHz: start 16, width 6) holds right data.
    f.in[1][3 * 16 + 6 + 2] = 1.0f;
    for (auto& window : f.right.s) window.fill(3);
    f.right.s[1][11] = 4;
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    EXPECT_EQ(positions[0], 3);                                   // window 0 has no data: all bands
    EXPECT_EQ(positions[3 * 16 + 6], StereoProcessor::NotCoded);  // window 1, band 4
    EXPECT_EQ(positions[3 * 22 + 8], 3);                          // window 1, band 5 (width 8)
    const size_t band11Window1 = 3 * 106 + 30;
    const size_t band12Window1 = 3 * 136 + 56;
    EXPECT_EQ(positions[band11Window1], 4);
    EXPECT_EQ(positions[band12Window1], 4);
    EXPECT_EQ(positions[3 * 136], 3);  // band 12, window 0 follows its band 11
    // Window 2 holds data in band 11: band 12 stays stereo in MPEG-1.
    f.in[1][3 * 106 + 2 * 30] = 1.0f;
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    EXPECT_EQ(f.processor->IntensityPositions()[3 * 136 + 2 * 56], StereoProcessor::NotCoded);
}

TEST(StereoProcessor, MixedBlockFallsBackToLongBandsWhenShortPartIsEmpty) {
    StereoFixture f;
    f.rightGranule.window_switching_flag = 1;
    f.rightGranule.block_type = 2;
    f.rightGranule.mixed_block_flag = 1;
    f.in[0].fill(1.0f);
    f.in[1][10] = 1.0f;  // long band 2 (8..11)
    f.right.l.fill(2);
    for (auto& window : f.right.s) window.fill(5);
    f.processor->Process(Intensity(), f.rightGranule, f.right, Bands441(), f.in, f.out);
    const auto& positions = f.processor->IntensityPositions();
    EXPECT_EQ(positions[11], StereoProcessor::NotCoded);
    EXPECT_EQ(positions[12], 2);  // long band 3
    EXPECT_EQ(positions[35], 2);  // long band 7
    EXPECT_EQ(positions[36], 5);  // short band 3
}

TEST(StereoProcessor, DownmixAveragesTheChannels) {
    std::array<Spectrum, 2> stereo{};
    stereo[0][7] = 1.0f;
    stereo[1][7] = 0.5f;
    stereo[1][8] = -2.0f;
    Downmix(stereo);
    EXPECT_FLOAT_EQ(stereo[0][7], 0.75f);
    EXPECT_FLOAT_EQ(stereo[0][8], -1.0f);
}

}  // namespace
}  // namespace aurion
