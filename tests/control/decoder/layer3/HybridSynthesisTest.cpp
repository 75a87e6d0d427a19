#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "control/decoder/layer3/HybridSynthesis.h"
#include "control/decoder/layer3/InverseMdct.h"

namespace aurion {
namespace {

std::array<float, 576> Pattern() {
    std::array<float, 576> lines{};
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i] = static_cast<float>((i * 37) % 11) * 0.01f - 0.05f;
    }
    return lines;
}

TEST(HybridSynthesis, ZeroGranuleAfterANonzeroOneOutputsExactlyTheStoredOverlap) {
    auto hybrid = std::make_unique<HybridSynthesis>();
    std::array<float, 576> lines = Pattern();
    hybrid->Run(1, GranuleInfo{}, lines);
    const std::array<float, 576> stored = hybrid->Overlap(1);
    bool anyNonzero = false;
    for (float v : stored) anyNonzero = anyNonzero || v != 0.0f;
    ASSERT_TRUE(anyNonzero);
    EXPECT_EQ(hybrid->Overlap(0), (std::array<float, 576>{}));  // other channel untouched

    std::array<float, 576> zero{};
    hybrid->Run(1, GranuleInfo{}, zero);
    EXPECT_EQ(zero, stored);
    EXPECT_EQ(hybrid->Overlap(1), (std::array<float, 576>{}));
}

TEST(HybridSynthesis, ResetClearsTheOverlap) {
    auto hybrid = std::make_unique<HybridSynthesis>();
    std::array<float, 576> lines = Pattern();
    hybrid->Run(0, GranuleInfo{}, lines);
    hybrid->Reset();
    std::array<float, 576> zero{};
    hybrid->Run(0, GranuleInfo{}, zero);
    EXPECT_EQ(zero, (std::array<float, 576>{}));
}

void ExpectMixedWindows(uint32_t blockType) {
    GranuleInfo mixed;
    mixed.window_switching_flag = 1;
    mixed.block_type = blockType;
    mixed.mixed_block_flag = 1;
    auto hybrid = std::make_unique<HybridSynthesis>();
    std::array<float, 576> lines = Pattern();
    const std::array<float, 576> input = lines;
    hybrid->Run(0, mixed, lines);
    for (size_t sb = 0; sb < 32; ++sb) {
        float expected[36];
        InverseMdct(input.data() + 18 * sb, expected, sb < 2 ? 0 : blockType);
        for (size_t i = 0; i < 18; ++i) {
            ASSERT_EQ(lines[18 * sb + i], expected[i]) << sb << " " << i;
            ASSERT_EQ(hybrid->Overlap(0)[18 * sb + i], expected[18 + i]) << sb << " " << i;
        }
    }
}

TEST(HybridSynthesis, MixedBlocksUseTheLongWindowInSubbandsZeroAndOne) {
    ExpectMixedWindows(2);
    // The mixed flag on start and stop blocks has the same effect.
    ExpectMixedWindows(1);
    ExpectMixedWindows(3);
}

// Long blocks go through the transform eight subbands side by side. Each subband
// must still come out bit for bit as on its own, and an all-zero subband among
// others with data (-0.0 lines included) must give exactly its stored overlap and
// leave +0.0 behind, not the transform of its zeros.
TEST(HybridSynthesis, SubbandsSideBySideGiveEachTheSingleTransform) {
    auto hybrid = std::make_unique<HybridSynthesis>();
    std::array<float, 576> overlap{};
    for (int granule = 0; granule < 3; ++granule) {
        std::array<float, 576> lines = Pattern();
        for (size_t i = 0; i < 18; ++i) {
            lines[18 * 3 + i] = 0.0f;                         // zero in the first group
            lines[18 * (granule == 1 ? 9 : 20) + i] = -0.0f;  // and in a later one
        }
        lines[18 * 5 + 4] = static_cast<float>(granule) - 1.0f;  // -1, then 0, then 1
        const std::array<float, 576> input = lines;
        hybrid->Run(0, GranuleInfo{}, lines);
        std::array<float, 576> expectedOverlap{};
        for (size_t sb = 0; sb < 32; ++sb) {
            float transform[36];
            InverseMdct(input.data() + 18 * sb, transform, 0);
            bool zero = true;
            for (size_t i = 0; i < 18; ++i) zero = zero && input[18 * sb + i] == 0.0f;
            for (size_t i = 0; i < 18; ++i) {
                const size_t line = 18 * sb + i;
                const float expected = zero ? overlap[line] : transform[i] + overlap[line];
                expectedOverlap[line] = zero ? 0.0f : transform[18 + i];
                ASSERT_EQ(std::signbit(lines[line]), std::signbit(expected)) << sb << " " << i;
                ASSERT_EQ(lines[line], expected) << granule << " " << sb << " " << i;
            }
        }
        const std::array<float, 576> stored = hybrid->Overlap(0);
        for (size_t line = 0; line < 576; ++line) {
            ASSERT_EQ(std::signbit(stored[line]), std::signbit(expectedOverlap[line])) << line;
            ASSERT_EQ(stored[line], expectedOverlap[line]) << line;
        }
        overlap = expectedOverlap;
    }
}

TEST(HybridSynthesis, FrequencyInversionNegatesOddSamplesOfOddSubbands) {
    std::array<float, 576> lines;
    lines.fill(1.0f);
    InvertFrequencies(lines);
    EXPECT_EQ(lines[0], 1.0f);
    EXPECT_EQ(lines[17], 1.0f);   // subband 0
    EXPECT_EQ(lines[18], 1.0f);   // subband 1, sample 0
    EXPECT_EQ(lines[19], -1.0f);  // subband 1, sample 1
    EXPECT_EQ(lines[18 * 31 + 17], -1.0f);
    EXPECT_EQ(lines[18 * 30 + 17], 1.0f);
}

}  // namespace
}  // namespace aurion
