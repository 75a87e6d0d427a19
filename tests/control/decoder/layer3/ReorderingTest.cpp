#include <gtest/gtest.h>

#include <algorithm>

#include "control/decoder/layer3/Reordering.h"
#include "tests/support/Layer3Granules.h"

namespace aurion {
namespace {

std::array<float, 576> Ramp() {
    std::array<float, 576> lines{};
    for (size_t i = 0; i < lines.size(); ++i) lines[i] = static_cast<float>(i);
    return lines;
}

TEST(Reordering, LongBlocksPassUnchanged) {
    std::array<float, 576> out{};
    GranuleInfo start;
    start.window_switching_flag = 1;
    start.block_type = 1;
    Reorder(start, ScaleFactorBandTables[3], Ramp(), out);
    EXPECT_EQ(out, Ramp());
}

TEST(Reordering, ShortBlocksInterleaveTheThreeWindowsLineByLine) {
    std::array<float, 576> out{};
    Reorder(test::ShortGranule(false), ScaleFactorBandTables[3], Ramp(), out);
    // Band 0 at 44.1 kHz: 4 lines per window, windows at 0, 4, 8.
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 4.0f);
    EXPECT_EQ(out[2], 8.0f);
    EXPECT_EQ(out[3], 1.0f);
    EXPECT_EQ(out[11], 11.0f);
    // Band 12: start 136, width 56; line f of window k lands at 408 + 3 f + k.
    EXPECT_EQ(out[408 + 3 * 10 + 2], static_cast<float>(408 + 2 * 56 + 10));
    EXPECT_EQ(out[575], 575.0f);
}

TEST(Reordering, MixedBlocksKeepTheLongPartAndReorderFromBandThree) {
    std::array<float, 576> out{};
    Reorder(test::ShortGranule(true), ScaleFactorBandTables[3], Ramp(), out);
    for (size_t i = 0; i < 36; ++i) EXPECT_EQ(out[i], static_cast<float>(i));
    // Band 3: start 12 (line 36), width 4.
    EXPECT_EQ(out[36], 36.0f);
    EXPECT_EQ(out[37], 40.0f);
    EXPECT_EQ(out[38], 44.0f);
    EXPECT_EQ(out[39], 37.0f);
}

// The bound returned must cover every line the data can land on: the whole short
// band that holds the last nonzero line.
TEST(Reordering, BoundCoversTheWholeBandOfTheLastNonzeroLine) {
    std::array<float, 576> out{};
    // 44.1 kHz: band 5 spans lines 66..89 (start 22, width 8): line 70 is window 0.
    EXPECT_EQ(Reorder(test::ShortGranule(false), ScaleFactorBandTables[3], Ramp(), out, 71), 90u);
    EXPECT_EQ(Reorder(test::ShortGranule(false), ScaleFactorBandTables[3], Ramp(), out, 0), 0u);
    EXPECT_EQ(Reorder(GranuleInfo{}, ScaleFactorBandTables[3], Ramp(), out, 100), 100u);
    EXPECT_EQ(Reorder(test::ShortGranule(true), ScaleFactorBandTables[3], Ramp(), out, 20), 20u);
}

// A mixed block at 8 kHz (MPEG-2.5): the short bands start at line 72, and lines
// 36..71 belong to neither part. They come out silent whatever the buffer held.
TEST(Reordering, MixedBlockAt8kHzSilencesTheLinesBetweenItsParts) {
    std::array<float, 576> out;
    out.fill(7.0f);
    EXPECT_EQ(Reorder(test::ShortGranule(true), ScaleFactorBandTables[8], Ramp(), out, 20), 20u);
    EXPECT_TRUE(std::all_of(out.begin() + 36, out.begin() + 72, [](float v) { return v == 0.0f; }));
    EXPECT_EQ(out[35], Ramp()[35]);
}

}  // namespace
}  // namespace aurion
