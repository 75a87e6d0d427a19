// MPEG-2.5 (tests/data/vbr/mpeg25-8k.mp3, lame -V6 at 8 kHz): accepted by the sync
// search only where a second matching header follows; its rate and frame
// duration are those of the halved low sampling frequencies.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameSize.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {
namespace {

const std::string Mpeg25File = TRACKDECK_SOURCE_DIR "/tests/data/vbr/mpeg25-8k.mp3";

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool OpensWithFirstBytes(const std::vector<uint8_t>& bytes, size_t count, FrameHeader& header) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("mpeg25-" + std::to_string(getpid()) + ".mp3");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(count));
    FrameStream stream;
    stream.Open(path.string());
    Crc16* crc = nullptr;
    const bool read = header.ReadNext(stream, crc);
    std::filesystem::remove(path);
    return read;
}

TEST(Mpeg25Stream, RateAndFrameDurationAreThoseOfTheHalvedLowFrequencies) {
    FrameStream stream;
    FrameHeader header;
    stream.Open(Mpeg25File);
    Crc16* crc = nullptr;
    ASSERT_TRUE(header.ReadNext(stream, crc));
    EXPECT_TRUE(header.Mpeg25());
    EXPECT_EQ(header.Version(), 0u);
    EXPECT_EQ(header.SampleRate(), 8000u);
    EXPECT_FLOAT_EQ(header.MsPerFrame(), 72.0f);  // 576 samples
    ASSERT_TRUE(header.LengthFromHeader());
    uint32_t frames = 1;
    while (header.ReadNext(stream, crc)) {
        ++frames;
    }
    EXPECT_EQ(frames, header.MaxFrames());
}

TEST(Mpeg25Stream, LoneHeaderIsNotTakenEvenAtTheEndOfTheFile) {
    const std::vector<uint8_t> bytes = FileBytes(Mpeg25File);
    ASSERT_GT(bytes.size(), 4u);
    const uint32_t word = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                          (uint32_t{bytes[2]} << 8) | bytes[3];
    const uint32_t first = ReadableFrameBytes(word);
    ASSERT_GT(first, 0u);
    FrameHeader lone;
    EXPECT_FALSE(OpensWithFirstBytes(bytes, first, lone));
    FrameHeader confirmed;
    EXPECT_TRUE(OpensWithFirstBytes(bytes, bytes.size(), confirmed));
}

// Constant-rate files without a header frame (tests/data/mpeg25): the frame count
// is the number of audio frames another program counts in them, with an ID3v1
// record at the end or without.
TEST(Mpeg25Stream, FrameCountOfAConstantRateFileIsItsAudioFrames) {
    const std::string folder = TRACKDECK_SOURCE_DIR "/tests/data/mpeg25/";
    for (const std::string name : {"cbr8k", "cbr11k"}) {
        SCOPED_TRACE(name);
        uint32_t counted = 0;
        std::ifstream(folder + name + "-frames.txt") >> counted;
        std::vector<uint8_t> bytes = FileBytes(folder + name + ".mp3");
        FrameHeader plain;
        ASSERT_TRUE(OpensWithFirstBytes(bytes, bytes.size(), plain));
        EXPECT_FALSE(plain.VbrInfo());
        EXPECT_EQ(plain.MaxFrames(), counted);

        const std::vector<uint8_t> tag = {'T', 'A', 'G'};
        bytes.insert(bytes.end(), tag.begin(), tag.end());
        bytes.resize(bytes.size() + 125, 0);
        FrameHeader tagged;
        ASSERT_TRUE(OpensWithFirstBytes(bytes, bytes.size(), tagged));
        EXPECT_EQ(tagged.MaxFrames(), counted);
    }
}

TEST(Mpeg25Stream, OnlyLayerIIIAndNotTheReservedVersionAreReadable) {
    // 8 kHz, 32 kbit/s, single channel: Layer III is readable, Layer II is not; the
    // reserved version code (01) never is.
    EXPECT_GT(ReadableFrameBytes(0xFFE348C4), 0u);
    EXPECT_EQ(ReadableFrameBytes(0xFFE548C4), 0u);
    EXPECT_EQ(ReadableFrameBytes(0xFFEB48C4), 0u);
}

}  // namespace
}  // namespace aurion
