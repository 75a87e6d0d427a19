// A lame -V2 file (tests/data/vbr, made by its make.sh) read through the stream:
// the header frame is passed over, the length comes from it, and seeks land on
// the frame asked for. Damaged header frames, and a long file for far seeks, are
// built from it in temporary files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "tests/support/StreamCut.h"

namespace aurion {
namespace {

const std::string VbrFile = TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3";
constexpr size_t InfoFrameBytes = 417;  // 128 kbit/s, 44.1 kHz
constexpr size_t FramesFieldAt = 21 + 8;
constexpr size_t BytesFieldAt = FramesFieldAt + 4;
constexpr size_t TocAt = BytesFieldAt + 4;

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

void PutUint32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

// The index of the frame starting at the stream's loaded frame, or -1.
int64_t LoadedFrameIndex(const FrameStream& stream, const FrameHeader& header,
                         const std::vector<uint64_t>& starts) {
    const uint64_t at = stream.Position() - header.BodySize() - 4;
    for (size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] == at) return static_cast<int64_t>(i);
    }
    return -1;
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

TEST(VbrStream, FarSeekStartsFromTheTableAndNumbersTheFrameWhereItLands) {
    const test::RepeatedVbrFile repeated = test::RepeatVbrFile(VbrFile, 40);
    const TempFile file(repeated.Bytes);
    FrameStream stream;
    FrameHeader header;
    stream.Open(file.Path());
    Crc16* crc = nullptr;
    ASSERT_TRUE(header.ReadNext(stream, crc));
    ASSERT_EQ(header.MaxFrames(), repeated.Starts.size());

    constexpr int32_t Target = 1300;
    ASSERT_TRUE(header.SeekToFrame(stream, Target));
    // Not read up to: only frame 0 is recorded. The table's 1/256 steps place the
    // frame within a few frames, and the frame loaded is a true frame start.
    EXPECT_EQ(header.FrameOffsets().size(), 1u);
    const int64_t truth = LoadedFrameIndex(stream, header, repeated.Starts);
    ASSERT_GE(truth, 0);
    EXPECT_NEAR(stream.CurrentFrame(), Target, 8);
    EXPECT_LE(std::abs(truth - stream.CurrentFrame()), 8);
    const int32_t landed = stream.CurrentFrame();
    ASSERT_TRUE(header.ReadNext(stream, crc));
    EXPECT_EQ(stream.CurrentFrame(), landed + 1);
    EXPECT_EQ(header.FrameOffsets().size(), 1u);  // estimated numbers are never recorded

    // Back to exact numbering: a near seek reads ahead from the recorded frames.
    ASSERT_TRUE(header.SeekToFrame(stream, 500));
    EXPECT_EQ(stream.CurrentFrame(), 500);
    EXPECT_EQ(LoadedFrameIndex(stream, header, repeated.Starts), 500);
    EXPECT_EQ(header.FrameOffsets().size(), 501u);
}

TEST(VbrStream, DamagedTablesFallBackAndNeverLeaveTheFile) {
    const test::RepeatedVbrFile repeated = test::RepeatVbrFile(VbrFile, 40);
    struct Damage {
        const char* Name;
        std::function<void(std::vector<uint8_t>&)> Apply;
        bool Exact;  // the seek falls back to reading ahead
    };
    const std::vector<Damage> damages = {
        {"table of zeros", [](auto& b) { std::fill_n(b.begin() + TocAt, 100, 0); }, true},
        {"not ascending", [](auto& b) { b[TocAt + 80] = 1; }, true},
        {"bytes beyond the file",
         [](auto& b) { PutUint32(b, BytesFieldAt, static_cast<uint32_t>(b.size() + 1)); }, true},
        {"table at the end", [](auto& b) { std::fill_n(b.begin() + TocAt, 100, 255); }, false},
    };
    constexpr int32_t Target = 1300;
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.Name);
        std::vector<uint8_t> bytes = repeated.Bytes;
        damage.Apply(bytes);
        const TempFile file(bytes);
        FrameStream stream;
        FrameHeader header;
        stream.Open(file.Path());
        Crc16* crc = nullptr;
        ASSERT_TRUE(header.ReadNext(stream, crc));
        ASSERT_TRUE(header.SeekToFrame(stream, Target));
        EXPECT_LE(stream.Position(), stream.FileSize());
        const int64_t truth = LoadedFrameIndex(stream, header, repeated.Starts);
        EXPECT_GE(truth, 0);
        if (damage.Exact) {
            EXPECT_EQ(stream.CurrentFrame(), Target);
            EXPECT_EQ(truth, Target);
        }
    }
}

}  // namespace
}  // namespace aurion
