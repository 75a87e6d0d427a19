#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/CollectingSink.h"
#include "tests/support/Conformance.h"
#include "tests/support/Layer3FileDecoding.h"

namespace aurion {
namespace {

class Layer3Conformance : public testing::TestWithParam<const char*> {};

TEST_P(Layer3Conformance, MatchesReferenceWithinOneLsbRms) {
    const std::string name = GetParam();
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found beside the source tree";
    }
    const auto expected = test::ExpectedSamples(name);
    const auto reference = test::ReferencePcm(name);
    ASSERT_TRUE(expected.has_value()) << name << " is not in manifest.tsv";
    ASSERT_TRUE(reference.has_value()) << name << ".pcm is missing";

    test::CollectingSink sink;
    const test::DecodedLayer3File decoded =
        test::DecodeLayer3File(test::ConformanceBitstream(name), sink);
    ASSERT_TRUE(decoded.opened) << name;
    EXPECT_EQ(sink.TotalSamples(), *expected) << name;

    const std::vector<int16_t> pcm = sink.Interleaved();
    const test::PcmDifference difference = test::ComparePcm(pcm, *reference);
    EXPECT_GT(difference.compared, *expected * 9 / 10) << name;
    EXPECT_LE(difference.rms, 1.0) << name;
    EXPECT_LE(difference.peak, 2) << name << " at sample " << difference.peakIndex;
    RecordProperty("rms", std::to_string(difference.rms));
    RecordProperty("peak", std::to_string(difference.peak));
    std::printf("%s: %zu samples, RMS %.3f LSB, peak %d LSB, %u frames\n", name.c_str(), pcm.size(),
                difference.rms, difference.peak, decoded.frames);
}

INSTANTIATE_TEST_SUITE_P(Streams, Layer3Conformance,
                         testing::Values("l3-compl", "l3-si", "l3-si_block", "l3-si_huff",
                                         "l3-hecommon", "l3-test46", "M2L3_compl24",
                                         "M2L3_bitrate_22_all"),
                         [](const testing::TestParamInfo<const char*>& stream) {
                             std::string name = stream.param;
                             for (char& c : name) {
                                 if (c == '-') c = '_';
                             }
                             return name;
                         });

// The long streams put far more than a ring's 4096 bytes of main data through
// the reservoir: decoding must go on past the wrap to the last frame.
TEST(Layer3Conformance, KeepsDecodingPastTheReservoirWrap) {
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found beside the source tree";
    }
    test::CollectingSink sink;
    const test::DecodedLayer3File decoded =
        test::DecodeLayer3File(test::ConformanceBitstream("l3-test46"), sink);
    ASSERT_TRUE(decoded.opened);
    EXPECT_GE(decoded.reservoirWraps, 10u);
    // Every frame but the first few (silent until the reservoir holds their data) wrote.
    EXPECT_GE(sink.WriteBuffers() + 2, decoded.frames);
    const auto expected = test::ExpectedSamples("l3-test46");
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(sink.TotalSamples(), *expected);
}

}  // namespace
}  // namespace aurion
