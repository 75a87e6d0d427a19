#include <gtest/gtest.h>

#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameSize.h"
#include "control/decoder/stream/FrameStream.h"
#include "tests/control/decoder/stream/StreamTestSupport.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {
namespace {

HeaderFields Fields(uint32_t layer, uint32_t bitrateIndex, uint32_t frequencyIndex,
                    uint32_t mode = 0, uint32_t versionBits = 3) {
    HeaderFields f;
    f.Layer = layer;
    f.BitrateIndex = bitrateIndex;
    f.FrequencyIndex = frequencyIndex;
    f.Mode = mode;
    f.VersionBits = versionBits;
    return f;
}

// A reading of one file through a fresh stream and header.
struct OpenedStream {
    explicit OpenedStream(const std::string& path) { stream.Open(path); }
    int64_t Next() { return ReadIndexedFrame(stream, header); }
    FrameStream stream;
    FrameHeader header;
};

TEST(FrameHeader, FrameSizesAgreeWithTheStandardForEveryHeader) {
    // Every combination of the fields that decide the size: readable headers get
    // the standard's size, and none that is readable overruns the frame buffer or
    // is too small for its checksum and side information.
    int readable = 0;
    for (uint32_t versionBits : {2u, 3u}) {
        for (uint32_t layer = 0; layer < 4; ++layer) {
            for (uint32_t rate = 0; rate < 16; ++rate) {
                for (uint32_t frequency = 0; frequency < 4; ++frequency) {
                    for (uint32_t padding = 0; padding < 2; ++padding) {
                        for (bool checksum : {false, true}) {
                            for (uint32_t mode : {0u, 3u}) {
                                HeaderFields f = Fields(layer, rate, frequency, mode, versionBits);
                                f.Padding = padding;
                                f.Checksum = checksum;
                                const uint32_t word = HeaderWord(f);
                                const uint32_t size = ReadableFrameBytes(word);
                                const bool valid =
                                    layer != 0 && rate != 0 && rate != 15 && frequency != 3;
                                ASSERT_EQ(size, valid ? FrameSize(f) : 0u) << std::hex << word;
                                if (size == 0) {
                                    continue;
                                }
                                ++readable;
                                ASSERT_LE(size - 4, FrameStream::BufferBytes);
                                FrameHeader header;
                                header.SplitFields(word);
                                ASSERT_EQ(header.BodySize(), size - 4);
                                ASSERT_GE(header.MainDataSize(), 0);
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(readable, 2 * 3 * 14 * 3 * 2 * 2 * 2);
}

TEST(FrameHeader, SplitsFieldsAndLooksUpTables) {
    HeaderFields f = Fields(3, 9, 0, 1);
    f.ModeExtension = 2;
    f.Padding = 1;
    f.Copyright = 1;
    f.Checksum = true;
    FrameHeader header;
    header.SplitFields(HeaderWord(f));
    EXPECT_EQ(header.Layer(), 3u);
    EXPECT_EQ(header.Version(), 1u);
    EXPECT_EQ(header.NoChecksum(), 0u);
    EXPECT_EQ(header.BitrateIndex(), 9u);
    EXPECT_EQ(header.Bitrate(), 128000u);
    EXPECT_EQ(header.SampleRate(), 44100u);
    EXPECT_FLOAT_EQ(header.MsPerFrame(), 26.12245f);
    EXPECT_EQ(header.Padding(), 1u);
    EXPECT_EQ(header.Mode(), 1u);
    EXPECT_EQ(header.ModeExtension(), 2u);
    EXPECT_TRUE(header.Copyright());
    EXPECT_FALSE(header.Original());
    EXPECT_EQ(header.BodySize(), 414u);
    EXPECT_EQ(header.MainDataSize(), 418 - 4 - 32 - 2);

    header.SplitFields(HeaderWord(Fields(3, 1, 1, 3, 2)));  // LSF 8 kbit/s 24 kHz mono
    EXPECT_EQ(header.Version(), 0u);
    EXPECT_EQ(header.Bitrate(), 8000u);
    EXPECT_EQ(header.SampleRate(), 24000u);
    EXPECT_EQ(header.BodySize(), 24u - 4);
    EXPECT_EQ(header.MainDataSize(), 24 - 4 - 9);
    EXPECT_FLOAT_EQ(header.MsPerFrame(), 24.0f);

    header.SplitFields(HeaderWord(Fields(1, 14, 2)));  // Layer I 448 kbit/s 32 kHz
    EXPECT_EQ(header.Bitrate(), 448000u);
    EXPECT_EQ(header.BodySize(), 4u * 168 - 4);
    EXPECT_EQ(header.MainDataSize(), 0);
    EXPECT_FLOAT_EQ(header.MsPerFrame(), 12.0f);
}

TEST(FrameHeader, LowSamplingFrequencyLayer2KeepsFullFrame) {
    // 1152 samples at 24 kHz: 144 x 64000 / 24000 = 384 bytes, lasting 48 ms.
    FrameHeader header;
    header.SplitFields(HeaderWord(Fields(2, 8, 1, 0, 2)));
    EXPECT_EQ(header.Bitrate(), 64000u);
    EXPECT_EQ(header.BodySize(), 380u);
    EXPECT_FLOAT_EQ(header.MsPerFrame(), 48.0f);
}

TEST(FrameHeader, SubbandsAndIntensityBoundFollowLayer2TableSelection) {
    struct Case {
        uint32_t layer, rate, frequency, mode, extension, subbands, bound;
    };
    const Case cases[] = {
        {1, 14, 0, 1, 3, 32, 16},  // Layer I joint stereo
        {1, 14, 0, 0, 3, 32, 0},   // bound only in joint stereo
        {2, 4, 1, 0, 0, 8, 0},     // 64 kbit/s stereo: 32 per channel, low-rate table
        {2, 4, 2, 1, 3, 12, 12},   // same at 32 kHz; bound limited to the subbands
        {2, 5, 0, 0, 0, 8, 0},     // 80 kbit/s stereo: index 1 per channel
        {2, 6, 0, 0, 0, 8, 0},     // 96 kbit/s stereo: 48 per channel
        {2, 7, 0, 0, 0, 27, 0},    // 112 kbit/s stereo: 56 per channel
        {2, 9, 0, 1, 1, 27, 8},    // 160 kbit/s joint: 80 per channel
        {2, 10, 0, 0, 0, 30, 0},   // 192 kbit/s stereo at 44.1 kHz
        {2, 10, 1, 0, 0, 27, 0},   // the same at 48 kHz
        {2, 10, 2, 0, 0, 30, 0},   // and at 32 kHz
        {2, 2, 2, 3, 0, 12, 0},    // 48 kbit/s mono at 32 kHz
        {2, 3, 0, 3, 0, 27, 0},    // 56 kbit/s mono
        {2, 6, 0, 3, 0, 30, 0},    // 96 kbit/s mono
        {2, 1, 0, 0, 0, 30, 0},    // 32 kbit/s stereo (not allowed) falls to table b
        {3, 4, 1, 1, 2, 8, 8},     // computed for Layer III too
    };
    for (const Case& c : cases) {
        HeaderFields f = Fields(c.layer, c.rate, c.frequency, c.mode);
        f.ModeExtension = c.extension;
        FrameHeader header;
        header.SplitFields(HeaderWord(f));
        EXPECT_EQ(header.Subbands(), c.subbands) << c.layer << " " << c.rate << " " << c.frequency;
        EXPECT_EQ(header.IntensityBound(), c.bound) << c.layer << " " << c.rate << " " << c.mode;
    }
}

// CRC-16 as ISO/IEC 11172-3 defines it, over whole bytes, for comparison.
uint16_t ReferenceCrc(uint16_t start, std::initializer_list<uint8_t> bytes) {
    uint32_t crc = start;
    for (uint8_t byte : bytes) {
        crc ^= uint32_t{byte} << 8;
        for (int i = 0; i < 8; ++i) {
            crc = (crc & 0x8000) != 0 ? (crc << 1) ^ 0x8005 : crc << 1;
            crc &= 0xFFFF;
        }
    }
    return static_cast<uint16_t>(crc);
}

TEST(FrameHeader, ChecksumFrameDeliversCrcFedWithHeaderLowBits) {
    HeaderFields protectedFrame = Fields(2, 10, 0);
    protectedFrame.Checksum = true;
    HeaderFields second = protectedFrame;
    second.Padding = 1;
    Bytes file = MakeFrame(protectedFrame, {}, 0xBEEF);
    AppendBytes(file, MakeFrame(Fields(2, 10, 0), {}));
    AppendBytes(file, MakeFrame(second, {}, 0x1234));
    TempFile temp(file);

    OpenedStream opened(temp.Path());
    Crc16* crc = nullptr;
    ASSERT_TRUE(opened.header.ReadNext(opened.stream, crc));
    ASSERT_NE(crc, nullptr);
    EXPECT_EQ(crc, opened.header.Crc());
    EXPECT_EQ(opened.header.StoredChecksum(), 0xBEEF);
    const uint32_t word1 = HeaderWord(protectedFrame);
    const uint16_t afterFirst =
        ReferenceCrc(0xFFFF, {static_cast<uint8_t>(word1 >> 8), static_cast<uint8_t>(word1)});
    EXPECT_EQ(crc->Value(), afterFirst);

    ASSERT_TRUE(opened.header.ReadNext(opened.stream, crc));
    EXPECT_EQ(crc, nullptr);

    // Each frame starts afresh, although nothing checked the first frame.
    ASSERT_TRUE(opened.header.ReadNext(opened.stream, crc));
    ASSERT_NE(crc, nullptr);
    EXPECT_EQ(opened.header.StoredChecksum(), 0x1234);
    const uint32_t word3 = HeaderWord(second);
    EXPECT_EQ(crc->Value(), ReferenceCrc(0xFFFF, {static_cast<uint8_t>(word3 >> 8),
                                                  static_cast<uint8_t>(word3)}));
}

TEST(FrameHeader, AlternatingBitratesPlayWithEstimatesFromFirstFrameAt44k) {
    Bytes file;
    for (uint32_t i = 0; i < 40; ++i) {
        AppendBytes(file, MakeIndexedFrame(Fields(3, i % 2 == 0 ? 9 : 10, 0), i));
    }
    TempFile temp(file);
    const auto fileSize = static_cast<uint32_t>(file.size());

    OpenedStream opened(temp.Path());
    for (int64_t i = 0; i < 40; ++i) {
        ASSERT_EQ(opened.Next(), i);
        EXPECT_EQ(opened.header.Bitrate(), i % 2 == 0 ? 128000u : 160000u);
        EXPECT_EQ(opened.header.BodySize(), i % 2 == 0 ? 413u : 518u);
        EXPECT_EQ(opened.header.MaxFrames(), fileSize / 417);
        EXPECT_EQ(opened.header.MinFrames(), fileSize / 418);
        EXPECT_FLOAT_EQ(opened.header.TotalMs(), 26.12245f * static_cast<float>(fileSize / 417));
    }
    EXPECT_EQ(opened.Next(), -1);
}

TEST(FrameHeader, EstimatesFollowEveryFrameAt48k) {
    Bytes file;
    for (uint32_t i = 0; i < 10; ++i) {
        AppendBytes(file, MakeIndexedFrame(Fields(3, i % 2 == 0 ? 9 : 10, 1), i));
    }
    TempFile temp(file);
    const auto fileSize = static_cast<uint32_t>(file.size());

    OpenedStream opened(temp.Path());
    for (int64_t i = 0; i < 10; ++i) {
        ASSERT_EQ(opened.Next(), i);
        const uint32_t frameBytes = i % 2 == 0 ? 384 : 480;
        EXPECT_EQ(opened.header.MaxFrames(), fileSize / frameBytes);
        EXPECT_EQ(opened.header.MinFrames(), fileSize / (frameBytes + 1));
        EXPECT_FLOAT_EQ(opened.header.TotalMs(), 24.0f * static_cast<float>(fileSize / frameBytes));
        EXPECT_TRUE(opened.header.PaddingTable().empty());
    }
}

// 44.1 kHz frames, padded in an irregular pattern. Each body carries its index
// first and, in its last 4 bytes, a decoy header of the same stream, so that a
// seek landing anywhere but on a frame start reads a wrong frame.
struct PaddedStream {
    static bool Padded(uint32_t i) { return i % 3 == 1 || i % 7 == 4; }

    explicit PaddedStream(uint32_t count, Bytes leading = {}) : file(std::move(leading)) {
        const size_t start = file.size();
        const uint32_t decoy = HeaderWord(Fields(3, 9, 0));
        for (uint32_t i = 0; i < count; ++i) {
            HeaderFields f = Fields(3, 9, 0);
            f.Padding = Padded(i) ? 1 : 0;
            Bytes body(FrameSize(f) - 4, 0);
            body[0] = static_cast<uint8_t>(i >> 24);
            body[1] = static_cast<uint8_t>(i >> 16);
            body[2] = static_cast<uint8_t>(i >> 8);
            body[3] = static_cast<uint8_t>(i);
            for (int b = 0; b < 4; ++b) {
                body[body.size() - 4 + b] = static_cast<uint8_t>(decoy >> (24 - 8 * b));
            }
            offsets.push_back(file.size() - start);
            AppendBytes(file, MakeFrame(f, body));
        }
    }
    Bytes file;
    std::vector<size_t> offsets;
};

TEST(FrameHeader, SeeksForwardAndBackInPaddedStream) {
    PaddedStream padded(1200);
    TempFile temp(padded.file);
    OpenedStream opened(temp.Path());
    ASSERT_EQ(opened.Next(), 0);

    ASSERT_TRUE(opened.header.SeekToFrame(opened.stream, 1000));
    EXPECT_EQ(opened.stream.CurrentFrame(), 1000);
    EXPECT_EQ(opened.stream.HighestFrame(), 1000);
    EXPECT_EQ(opened.stream.GetBits(32), 1000u);
    const std::span<const uint32_t> table = opened.header.PaddingTable();
    ASSERT_EQ(table.size(), 1001u);
    uint32_t paddedSoFar = 0;
    for (uint32_t k = 0; k <= 1000; ++k) {
        paddedSoFar += PaddedStream::Padded(k) ? 1 : 0;
        ASSERT_EQ(table[k], paddedSoFar) << k;
    }

    ASSERT_TRUE(opened.header.SeekToFrame(opened.stream, 10));
    EXPECT_EQ(opened.stream.CurrentFrame(), 10);
    EXPECT_EQ(opened.stream.HighestFrame(), 1000);
    EXPECT_EQ(opened.stream.GetBits(32), 10u);
    EXPECT_EQ(opened.stream.Position(), padded.offsets[11]);
    EXPECT_EQ(opened.header.PaddingTable().size(), 1001u);
    EXPECT_EQ(opened.header.PaddingTable()[10], table[10]);

    // Reading on after the backward seek continues with frame 11.
    EXPECT_EQ(opened.Next(), 11);

    ASSERT_TRUE(opened.header.SeekToFrame(opened.stream, 0));
    EXPECT_EQ(opened.stream.GetBits(32), 0u);
    EXPECT_FALSE(opened.header.SeekToFrame(opened.stream, -1));
    EXPECT_FALSE(opened.header.SeekToFrame(opened.stream, 5000));
}

TEST(FrameHeader, SeeksCountFromFirstFrameAfterLeadingData) {
    Bytes leading = Id3v2Tag(300);
    AppendBytes(leading, Junk(500, 5));
    PaddedStream padded(60, leading);
    TempFile variable(padded.file);
    OpenedStream atVariable(variable.Path());
    ASSERT_EQ(atVariable.Next(), 0);
    EXPECT_EQ(atVariable.stream.FirstFrameOffset(), 810u);
    ASSERT_TRUE(atVariable.header.SeekToFrame(atVariable.stream, 40));
    EXPECT_EQ(atVariable.stream.GetBits(32), 40u);
    ASSERT_TRUE(atVariable.header.SeekToFrame(atVariable.stream, 17));
    EXPECT_EQ(atVariable.stream.GetBits(32), 17u);

    // 48 kHz: fixed frame size, the target is read by the next ReadNext.
    Bytes fixed = Junk(500, 9);
    for (uint32_t i = 0; i < 30; ++i) {
        AppendBytes(fixed, MakeIndexedFrame(Fields(3, 9, 1), i));
    }
    TempFile fixedFile(fixed);
    OpenedStream atFixed(fixedFile.Path());
    ASSERT_EQ(atFixed.Next(), 0);
    ASSERT_TRUE(atFixed.header.SeekToFrame(atFixed.stream, 7));
    EXPECT_EQ(atFixed.stream.CurrentFrame(), 6);
    EXPECT_EQ(atFixed.Next(), 7);
    EXPECT_EQ(atFixed.stream.CurrentFrame(), 7);
    ASSERT_TRUE(atFixed.header.SeekToFrame(atFixed.stream, 2));
    EXPECT_EQ(atFixed.Next(), 2);
}

TEST(FrameHeader, PaddingTableGrowsPastFirstFrameEstimate) {
    // A large first frame makes MaxFrames far smaller than the frame count.
    Bytes file = MakeIndexedFrame(Fields(3, 14, 0), 0);
    for (uint32_t i = 1; i < 300; ++i) {
        HeaderFields f = Fields(3, 1, 0);
        f.Padding = i % 2;
        AppendBytes(file, MakeIndexedFrame(f, i));
    }
    TempFile temp(file);
    OpenedStream opened(temp.Path());
    int64_t frames = 0;
    while (opened.Next() >= 0) {
        ++frames;
    }
    EXPECT_EQ(frames, 300);
    EXPECT_LT(opened.header.MaxFrames(), 300u);
    const std::span<const uint32_t> table = opened.header.PaddingTable();
    ASSERT_EQ(table.size(), 300u);
    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[299], 150u);
}

}  // namespace
}  // namespace aurion::test
