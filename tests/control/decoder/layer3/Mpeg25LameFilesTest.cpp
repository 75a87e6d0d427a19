// MPEG-2.5 files made by another encoder (tests/data/mpeg25: lame at 8 kHz and
// 11.025 kHz, 16 kbit/s, stereo, with short blocks where the signal starts and
// ends) decode as another decoder (mpg123) decodes them, frame for frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/CollectingSink.h"
#include "tests/support/Conformance.h"
#include "tests/support/Layer3FileDecoding.h"

namespace aurion {
namespace {

const std::string Folder = TRACKDECK_SOURCE_DIR "/tests/data/mpeg25/";

uint32_t CountedFrames(const std::string& name) {
    uint32_t frames = 0;
    std::ifstream(Folder + name + "-frames.txt") >> frames;
    return frames;
}

class Mpeg25LameFile : public testing::TestWithParam<const char*> {};

TEST_P(Mpeg25LameFile, DecodesWithinOneLsbOfAnotherDecoder) {
    const std::string name = GetParam();
    const auto reference = test::ReadRawPcm(Folder + name + ".pcm");
    ASSERT_TRUE(reference.has_value());

    test::CollectingSink sink;
    const test::DecodedLayer3File decoded = test::DecodeLayer3File(Folder + name + ".mp3", sink);
    ASSERT_TRUE(decoded.opened);
    EXPECT_EQ(decoded.frames, CountedFrames(name));

    const std::vector<int16_t> pcm = sink.Interleaved();
    EXPECT_EQ(pcm.size(), reference->size());
    const test::PcmDifference difference = test::ComparePcm(pcm, *reference);
    EXPECT_LE(difference.rms, 1.0);
    EXPECT_LE(difference.peak, 2) << "at sample " << difference.peakIndex;
}

INSTANTIATE_TEST_SUITE_P(Lame, Mpeg25LameFile, testing::Values("cbr8k", "cbr11k"),
                         [](const testing::TestParamInfo<const char*>& file) {
                             return std::string(file.param);
                         });

}  // namespace
}  // namespace aurion
