// The playback session through the real path: the control created by its ProgID
// in a test host, Open with a WAV target, Play or PlayFromTo, window events let
// run until ThreadEnded, then the WAV file checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/BlockedWaits.h"
#include "tests/support/Conformance.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/NullAudio.h"
#include "tests/support/WavFileReader.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;

constexpr auto DecodeLimit = 300s;  // whole conformance streams under the sanitizers

struct LayerIIIStream {
    const char* Name;
    uint32_t Rate;
    uint16_t Channels;
};

void PrintTo(const LayerIIIStream& s, std::ostream* out) { *out << s.Name; }

const LayerIIIStream LayerIIIStreams[] = {
    {"l3-compl", 48000, 1},     {"l3-si", 44100, 1},
    {"l3-si_block", 44100, 1},  {"l3-si_huff", 44100, 1},
    {"l3-hecommon", 44100, 2},  {"l3-test46", 22050, 2},
    {"M2L3_compl24", 24000, 1}, {"M2L3_bitrate_22_all", 22050, 1},
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Ready()) << m_host.Problem(); }

    [[nodiscard]] std::string Wav() const { return m_host.Folder() + "out.wav"; }
    bool PumpUntilEnded() {
        return m_host.PumpUntil([this] { return m_host.ThreadEndedCount() > 0; }, DecodeLimit);
    }
    // Open to the WAV target and Play to the end.
    void DecodeToWav(const std::string& mp3) {
        ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
        ASSERT_EQ(m_host.Call("Play").Short(), 0);
        ASSERT_TRUE(PumpUntilEnded());
    }
    [[nodiscard]] std::string SilentFile(int frames) {
        test::HeaderFields mono;
        mono.Mode = 3;
        mono.FrequencyIndex = 1;
        test::Bytes bytes;
        for (int i = 0; i < frames; ++i) {
            test::AppendBytes(bytes, test::MakeFrame(mono));
        }
        m_files.push_back(std::make_unique<test::TempFile>(bytes));
        return m_files.back()->Path();
    }
    [[nodiscard]] std::vector<int> FailureNumbers() const {
        std::vector<int> numbers;
        for (const auto& e : m_host.Events()) {
            if (e.Kind == test::EventKind::Failure) {
                numbers.push_back(e.Number);
            }
        }
        return numbers;
    }

    platform::test::BlockedWaits m_blocked;
    platform::test::NullAudio m_audio;  // before the host: its device is the null device
    test::ControlTestHost m_host;
    std::vector<std::unique_ptr<test::TempFile>> m_files;
};

class SessionConformanceTest : public SessionTest,
                               public ::testing::WithParamInterface<LayerIIIStream> {};

TEST_P(SessionConformanceTest, DecodesTheStreamToAWavFileWithinTheReferenceLimits) {
    const LayerIIIStream& stream = GetParam();
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found";
    }
    DecodeToWav(test::ConformanceBitstream(stream.Name));
    EXPECT_TRUE(FailureNumbers().empty());
    const auto wav = test::ReadWavFile(Wav());
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->SampleRate, stream.Rate);
    EXPECT_EQ(wav->Channels, stream.Channels);
    EXPECT_EQ(wav->DataSize, wav->Bytes.size() - 46);
    EXPECT_EQ(wav->RiffSize, wav->Bytes.size() - 8);
    EXPECT_EQ(wav->Samples.size(), test::ExpectedSamples(stream.Name).value_or(0));
    const auto reference = test::ReferencePcm(stream.Name);
    ASSERT_TRUE(reference);
    const test::PcmDifference difference = test::ComparePcm(wav->Samples, *reference);
    EXPECT_GT(difference.compared, wav->Samples.size() * 9 / 10);
    EXPECT_LE(difference.rms, 1.0);
    EXPECT_LE(difference.peak, 2) << "at " << difference.peakIndex;
}

INSTANTIATE_TEST_SUITE_P(LayerIII, SessionConformanceTest, ::testing::ValuesIn(LayerIIIStreams));

// ChannelMode 1, 2 and 3 give one channel: the left, the right, or their mix.
TEST_F(SessionTest, SingleChannelModesOfAStereoStreamGiveOneChannel) {
    const char* name = "l3-hecommon";
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found";
    }
    const auto reference = test::ReferencePcm(name);
    ASSERT_TRUE(reference);
    const uint64_t expected = test::ExpectedSamples(name).value_or(0);
    for (int16_t mode : {int16_t{1}, int16_t{2}, int16_t{3}}) {
        SCOPED_TRACE(mode);
        m_host.ClearEvents();
        ASSERT_EQ(m_host.Put("ChannelMode", mode).Hr, platform::S_OK);
        DecodeToWav(test::ConformanceBitstream(name));
        const auto wav = test::ReadWavFile(Wav());
        ASSERT_TRUE(wav);
        EXPECT_EQ(wav->Channels, 1);
        EXPECT_EQ(wav->BlockAlign, 2);
        EXPECT_EQ(wav->Samples.size(), expected / 2);
        std::vector<int16_t> channel;
        for (size_t i = 0; i + 1 < reference->size(); i += 2) {
            const int32_t left = (*reference)[i];
            const int32_t right = (*reference)[i + 1];
            channel.push_back(static_cast<int16_t>(mode == 1   ? left
                                                   : mode == 2 ? right
                                                               : (left + right) / 2));
        }
        const test::PcmDifference difference = test::ComparePcm(wav->Samples, channel);
        EXPECT_LE(difference.rms, 1.0);
        EXPECT_LE(difference.peak, 2);
    }
}

// The frames where the ActFrame sequence, which starts at frame 0, jumps
// (anything but the next frame or the same one again).
std::vector<int32_t> Jumps(const std::vector<int32_t>& frames) {
    std::vector<int32_t> jumps;
    int32_t previous = 0;
    for (int32_t frame : frames) {
        if (frame != previous && frame != previous + 1) {
            jumps.push_back(frame);
        }
        previous = frame;
    }
    return jumps;
}

TEST_F(SessionTest, SecondSeekBeforeTheAnswerIsRefused) {
    const std::string mp3 = SilentFile(3000);
    ASSERT_EQ(m_host.Put("FrameNotifyCount", int16_t{1}).Hr, platform::S_OK);
    ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    EXPECT_EQ(m_host.Call("Seek", 1000).Short(), 0);
    EXPECT_EQ(m_host.Call("Seek", 2000).Short(), 654);  // no events have run in between
    ASSERT_TRUE(PumpUntilEnded());
    EXPECT_EQ(Jumps(m_host.ActFrames()), std::vector<int32_t>{1000});
}

TEST_F(SessionTest, SeekAfterTheAnswerIsTakenAndOutOfRangeFramesAreRefused) {
    // Played on the null device, at the pace of real time: after the answer the
    // session still runs for seconds, however slowly this thread gets to the next
    // seek. (Decoding to a file, the worker may reach the end first.)
    const std::string mp3 = SilentFile(4000);
    ASSERT_EQ(m_host.Call("Open", mp3, "").Short(), 0);
    ASSERT_EQ(m_host.Put("FrameNotifyCount", int16_t{1}).Hr, platform::S_OK);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    const int32_t count = m_host.Get("FrameCount").Long();
    EXPECT_EQ(count, 4000);
    EXPECT_EQ(m_host.Call("Seek", -1).Short(), 380);
    EXPECT_EQ(m_host.Call("Seek", count).Short(), 380);
    EXPECT_EQ(m_host.Call("Seek", 3500).Short(), 0);
    // Lets events run until `frame` is told after the first `skip` ActFrames.
    const auto toldAfter = [this](size_t skip, int32_t frame) {
        return m_host.PumpUntil([this, skip, frame] {
            const auto frames = m_host.ActFrames();
            return std::find(
                       frames.begin() + static_cast<std::ptrdiff_t>(std::min(skip, frames.size())),
                       frames.end(), frame) != frames.end();
        });
    };
    // The answer (SeekDone, then ActFrame of the frame sought) lets the next seek in.
    ASSERT_TRUE(toldAfter(0, 3500));
    const size_t beforeSeekBack = m_host.ActFrames().size();
    EXPECT_EQ(m_host.Call("Seek", 10).Short(), 0);
    ASSERT_TRUE(toldAfter(beforeSeekBack, 11)) << "the session goes on from the frame sought";
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    EXPECT_EQ(Jumps(m_host.ActFrames()), (std::vector<int32_t>{3500, 10}));
}

TEST_F(SessionTest, RefusedRangeChangesNothingAndPlayStartsAtTheFirstFrame) {
    const std::string mp3 = SilentFile(60);
    ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
    EXPECT_EQ(m_host.Call("PlayFromTo", 10, 5).Short(), 380);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    const auto frames = m_host.ActFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front(), 0);
    EXPECT_EQ(frames.back(), 59);
    const auto wav = test::ReadWavFile(Wav());
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->DataSize, 60u * 2304);
}

TEST_F(SessionTest, RangeWritesFramesFromAToBeforeB) {
    const std::string mp3 = SilentFile(60);
    ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
    ASSERT_EQ(m_host.Call("PlayFromTo", 12, 40).Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    const auto wav = test::ReadWavFile(Wav());
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->Bytes.size(), 46u + 28 * 2304);
    EXPECT_EQ(wav->DataSize, 28u * 2304);
    EXPECT_EQ(m_host.ActFrames().front(), 12);
}

TEST_F(SessionTest, MethodsAnswerTheirNumbersInEachState) {
    const std::string mp3 = SilentFile(400);
    EXPECT_EQ(m_host.Call("Play").Short(), 650);             // nothing opened
    EXPECT_EQ(m_host.Call("Open", "", Wav()).Short(), 642);  // no file name
    EXPECT_EQ(m_host.Call("Play").Short(), 650);             // ... and no session left
    const std::string missing = m_host.Folder() + "missing.mp3";
    EXPECT_EQ(m_host.Call("Open", missing, Wav()).Short(), 643);
    EXPECT_EQ(m_host.Call("Play").Short(), 643);  // the unreadable header stays
    ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
    EXPECT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 640);  // one session at a time
    EXPECT_EQ(m_host.Call("Pause").Short(), 647);             // opened, not started
    EXPECT_EQ(m_host.Call("Seek", 1).Short(), 647);
    EXPECT_EQ(m_host.Call("Stop").Short(), 647);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    EXPECT_EQ(m_host.Call("Play").Short(), 651);  // already playing
    EXPECT_EQ(m_host.Call("PlayFromTo", 0, 0).Short(), 651);
    EXPECT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    EXPECT_EQ(m_host.Call("Play").Short(), 650);  // the session ended with ThreadEnded
    const auto wav = test::ReadWavFile(Wav());
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->DataSize, wav->Bytes.size() - 46);  // stopped, yet complete
    EXPECT_EQ(wav->DataSize % 2304, 0u);
}

TEST_F(SessionTest, PauseHoldsTheFileAndPlayContinuesIt) {
    const std::string mp3 = SilentFile(3000);
    ASSERT_EQ(m_host.Call("Open", mp3, Wav()).Short(), 0);
    ASSERT_EQ(m_host.Put("FrameNotifyCount", int16_t{1}).Hr, platform::S_OK);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(m_host.PumpUntil([this] { return m_host.ActFrames().size() > 10; }));
    ASSERT_EQ(m_host.Call("Pause").Short(), 0);
    // The worker ends the frame it was decoding and halts at the pause gate: the only
    // mutex held now that Pause has returned (the control's lock is free again, and
    // a block on it during Pause was told before Pause returned).
    m_blocked.Clear();
    EXPECT_TRUE(m_blocked.WaitForBlock());
    EXPECT_EQ(m_host.Call("GetStatus").Short(), 2);
    m_host.Pump();
    EXPECT_LT(m_host.ActFrames().size(), 3000u);
    EXPECT_EQ(m_host.ThreadEndedCount(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    EXPECT_EQ(m_host.Call("GetStatus").Short(), 1);
    ASSERT_TRUE(PumpUntilEnded());
    const auto frames = m_host.ActFrames();
    ASSERT_EQ(frames.size(), 3001u);
    for (size_t i = 0; i < 3000; ++i) {
        ASSERT_EQ(frames[i], static_cast<int32_t>(i));
    }
    const auto wav = test::ReadWavFile(Wav());
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->DataSize, 3000u * 2304);
}

TEST_F(SessionTest, WavTargetThatCannotBeWrittenFailsWith601ThenEnds) {
    const std::string mp3 = SilentFile(10);
    const std::string folder = m_host.Folder() + "taken.wav";  // a folder where the file would go
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    ASSERT_EQ(m_host.Call("Open", mp3, folder).Short(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    const auto& events = m_host.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Kind, test::EventKind::Failure);
    EXPECT_EQ(events[0].Number, 601);
    EXPECT_EQ(events[0].Text, "mmioOpen() failed");
    EXPECT_EQ(events[1].Kind, test::EventKind::ThreadEnded);
    // Why, as the system said it; the text of the failure stays the control's own.
    EXPECT_EQ(m_host.Call("GetFailureReason").Text(), std::strerror(EISDIR));
}

}  // namespace
}  // namespace aurion
