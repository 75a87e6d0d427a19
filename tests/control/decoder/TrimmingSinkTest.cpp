#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "control/decoder/TrimmingSink.h"
#include "tests/support/CollectingSink.h"

namespace aurion {
namespace {

// Counts whole and partial frame ends apart.
class FrameEndSink : public test::CollectingSink {
public:
    void WritePartialBuffer() override { ++Partial; }
    size_t Partial = 0;
};

constexpr uint32_t SamplesPerFrame = 8;

// Appends frame `frame` to both channels: sample i of the signal is i (left), -i (right).
void DecodeFrame(TrimmingSink& trim, int32_t frame) {
    trim.StartFrame(frame);
    for (uint32_t i = 0; i < SamplesPerFrame; ++i) {
        const auto n = static_cast<int16_t>(static_cast<uint32_t>(frame) * SamplesPerFrame + i);
        trim.Append(0, n);
        trim.Append(1, static_cast<int16_t>(-n));
    }
    trim.WriteBuffer();
}

TEST(TrimmingSink, KeepsExactlyTheStretchAskedForInBothChannels) {
    FrameEndSink target;
    TrimmingSink trim(target, SamplesPerFrame, 11, 29);
    for (int32_t frame = 0; frame < 5; ++frame) {
        DecodeFrame(trim, frame);
    }
    std::vector<int16_t> expected;
    for (int16_t n = 11; n < 29; ++n) expected.push_back(n);
    EXPECT_EQ(target.Channel(0), expected);
    ASSERT_EQ(target.Channel(1).size(), expected.size());
    EXPECT_EQ(target.Channel(1).front(), -11);
    // Frame 0 is dropped whole; frames 1 and 3 are cut; frame 2 is whole; frame 4 is gone.
    EXPECT_EQ(target.WriteBuffers(), 1u);
    EXPECT_EQ(target.Partial, 2u);
}

// As the filters hand samples over: blocks (here of 3, so that block edges fall
// on either side of the stretch's ends) give what single samples give.
TEST(TrimmingSink, BlocksAreTrimmedAsTheirSamplesOneByOne) {
    FrameEndSink single;
    FrameEndSink blocks;
    TrimmingSink bySample(single, SamplesPerFrame, 11, 29);
    TrimmingSink byBlock(blocks, SamplesPerFrame, 11, 29);
    for (int32_t frame = 0; frame < 5; ++frame) {
        DecodeFrame(bySample, frame);
        byBlock.StartFrame(frame);
        std::vector<int16_t> left;
        for (uint32_t i = 0; i < SamplesPerFrame; ++i) {
            left.push_back(
                static_cast<int16_t>(static_cast<uint32_t>(frame) * SamplesPerFrame + i));
        }
        for (size_t at = 0; at < left.size(); at += 3) {
            byBlock.AppendBlock(0, left.data() + at, std::min<size_t>(3, left.size() - at));
        }
        byBlock.WriteBuffer();
    }
    EXPECT_EQ(blocks.Channel(0), single.Channel(0));
    EXPECT_EQ(blocks.WriteBuffers(), single.WriteBuffers());
    EXPECT_EQ(blocks.Partial, single.Partial);
}

TEST(TrimmingSink, PlacesSamplesByTheirFrameAfterASeek) {
    FrameEndSink target;
    TrimmingSink trim(target, SamplesPerFrame, 3, 100);
    DecodeFrame(trim, 0);
    // A seek to frame 6 whose first frame gives no samples: frame 7's samples are
    // still numbered from frame 7, and the start trim does not apply again.
    trim.StartFrame(6);
    trim.WriteBuffer();
    DecodeFrame(trim, 7);
    ASSERT_EQ(target.Channel(0).size(), 5u + SamplesPerFrame);
    EXPECT_EQ(target.Channel(0)[5], 7 * static_cast<int16_t>(SamplesPerFrame));
    EXPECT_EQ(target.WriteBuffers(), 1u);
    EXPECT_EQ(target.Partial, 1u);
}

}  // namespace
}  // namespace aurion
