#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "control/decoder/layer3/InverseMdct.h"

namespace aurion {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The plain windows of ISO/IEC 11172-3, clause 2.4.3.4.10.2.
double PlainWindow(uint32_t blockType, int i) {
    switch (blockType) {
        case 1:
            if (i < 18) return std::sin(kPi / 36 * (i + 0.5));
            if (i < 24) return 1.0;
            if (i < 30) return std::sin(kPi / 12 * (i + 0.5 - 18));
            return 0.0;
        case 2:
            return i < 12 ? std::sin(kPi / 12 * (i + 0.5)) : 0.0;
        case 3:
            if (i < 6) return 0.0;
            if (i < 12) return std::sin(kPi / 12 * (i + 0.5 - 6));
            if (i < 18) return 1.0;
            return std::sin(kPi / 36 * (i + 0.5));
        default:
            return std::sin(kPi / 36 * (i + 0.5));
    }
}

void DirectInverseMdct(const float* input, double* output, uint32_t blockType) {
    if (blockType == 2) {
        for (int i = 0; i < 36; ++i) {
            output[i] = 0.0;
        }
        for (int w = 0; w < 3; ++w) {
            for (int i = 0; i < 12; ++i) {
                double y = 0.0;
                for (int m = 0; m < 6; ++m) {
                    y += input[3 * m + w] * std::cos(kPi / 24 * (2 * i + 1 + 6) * (2 * m + 1));
                }
                output[6 + 6 * w + i] += y * PlainWindow(2, i);
            }
        }
        return;
    }
    for (int i = 0; i < 36; ++i) {
        double x = 0.0;
        for (int k = 0; k < 18; ++k) {
            x += input[k] * std::cos(kPi / 72 * (2 * i + 1 + 18) * (2 * k + 1));
        }
        output[i] = x * PlainWindow(blockType, i);
    }
}

// Compares with the direct formula within float rounding of the signal's size.
void ExpectMatchesDirect(const float* input, uint32_t blockType, uint32_t windowType) {
    float output[36];
    for (float& x : output) {
        x = 12345.0f;
    }
    InverseMdct(input, output, blockType);
    double expected[36];
    DirectInverseMdct(input, expected, windowType);
    double magnitude = 1e-30;
    for (double x : expected) {
        magnitude = std::fmax(magnitude, std::fabs(x));
    }
    for (int i = 0; i < 36; ++i) {
        EXPECT_NEAR(output[i], expected[i], 1e-5 * magnitude)
            << "block type " << blockType << " output " << i;
    }
}

TEST(InverseMdct, MatchesTheDirectFormulaForAllBlockTypes) {
    std::mt19937 random(21);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    for (uint32_t blockType = 0; blockType < 4; ++blockType) {
        for (int round = 0; round < 40; ++round) {
            float input[18];
            for (float& x : input) {
                x = value(random);
            }
            ExpectMatchesDirect(input, blockType, blockType);
        }
    }
}

TEST(InverseMdct, MatchesTheDirectFormulaForEachSingleLine) {
    for (uint32_t blockType = 0; blockType < 4; ++blockType) {
        for (int k = 0; k < 18; ++k) {
            float input[18] = {};
            input[k] = 1.0f;
            ExpectMatchesDirect(input, blockType, blockType);
        }
    }
}

TEST(InverseMdct, UnknownBlockTypeUsesTheNormalWindow) {
    std::mt19937 random(4);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    float input[18];
    for (float& x : input) {
        x = value(random);
    }
    for (uint32_t blockType : {4u, 7u, 0xFFFFFFFFu}) {
        ExpectMatchesDirect(input, blockType, 0);
    }
}

TEST(InverseMdct, ShortBlockTouchesOnlyOutputsSixToTwentyNine) {
    std::mt19937 random(8);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    float input[18];
    for (float& x : input) {
        x = value(random);
    }
    float output[36];
    for (float& x : output) {
        x = 99.0f;
    }
    InverseMdct(input, output, 2);
    for (int i = 0; i < 36; ++i) {
        if (i < 6 || i >= 30) {
            EXPECT_EQ(output[i], 0.0f) << "output " << i;
        }
    }
    // Each window's lines reach only their own twelve outputs.
    for (int w = 0; w < 3; ++w) {
        float single[18] = {};
        for (int m = 0; m < 6; ++m) {
            single[3 * m + w] = input[3 * m + w];
        }
        InverseMdct(single, output, 2);
        for (int i = 0; i < 36; ++i) {
            if (i < 6 + 6 * w || i >= 18 + 6 * w) {
                EXPECT_EQ(output[i], 0.0f) << "window " << w << " output " << i;
            }
        }
    }
}

TEST(InverseMdct, StartAndStopWindowsSilenceTheirOuterSixOutputs) {
    float input[18];
    for (int k = 0; k < 18; ++k) {
        input[k] = static_cast<float>(k % 5) - 2.0f;
    }
    float output[36];
    InverseMdct(input, output, 1);
    for (int i = 30; i < 36; ++i) {
        EXPECT_EQ(output[i], 0.0f) << "start, output " << i;
    }
    InverseMdct(input, output, 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(output[i], 0.0f) << "stop, output " << i;
    }
}

TEST(InverseMdct, ZeroInputGivesZeroOutput) {
    const float input[18] = {};
    for (uint32_t blockType = 0; blockType < 4; ++blockType) {
        float output[36];
        for (float& x : output) {
            x = 1.0f;
        }
        InverseMdct(input, output, blockType);
        for (float x : output) {
            EXPECT_EQ(x, 0.0f) << "block type " << blockType;
        }
    }
}

}  // namespace
}  // namespace aurion
