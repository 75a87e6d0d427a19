#include <gtest/gtest.h>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/player/ReadProgress.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion {
namespace {

using test::HeaderFields;

// One frame at 320 kbit/s (1044 bytes), then 99 at 128 kbit/s (417 bytes): the
// first frame alone suggests 40 frames.
test::Bytes LoudStartStream() {
    HeaderFields loud;
    loud.BitrateIndex = 14;
    HeaderFields usual;
    test::Bytes file = test::MakeFrame(loud);
    for (int i = 0; i < 99; ++i) test::AppendBytes(file, test::MakeFrame(usual));
    return file;
}

TEST(ReadProgress, EstimateFromTheFramesReadComesToTheTrueCount) {
    test::TempFile file(LoudStartStream());
    FrameStream stream;
    stream.Open(file.Path());
    FrameHeader header;
    Crc16* crc = nullptr;
    ReadProgress progress;
    EXPECT_FALSE(progress.EstimatedFrames());

    ASSERT_TRUE(header.ReadNext(stream, crc));
    EXPECT_EQ(header.MaxFrames(), 40u);
    progress.Record(stream);
    EXPECT_EQ(progress.EstimatedFrames(), 41);  // 42 327 bytes at 1044 a frame
    for (int frame = 1; frame < 10; ++frame) {
        ASSERT_TRUE(header.ReadNext(stream, crc));
        progress.Record(stream);
    }
    EXPECT_EQ(progress.EstimatedFrames(), 88);  // 10 frames in 4797 bytes
    while (header.ReadNext(stream, crc)) progress.Record(stream);
    EXPECT_EQ(progress.EstimatedFrames(), 100);

    // Frames read again after a seek back add nothing.
    ASSERT_TRUE(header.SeekToFrame(stream, 2));
    ASSERT_TRUE(header.ReadNext(stream, crc));
    progress.Record(stream);
    EXPECT_EQ(progress.EstimatedFrames(), 100);
}

}  // namespace
}  // namespace aurion
