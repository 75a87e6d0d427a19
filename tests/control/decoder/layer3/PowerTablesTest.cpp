#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "control/decoder/layer3/AliasCoefficients.h"
#include "control/decoder/layer3/PowerTables.h"

namespace aurion {
namespace {

TEST(PowerTables, HoldTheStandardsPowers) {
    const PowerTableSet& tables = PowerTables();
    EXPECT_EQ(tables.pow43[0], 0.0f);
    EXPECT_EQ(tables.pow43[1], 1.0f);
    EXPECT_EQ(tables.pow43[8], 16.0f);
    EXPECT_FLOAT_EQ(tables.pow43[1023], static_cast<float>(std::pow(1023.0, 4.0 / 3.0)));
    EXPECT_EQ(tables.powHalf[0], 1.0f);
    EXPECT_EQ(tables.powHalf[2], 0.5f);
    EXPECT_FLOAT_EQ(tables.powHalf[63], static_cast<float>(std::pow(2.0, -31.5)));
    EXPECT_FLOAT_EQ(tables.intensityPow[0][4], 0.5f);
    EXPECT_FLOAT_EQ(tables.intensityPow[1][2], 0.5f);
}

// Two decoders starting at the same moment build the shared tables once; under
// ThreadSanitizer an unguarded lazy build shows as a race here.
TEST(PowerTables, ConcurrentFirstUseSeesOneCompleteTable) {
    const PowerTableSet* seen[2] = {};
    const AliasButterflies* alias[2] = {};
    float sums[2] = {};
    auto use = [&](int i) {
        seen[i] = &PowerTables();
        alias[i] = &AliasTables();
        sums[i] = seen[i]->pow43[1000] + alias[i]->cs[7] + seen[i]->powHalf[9];
    };
    std::thread first(use, 0);
    std::thread second(use, 1);
    first.join();
    second.join();
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(alias[0], alias[1]);
    EXPECT_EQ(sums[0], sums[1]);
    EXPECT_FLOAT_EQ(alias[0]->ca[0], static_cast<float>(-0.6 / std::sqrt(1.36)));
}

}  // namespace
}  // namespace aurion
