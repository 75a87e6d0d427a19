#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "control/decoder/synthesis/SynthesisWindow.h"

namespace aurion {
namespace {

TEST(SynthesisWindow, RowZeroHoldsTheStandardsFirstCoefficients) {
    const float expected[] = {0.0f, -0.000442505f, 0.003250122f, -0.007003784f, 0.031082153f};
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(kSynthesisWindow[0][j], expected[j]) << "j " << j;
        EXPECT_EQ(SynthesisWindowCoefficient(32 * j), expected[j]) << "j " << j;
    }
}

TEST(SynthesisWindow, LargestCoefficientIsTheCentreTap) {
    int largest = 0;
    for (int i = 0; i < 512; ++i) {
        if (std::fabs(SynthesisWindowCoefficient(i)) >
            std::fabs(SynthesisWindowCoefficient(largest))) {
            largest = i;
        }
    }
    EXPECT_EQ(largest, 256);
    EXPECT_EQ(SynthesisWindowCoefficient(256), 1.144989014f);
}

// The prototype filter is symmetric about tap 256; the standard's table carries
// the sign (-1)^(i / 64) on top, so mirrored taps agree at multiples of 64 and
// are negated everywhere else.
TEST(SynthesisWindow, MirroredCoefficientsFollowThePrototypesSymmetry) {
    for (int i = 1; i < 256; ++i) {
        const float d = SynthesisWindowCoefficient(i);
        const float mirrored = SynthesisWindowCoefficient(512 - i);
        if (i % 64 == 0) {
            EXPECT_EQ(mirrored, d) << "i " << i;
        } else {
            EXPECT_EQ(mirrored, -d) << "i " << i;
        }
    }
}

// Every coefficient is a multiple of 2^-16 printed to nine decimals, and the
// prototype h[i] = D[i] (-1)^(i / 64) is smooth: its fourth differences stay at
// the size of that rounding. A mistyped digit stands out by far.
TEST(SynthesisWindow, CoefficientsAreSmoothMultiplesOfTwoToTheMinusSixteen) {
    long prototype[512];
    for (int i = 0; i < 512; ++i) {
        const double steps = SynthesisWindowCoefficient(i) * 65536.0;
        const long rounded = std::lround(steps);
        ASSERT_NEAR(steps, static_cast<double>(rounded), 1e-3) << "i " << i;
        prototype[i] = ((i / 64) % 2 == 0) ? rounded : -rounded;
    }
    for (int i = 2; i < 510; ++i) {
        const long fourth = prototype[i - 2] - 4 * prototype[i - 1] + 6 * prototype[i] -
                            4 * prototype[i + 1] + prototype[i + 2];
        EXPECT_LE(std::labs(fourth), 8) << "i " << i;
    }
}

}  // namespace
}  // namespace aurion
