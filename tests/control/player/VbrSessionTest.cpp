// A range of a lame -V2 file (tests/data/vbr) played to a WAV file, a range played
// on the null device and a seek while it plays start at the frame asked for: once
// the decoder has its history again, the samples are the full decode's samples of
// the same frames. The device, like the WAV file, leaves out the encoder delay.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/NullAudio.h"
#include "tests/support/StreamCut.h"
#include "tests/support/WavFileReader.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;

const std::string VbrFile = TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3";
constexpr size_t SamplesPerFrame = 1152;
constexpr size_t DroppedAtStart = 576 + 529;  // the file's encoder delay and the decoder's

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
    // The seek decodes the frames before A without output: A is heard whole.
    ASSERT_EQ(range.size(), (B - A) * SamplesPerFrame);
    const size_t start = A * SamplesPerFrame - DroppedAtStart;
    ASSERT_LE(start + range.size(), full.size());
    const std::span<const int16_t> expected(full.data() + start, range.size());
    const test::PcmDifference difference = test::ComparePcm(range, expected);
    EXPECT_EQ(difference.peak, 0) << "at " << difference.peakIndex;
}

// The fixture ten times over (about ten seconds), so that playing it lasts.
class VbrPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Ready()) << m_host.Problem();
        const test::RepeatedVbrFile file = test::RepeatVbrFile(VbrFile, 10);
        ASSERT_FALSE(file.Bytes.empty());
        std::ofstream(m_mp3, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.Bytes.data()),
                   static_cast<std::streamsize>(file.Bytes.size()));
        m_full = Decoded();
    }

    std::vector<int16_t> Decoded() {
        const std::string wav = m_host.Folder() + "full.wav";
        EXPECT_EQ(m_host.Call("Open", m_mp3, wav).Short(), 0);
        EXPECT_EQ(m_host.Call("Play").Short(), 0);
        EXPECT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, 60s));
        const auto file = test::ReadWavFile(wav);
        return file ? file->Samples : std::vector<int16_t>{};
    }
    bool PumpUntilHeard(uintmax_t bytes) {
        return m_host.PumpUntil([&] { return m_audio.CapturedBytes() > bytes; }, 30s);
    }
    // True when `heard` from `at` on holds frame `frame` onwards of the full decode,
    // for eight frames.
    [[nodiscard]] bool HoldsFramesFrom(const std::vector<int16_t>& heard, size_t at,
                                       size_t frame) const {
        constexpr size_t Length = 8 * SamplesPerFrame;
        const size_t from = at;
        const size_t expected = frame * SamplesPerFrame - DroppedAtStart;
        if (from + Length > heard.size() || expected + Length > m_full.size()) return false;
        return std::equal(heard.begin() + static_cast<std::ptrdiff_t>(from),
                          heard.begin() + static_cast<std::ptrdiff_t>(from + Length),
                          m_full.begin() + static_cast<std::ptrdiff_t>(expected));
    }

    platform::test::NullAudio m_audio;  // before the host: its device is the null device
    test::ControlTestHost m_host;
    std::string m_mp3 = m_host.Folder() + "long.mp3";
    std::vector<int16_t> m_full;
};

TEST_F(VbrPlaybackTest, RangeOnTheDeviceStartsAtFrameA) {
    constexpr int32_t A = 150;
    ASSERT_EQ(m_host.Call("Open", m_mp3, "").Short(), 0);
    m_host.ClearEvents();
    ASSERT_EQ(m_host.Call("PlayFromTo", A, A + 12).Short(), 0);
    ASSERT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, 30s));
    EXPECT_EQ(m_host.ActFrames().front(), A);
    EXPECT_TRUE(HoldsFramesFrom(m_audio.Captured(), 0, A));
}

TEST_F(VbrPlaybackTest, DeviceHearsTheTrimmedSignalOfTheWavFile) {
    // The fixture itself, whose LAME tag gives the encoder's delay and padding.
    const std::string wav = m_host.Folder() + "fixture.wav";
    m_host.ClearEvents();
    ASSERT_EQ(m_host.Call("Open", VbrFile, wav).Short(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, 30s));
    const auto decoded = test::ReadWavFile(wav);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->Samples.size(), 44100u);  // the encoder's input: both ends were cut
    ASSERT_EQ(m_host.Call("Open", VbrFile, "").Short(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 1; }, 30s));
    const std::vector<int16_t> heard = m_audio.Captured();
    ASSERT_GE(heard.size(), decoded->Samples.size());
    EXPECT_TRUE(std::equal(decoded->Samples.begin(), decoded->Samples.end(), heard.begin()));
    EXPECT_TRUE(std::all_of(heard.begin() + static_cast<std::ptrdiff_t>(decoded->Samples.size()),
                            heard.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(VbrPlaybackTest, SeekWhilePlayingStartsAtFrameN) {
    constexpr int32_t N = 250;
    ASSERT_EQ(m_host.Call("Open", m_mp3, "").Short(), 0);
    m_host.ClearEvents();
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(PumpUntilHeard(2 * 2 * SamplesPerFrame));
    ASSERT_EQ(m_host.Call("Seek", N).Short(), 0);
    const auto seekReported = [&] {
        const std::vector<int32_t> frames = m_host.ActFrames();
        return std::find(frames.begin(), frames.end(), N) != frames.end();
    };
    ASSERT_TRUE(m_host.PumpUntil(seekReported, 30s));
    ASSERT_TRUE(PumpUntilHeard(m_audio.CapturedBytes() + 2 * 10 * SamplesPerFrame));
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, 30s));

    // Heard before the seek: the full decode from its start, encoder delay left
    // out. The device's reset cut it at some sample; the audio from frame N follows
    // right there (a sample or so earlier should the two happen to agree).
    const std::vector<int16_t> heard = m_audio.Captured();
    ASSERT_GT(heard.size(), DroppedAtStart);
    size_t cut = 0;
    while (cut < heard.size() && cut < m_full.size() && heard[cut] == m_full[cut]) {
        ++cut;
    }
    EXPECT_GT(cut, DroppedAtStart);  // the start was heard as the WAV file has it
    bool found = false;
    for (size_t back = 0; back <= 8 && back <= cut && !found; ++back) {
        found = HoldsFramesFrom(heard, cut - back, N);
    }
    EXPECT_TRUE(found) << "cut at " << cut;
}

}  // namespace
}  // namespace aurion
