// A range of a lame -V2 file (tests/data/vbr) played to a WAV file starts at the
// frame asked for: once the decoder has its history again, the range's samples
// are the full decode's samples of the same frames.
#include <gtest/gtest.h>

#include <chrono>
#include <span>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/WavFileReader.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;

const std::string VbrFile = TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3";
constexpr size_t SamplesPerFrame = 1152;
constexpr size_t DroppedAtStart = 576 + 529;  // the file's encoder delay and the decoder's
// Frames after a seek before the bit reservoir and the filters hold their history
// (frames whose main data lies before the seek point give no samples).
constexpr size_t SettlingFrames = 4;

class VbrSessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Ready()) << m_host.Problem(); }

    std::vector<int16_t> Decode(const std::string& wav, int32_t from, int32_t to) {
        m_host.ClearEvents();
        EXPECT_EQ(m_host.Call("Open", VbrFile, wav).Short(), 0);
        const auto call = from < 0 ? m_host.Call("Play") : m_host.Call("PlayFromTo", from, to);
        EXPECT_EQ(call.Short(), 0);
        EXPECT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, 60s));
        const auto file = test::ReadWavFile(wav);
        return file ? file->Samples : std::vector<int16_t>{};
    }

    test::ControlTestHost m_host;
};

TEST_F(VbrSessionTest, RangeStartsAtFrameA) {
    const std::vector<int16_t> full = Decode(m_host.Folder() + "full.wav", -1, 0);
    constexpr int32_t A = 20;
    constexpr int32_t B = 34;
    const std::vector<int16_t> range = Decode(m_host.Folder() + "range.wav", A, B);
    EXPECT_EQ(m_host.ActFrames().front(), A);
    const size_t end = B * SamplesPerFrame - DroppedAtStart;
    const size_t settled = (B - A - SettlingFrames) * SamplesPerFrame;
    ASSERT_GE(range.size(), settled);
    ASSERT_LE(range.size(), (B - A) * SamplesPerFrame);
    ASSERT_LE(end, full.size());
    const std::span<const int16_t> expected(full.data() + end - settled, settled);
    const std::span<const int16_t> got(range.data() + range.size() - settled, settled);
    const test::PcmDifference difference = test::ComparePcm(got, expected);
    EXPECT_EQ(difference.peak, 0) << "at " << difference.peakIndex;
}

}  // namespace
}  // namespace aurion
