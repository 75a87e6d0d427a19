#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "control/output/InterleavedSamples.h"

namespace aurion {
namespace {

// Sample by sample, little-endian, as the file holds them.
uint32_t StoreOneByOne(std::vector<uint8_t>& data, uint32_t end, uint32_t position, uint32_t step,
                       const std::vector<int16_t>& samples) {
    for (int16_t sample : samples) {
        if (position + 2 > end) {
            break;
        }
        const auto bits = static_cast<uint16_t>(sample);
        data[position] = static_cast<uint8_t>(bits);
        data[position + 1] = static_cast<uint8_t>(bits >> 8);
        position += step;
    }
    return position;
}

// The block stores (whole words for two channels, one copy for one) place the
// same bytes as single stores, keep the other channel's bytes, and stop at the
// end also where it cuts a sample pair in half.
TEST(InterleavedSamples, BlockStoresEqualSampleStoresUpToTheEnd) {
    for (uint32_t step : {2u, 4u}) {
        for (uint32_t end : {0u, 1u, 2u, 3u, 62u, 64u, 66u, 67u, 128u}) {
            for (uint32_t position = 0; position < 12; position += 2) {
                for (size_t count : {0u, 1u, 5u, 16u, 40u}) {
                    std::vector<int16_t> samples(count);
                    for (size_t i = 0; i < count; ++i) {
                        samples[i] = static_cast<int16_t>(0x8101 + 0x1F3 * i);
                    }
                    // A canary past `end` must stay untouched.
                    std::vector<uint8_t> expected(end + 8, 0xA5);
                    std::vector<uint8_t> got = expected;
                    const uint32_t wantEnd = StoreOneByOne(expected, end, position, step, samples);
                    const uint32_t gotEnd = StoreInterleaved(got.data(), end, position, step,
                                                             samples.data(), samples.size());
                    EXPECT_EQ(gotEnd, wantEnd) << step << " " << end << " " << position;
                    EXPECT_EQ(got, expected) << step << " " << end << " " << position;
                }
            }
        }
    }
}

}  // namespace
}  // namespace aurion
