#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "control/decoder/synthesis/FastDct32.h"

namespace aurion {
namespace {

constexpr double kPi = 3.14159265358979323846;

void CheckAgainstDirectFormula(const float (&in)[32]) {
    float out[32];
    FastDct32(in, out);
    double magnitude = 0.0;
    double expected[32];
    for (int n = 0; n < 32; ++n) {
        expected[n] = 0.0;
        for (int k = 0; k < 32; ++k) {
            expected[n] += in[k] * std::cos(n * (2 * k + 1) * kPi / 64.0);
        }
        magnitude = std::fmax(magnitude, std::fabs(expected[n]));
    }
    // Float rounding through five levels of sums and factors up to 10.2.
    const double tolerance = 1e-5 * std::fmax(magnitude, 1e-30);
    for (int n = 0; n < 32; ++n) {
        EXPECT_NEAR(out[n], expected[n], tolerance) << "n " << n;
    }
}

TEST(FastDct32, MatchesTheDirectFormulaForRandomInput) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    for (int round = 0; round < 50; ++round) {
        float in[32];
        for (float& x : in) {
            x = value(random);
        }
        CheckAgainstDirectFormula(in);
    }
}

TEST(FastDct32, MatchesTheDirectFormulaForEachSingleSubband) {
    for (int k = 0; k < 32; ++k) {
        float in[32] = {};
        in[k] = 1.0f;
        CheckAgainstDirectFormula(in);
    }
}

// The lanes must give the scalar transform's very bits, lane by lane, also for
// inputs whose rounding differs from lane to lane.
TEST(FastDct32, EachLaneEqualsTheScalarTransformBitForBit) {
    std::mt19937 random(13);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int round = 0; round < 20; ++round) {
        float in[32][kLaneCount];
        for (auto& row : in) {
            for (float& x : row) {
                x = std::ldexp(value(random), exponent(random));
            }
        }
        Lanes out[32];
        FastDct32Lanes(in[0], kLaneCount, out);
        for (int lane = 0; lane < kLaneCount; ++lane) {
            float column[32];
            float expected[32];
            for (int k = 0; k < 32; ++k) {
                column[k] = in[k][lane];
            }
            FastDct32(column, expected);
            for (int n = 0; n < 32; ++n) {
                const float got = out[n][lane];
                EXPECT_EQ(std::memcmp(&got, &expected[n], sizeof(float)), 0)
                    << "lane " << lane << " n " << n;
            }
        }
    }
}

}  // namespace
}  // namespace aurion
