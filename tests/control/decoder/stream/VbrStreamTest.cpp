// A lame -V2 file (tests/data/vbr, made by its make.sh) read through the stream:
// the header frame is passed over, the length comes from it, and seeks land on
// the frame asked for. Damaged header frames are built from it in a temporary file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {
namespace {

const std::string VbrFile = TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3";
constexpr size_t InfoFrameBytes = 417;  // 128 kbit/s, 44.1 kHz
constexpr size_t FramesFieldAt = 21 + 8;

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every audio frame's start offset, read in order.
std::vector<uint64_t> FrameStarts(const std::string& path) {
    FrameStream stream;
    FrameHeader header;
    stream.Open(path);
    std::vector<uint64_t> starts;
    Crc16* crc = nullptr;
    while (header.ReadNext(stream, crc)) {
        EXPECT_EQ(stream.CurrentFrame(), static_cast<int32_t>(starts.size()));
        starts.push_back(stream.Position() - header.BodySize() - 4);
    }
    return starts;
}

class TempFile {
public:
    explicit TempFile(const std::vector<uint8_t>& bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 ("vbr-" + std::to_string(getpid()) + "-" + std::to_string(++s_count) + ".mp3")) {
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    [[nodiscard]] std::string Path() const { return m_path.string(); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

TEST(VbrStream, HeaderFrameIsPassedOverAndGivesTheLength) {
    FrameStream stream;
    FrameHeader header;
    stream.Open(VbrFile);
    Crc16* crc = nullptr;
    ASSERT_TRUE(header.ReadNext(stream, crc));
    EXPECT_EQ(stream.CurrentFrame(), 0);
    EXPECT_EQ(stream.FirstFrameOffset(), InfoFrameBytes);
    ASSERT_TRUE(header.LengthFromHeader());
    const std::vector<uint64_t> starts = FrameStarts(VbrFile);
    EXPECT_EQ(header.MaxFrames(), starts.size());
    EXPECT_EQ(header.MinFrames(), starts.size());
    EXPECT_FLOAT_EQ(header.TotalMs(), header.MsPerFrame() * static_cast<float>(starts.size()));
    EXPECT_EQ(starts.front(), InfoFrameBytes);
}

TEST(VbrStream, SeeksLandOnTheFrameAskedForForwardAndBack) {
    const std::vector<uint64_t> starts = FrameStarts(VbrFile);
    ASSERT_GT(starts.size(), 30u);
    FrameStream stream;
    FrameHeader header;
    stream.Open(VbrFile);
    Crc16* crc = nullptr;
    ASSERT_TRUE(header.ReadNext(stream, crc));
    for (const int32_t target : {30, 5, 0, 31, static_cast<int32_t>(starts.size() - 1), 12}) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(header.SeekToFrame(stream, target));
        EXPECT_EQ(stream.CurrentFrame(), target);
        EXPECT_EQ(stream.Position() - header.BodySize() - 4, starts[static_cast<size_t>(target)]);
    }
    EXPECT_EQ(header.FrameOffsets().size(), starts.size());
    EXPECT_FALSE(header.SeekToFrame(stream, static_cast<int32_t>(starts.size())));
}

TEST(VbrStream, DamagedFrameCountLeavesTheEstimatesAndTheHeaderFrameUncounted) {
    const std::vector<uint8_t> original = FileBytes(VbrFile);
    for (const uint32_t frames : {0u, 4'000'000'000u}) {
        SCOPED_TRACE(frames);
        std::vector<uint8_t> bytes = original;
        for (size_t i = 0; i < 4; ++i) {
            bytes[FramesFieldAt + i] = static_cast<uint8_t>(frames >> (24 - 8 * i));
        }
        const TempFile file(bytes);
        FrameStream stream;
        FrameHeader header;
        stream.Open(file.Path());
        Crc16* crc = nullptr;
        ASSERT_TRUE(header.ReadNext(stream, crc));
        EXPECT_FALSE(header.LengthFromHeader());
        EXPECT_EQ(stream.CurrentFrame(), 0);
        EXPECT_EQ(header.MaxFrames(),
                  stream.FileSize() / (header.BodySize() - header.Padding() + 4));
        // Seeks still go through the recorded offsets and stop at the file's end.
        ASSERT_TRUE(header.SeekToFrame(stream, 20));
        EXPECT_EQ(stream.CurrentFrame(), 20);
        EXPECT_FALSE(header.SeekToFrame(stream, 100'000));
    }
}

}  // namespace
}  // namespace aurion
