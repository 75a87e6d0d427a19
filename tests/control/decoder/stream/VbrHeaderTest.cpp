#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "control/decoder/stream/VbrHeader.h"

namespace aurion {
namespace {

// MPEG-1 Layer III, 44.1 kHz, 128 kbit/s, single channel, no checksum: a 417-byte
// frame whose side information ends 21 bytes in.
constexpr uint32_t MonoHeader = 0xFFFB90C4;
constexpr size_t MonoFrameBytes = 417;
constexpr size_t XingAt = 21;
constexpr uint64_t FileBytes = 1'000'000;

void PutUint(std::vector<uint8_t>& bytes, size_t at, uint32_t value, size_t count = 4) {
    for (size_t i = 0; i < count; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * (count - 1 - i)));
    }
}

void PutTag(std::vector<uint8_t>& bytes, size_t at, std::string_view tag) {
    for (size_t i = 0; i < tag.size(); ++i) bytes[at + i] = static_cast<uint8_t>(tag[i]);
}

struct XingFields {
    uint32_t Frames = 1000;
    uint32_t Bytes = 400'000;
    bool AscendingToc = true;
    uint32_t Delay = 576;
    uint32_t Padding = 1404;
};

// A header frame as lame writes it: Xing record with frames, bytes, table of
// contents and quality, then the LAME record with the encoder gap.
std::vector<uint8_t> XingFrame(const XingFields& fields, std::string_view tag = "Xing") {
    std::vector<uint8_t> frame(MonoFrameBytes, 0);
    PutUint(frame, 0, MonoHeader);
    PutTag(frame, XingAt, tag);
    PutUint(frame, XingAt + 4, 0x0F);
    PutUint(frame, XingAt + 8, fields.Frames);
    PutUint(frame, XingAt + 12, fields.Bytes);
    for (size_t i = 0; i < 100; ++i) {
        frame[XingAt + 16 + i] = static_cast<uint8_t>(i * 2);
    }
    if (!fields.AscendingToc) frame[XingAt + 16 + 50] = 3;
    const size_t lame = XingAt + 16 + 100 + 4;
    PutTag(frame, lame, "LAME3.100");
    PutUint(frame, lame + 21, (fields.Delay << 12) | fields.Padding, 3);
    return frame;
}

TEST(VbrHeader, XingAndInfoRecordsGiveFramesBytesTableAndEncoderGap) {
    for (const std::string_view tag : {"Xing", "Info"}) {
        SCOPED_TRACE(tag);
        const auto header = ParseVbrHeader(XingFrame({}, tag), MonoHeader, FileBytes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->Frames, 1000u);
        EXPECT_EQ(header->Bytes, 400'000u);
        ASSERT_EQ(header->Toc.size(), 100u);
        EXPECT_EQ(header->Toc[50], 100u);
        ASSERT_TRUE(header->Gap);
        EXPECT_EQ(header->Gap->Delay, 576u);
        EXPECT_EQ(header->Gap->Padding, 1404u);
    }
}

TEST(VbrHeader, AudioFrameIsNoHeaderFrame) {
    std::vector<uint8_t> frame(MonoFrameBytes, 0x5A);
    PutUint(frame, 0, MonoHeader);
    EXPECT_FALSE(ParseVbrHeader(frame, MonoHeader, FileBytes));
    // The same bytes at a Layer II header's place are not looked at.
    EXPECT_FALSE(ParseVbrHeader(XingFrame({}), 0xFFFD90C4, FileBytes));
}

TEST(VbrHeader, ImplausibleFrameCountsAreDroppedWithTheGap) {
    for (const uint32_t frames : {0u, 4'000'000'000u, 9616u}) {
        SCOPED_TRACE(frames);
        // 1 MB holds at most 9615 frames of 104 bytes (32 kbit/s at 44.1 kHz).
        XingFields fields;
        fields.Frames = frames;
        const auto header = ParseVbrHeader(XingFrame(fields), MonoHeader, FileBytes);
        ASSERT_TRUE(header);  // still a header frame, not audio
        EXPECT_EQ(header->Frames, 0u);
        EXPECT_FALSE(header->Gap);
    }
    XingFields fields;
    fields.Frames = 9615;
    EXPECT_EQ(ParseVbrHeader(XingFrame(fields), MonoHeader, FileBytes)->Frames, 9615u);
}

TEST(VbrHeader, TableThatIsNotAscendingOrOfBytesBeyondTheFileIsDropped) {
    XingFields descending;
    descending.AscendingToc = false;
    auto header = ParseVbrHeader(XingFrame(descending), MonoHeader, FileBytes);
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->Toc.empty());
    EXPECT_EQ(header->Frames, 1000u);

    XingFields tooLong;
    tooLong.Bytes = FileBytes + 1;
    header = ParseVbrHeader(XingFrame(tooLong), MonoHeader, FileBytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Bytes, 0u);
    EXPECT_TRUE(header->Toc.empty());
}

TEST(VbrHeader, GapThatLeavesNoSamplesIsDropped) {
    XingFields fields;
    fields.Frames = 2;  // 2304 samples
    fields.Delay = 2000;
    fields.Padding = 1000;
    EXPECT_FALSE(ParseVbrHeader(XingFrame(fields), MonoHeader, FileBytes)->Gap);
    fields.Delay = 576;
    fields.Padding = 1100;  // 576 + 529 + 571 dropped, 628 kept
    EXPECT_TRUE(ParseVbrHeader(XingFrame(fields), MonoHeader, FileBytes)->Gap);
}

TEST(VbrHeader, RecordCutShortByTheFrameIsReadNoFurther) {
    const std::vector<uint8_t> whole = XingFrame({});
    for (const size_t length :
         {size_t{XingAt + 6}, size_t{XingAt + 14}, size_t{XingAt + 60}, size_t{XingAt + 130}}) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        const auto header = ParseVbrHeader(cut, MonoHeader, FileBytes);
        ASSERT_TRUE(header);
        if (length < XingAt + 116) {
            EXPECT_TRUE(header->Toc.empty());
        }
        EXPECT_FALSE(header->Gap);
    }
}

TEST(VbrHeader, VbriRecordGivesFramesAndStretchesWithinTheStream) {
    std::vector<uint8_t> frame(MonoFrameBytes, 0);
    PutUint(frame, 0, MonoHeader);
    const size_t at = 36;
    PutTag(frame, at, "VBRI");
    PutUint(frame, at + 10, 300'000);  // bytes
    PutUint(frame, at + 14, 800);      // frames
    PutUint(frame, at + 18, 4, 2);     // entries
    PutUint(frame, at + 20, 1, 2);     // scale
    PutUint(frame, at + 22, 2, 2);     // bytes per entry
    PutUint(frame, at + 24, 200, 2);   // frames per entry
    for (size_t i = 0; i < 4; ++i) PutUint(frame, at + 26 + 2 * i, 60'000, 2);
    auto header = ParseVbrHeader(frame, MonoHeader, FileBytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Frames, 800u);
    EXPECT_EQ(header->Toc.size(), 4u);
    EXPECT_EQ(header->FramesPerTocEntry, 200u);
    EXPECT_FALSE(header->Gap);

    PutUint(frame, at + 26, 65'000, 2);  // the stretches now exceed the stream's bytes
    PutUint(frame, at + 28, 65'000, 2);
    PutUint(frame, at + 30, 65'000, 2);
    PutUint(frame, at + 32, 65'000, 2);
    PutUint(frame, at + 10, 250'000);
    header = ParseVbrHeader(frame, MonoHeader, FileBytes);
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->Toc.empty());
}

TEST(VbrHeader, VbriStretchesBeyond32BitsAreNotWrappedIntoTheStream) {
    std::vector<uint8_t> frame(MonoFrameBytes, 0);
    PutUint(frame, 0, MonoHeader);
    const size_t at = 36;
    PutTag(frame, at, "VBRI");
    PutUint(frame, at + 10, 300'000);    // bytes
    PutUint(frame, at + 14, 800);        // frames
    PutUint(frame, at + 18, 2, 2);       // entries
    PutUint(frame, at + 20, 0x8000, 2);  // scale
    PutUint(frame, at + 22, 4, 2);       // bytes per entry
    PutUint(frame, at + 24, 400, 2);     // frames per entry
    PutUint(frame, at + 26, 0x20000);    // 2^17 * 2^15 = 2^32: 0 when wrapped
    PutUint(frame, at + 30, 1);          // 32768
    const auto header = ParseVbrHeader(frame, MonoHeader, FileBytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Frames, 800u);
    EXPECT_TRUE(header->Toc.empty());
}

}  // namespace
}  // namespace aurion
