#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "control/decoder/layer3/AliasReduction.h"
#include "tests/support/Layer3Granules.h"

namespace aurion {
namespace {

std::array<float, 576> Ones() {
    std::array<float, 576> lines;
    lines.fill(1.0f);
    return lines;
}

TEST(AliasReduction, ButterflyUsesTheStandardCoefficients) {
    std::array<float, 576> lines{};
    lines[17] = 1.0f;  // upper side of boundary 0/1, i = 0
    ReduceAliases(GranuleInfo{}, lines);
    const float cs = static_cast<float>(1.0 / std::sqrt(1.36));
    EXPECT_FLOAT_EQ(lines[17], cs);
    EXPECT_FLOAT_EQ(lines[18], -0.6f * cs);

    std::array<float, 576> high{};
    high[18 * 31 + 7] = 1.0f;  // lower side of boundary 30/31, i = 7
    ReduceAliases(GranuleInfo{}, high);
    const double c = -0.0037;
    EXPECT_FLOAT_EQ(high[18 * 31 + 7], static_cast<float>(1.0 / std::sqrt(1.0 + c * c)));
    EXPECT_FLOAT_EQ(high[18 * 30 + 10], static_cast<float>(-c / std::sqrt(1.0 + c * c)));
}

TEST(AliasReduction, ShortBlocksWithoutMixingAreLeftAlone) {
    std::array<float, 576> lines = Ones();
    ReduceAliases(test::ShortGranule(false), lines);
    EXPECT_EQ(lines, Ones());
}

TEST(AliasReduction, MixedBlocksOnlyTouchTheFirstBoundary) {
    std::array<float, 576> lines = Ones();
    ReduceAliases(test::ShortGranule(true), lines);
    for (size_t i = 0; i < 576; ++i) {
        const bool firstBoundary = (i >= 10 && i <= 17) || (i >= 18 && i <= 25);
        if (firstBoundary) {
            EXPECT_NE(lines[i], 1.0f) << i;
        } else {
            EXPECT_EQ(lines[i], 1.0f) << i;
        }
    }
}

TEST(AliasReduction, LongBlocksTouchAllThirtyOneBoundaries) {
    std::array<float, 576> lines = Ones();
    ReduceAliases(GranuleInfo{}, lines);
    for (size_t sb = 0; sb < 32; ++sb) {
        EXPECT_EQ(lines[18 * sb + 8], 1.0f) << sb;  // lines 8, 9 are never in a butterfly
        EXPECT_EQ(lines[18 * sb + 9], 1.0f) << sb;
        if (sb < 31) {
            EXPECT_NE(lines[18 * sb + 17], 1.0f) << sb;
        }
        if (sb > 0) {
            EXPECT_NE(lines[18 * sb], 1.0f) << sb;
        }
    }
    EXPECT_EQ(lines[0], 1.0f);
    EXPECT_EQ(lines[575], 1.0f);
}

// Stopping at the bound must give what all boundaries give, and the bound returned
// must include the subband above the last one with data, which the butterflies reach.
TEST(AliasReduction, BoundLeavesOutOnlyBoundariesBetweenZeroSubbands) {
    for (size_t lastLine : {0u, 17u, 18u, 100u, 557u, 575u}) {
        std::array<float, 576> lines{};
        lines[lastLine] = 1.0f;
        lines[lastLine / 2] = -0.5f;
        std::array<float, 576> all = lines;
        const size_t bound = ReduceAliases(GranuleInfo{}, lines, lastLine + 1);
        ReduceAliases(GranuleInfo{}, all);
        EXPECT_EQ(lines, all) << lastLine;
        const size_t expected = std::min<size_t>(18 * (lastLine / 18 + 2), 576);
        EXPECT_EQ(bound, expected) << lastLine;
        for (size_t i = bound; i < 576; ++i) ASSERT_EQ(all[i], 0.0f) << lastLine << " " << i;
    }
    std::array<float, 576> zero{};
    EXPECT_EQ(ReduceAliases(GranuleInfo{}, zero, 0), 0u);
    EXPECT_EQ(ReduceAliases(test::ShortGranule(true), zero, 5), 36u);
    EXPECT_EQ(ReduceAliases(test::ShortGranule(true), zero, 200), 216u);
    EXPECT_EQ(ReduceAliases(test::ShortGranule(false), zero, 200), 200u);
}

}  // namespace
}  // namespace aurion
