#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "control/decoder/stream/TocMap.h"

namespace aurion {
namespace {

constexpr uint64_t HeaderFrameStart = 1000;
constexpr uint64_t FirstFrameStart = 1417;
constexpr uint64_t FileBytes = 2'000'000;

// A Xing table whose entry p is 2p: p percent of the play time lies 2p/256 of the
// stream's bytes in.
VbrHeader XingHeader(uint32_t frames, uint32_t bytes) {
    VbrHeader vbr;
    vbr.Frames = frames;
    vbr.Bytes = bytes;
    for (uint32_t p = 0; p < 100; ++p) vbr.Toc.push_back(p * 2);
    return vbr;
}

TEST(TocMap, XingTableMapsFramesToOffsetsAndBack) {
    const VbrHeader vbr = XingHeader(1000, 256'000);
    const auto map = TocMap::Make(vbr, HeaderFrameStart, FirstFrameStart, FileBytes);
    ASSERT_TRUE(map);
    // Entry 50 (frame 500) is at 100/256 of the bytes; halfway to entry 51 is 1000 bytes on.
    EXPECT_EQ(map->OffsetOfFrame(500), HeaderFrameStart + 100'000);
    EXPECT_EQ(map->OffsetOfFrame(505), HeaderFrameStart + 101'000);
    EXPECT_EQ(map->FrameAtOffset(HeaderFrameStart + 101'000), 505);
    // Frame 0 is the first audio frame, not the header frame.
    EXPECT_EQ(map->OffsetOfFrame(0), FirstFrameStart);
    // From the last entry (frame 990, 198/256) the stream's end closes the table.
    EXPECT_EQ(map->OffsetOfFrame(1000), HeaderFrameStart + 256'000);
    EXPECT_EQ(map->OffsetOfFrame(5000), HeaderFrameStart + 256'000);
    EXPECT_EQ(map->FrameAtOffset(FileBytes), 1000);
}

TEST(TocMap, VbriTableCountsStretchesFromTheFirstAudioFrame) {
    VbrHeader vbr;
    vbr.Frames = 95;
    vbr.Bytes = 50'000;
    vbr.FramesPerTocEntry = 10;
    vbr.Toc = std::vector<uint32_t>(10, 4000);  // the tenth stretch lies beyond frame 95
    const auto map = TocMap::Make(vbr, HeaderFrameStart, FirstFrameStart, FileBytes);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->OffsetOfFrame(30), FirstFrameStart + 12'000);
    EXPECT_EQ(map->OffsetOfFrame(35), FirstFrameStart + 14'000);
    EXPECT_EQ(map->FrameAtOffset(FirstFrameStart + 4'000), 10);
    EXPECT_EQ(map->FrameAtOffset(HeaderFrameStart + 50'000), 95);
}

TEST(TocMap, TablesThatCannotBeTrueOfTheFileGiveNoMap) {
    // No table, no frame count.
    EXPECT_FALSE(TocMap::Make(VbrHeader{}, HeaderFrameStart, FirstFrameStart, FileBytes));
    EXPECT_FALSE(
        TocMap::Make(XingHeader(0, 256'000), HeaderFrameStart, FirstFrameStart, FileBytes));
    // A stream that would end past the file.
    EXPECT_FALSE(TocMap::Make(XingHeader(1000, 256'000), HeaderFrameStart, FirstFrameStart,
                              HeaderFrameStart + 255'999));
    // A falling table.
    VbrHeader falling = XingHeader(1000, 256'000);
    falling.Toc[60] = 1;
    EXPECT_FALSE(TocMap::Make(falling, HeaderFrameStart, FirstFrameStart, FileBytes));
    // VBRI stretches that add up past the stream.
    VbrHeader vbri;
    vbri.Frames = 100;
    vbri.Bytes = 10'000;
    vbri.FramesPerTocEntry = 10;
    vbri.Toc = std::vector<uint32_t>(10, 2000);
    EXPECT_FALSE(TocMap::Make(vbri, HeaderFrameStart, FirstFrameStart, FileBytes));
}

}  // namespace
}  // namespace aurion
