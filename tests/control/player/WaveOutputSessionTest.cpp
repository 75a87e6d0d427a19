// Sessions that play through the wave output, on the null device, heard through
// its capture file: the control created by its ProgID in a test host, the demo
// stream cut to a few dozen frames.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/waveout/WaveOut.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/NullAudio.h"
#include "tests/support/StreamCut.h"
#include "tests/support/WavFileReader.h"
#include "tests/support/WaveOutIdleWatch.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;

// 32 frames of 1152 stereo samples: one device buffer.
constexpr size_t BufferValues = 32 * 1152 * 2;

class WaveOutputSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Ready()) << m_host.Problem();
        m_mp3 = m_host.Folder() + "demo.mp3";
    }

    void CutDemo(int frames) {
        ASSERT_TRUE(
            test::WriteFirstFrames(TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3", frames, m_mp3));
    }
    bool PumpUntilEnded(int count = 1) {
        return m_host.PumpUntil([&] { return m_host.ThreadEndedCount() >= count; }, 30s);
    }
    // What `aurion decode` writes for the file: the reference for what is heard.
    std::vector<int16_t> Decoded() {
        const std::string wav = m_host.Folder() + "reference.wav";
        EXPECT_EQ(m_host.Call("Open", m_mp3, wav).Short(), 0);
        EXPECT_EQ(m_host.Call("Play").Short(), 0);
        EXPECT_TRUE(PumpUntilEnded(m_host.ThreadEndedCount() + 1));
        const auto file = test::ReadWavFile(wav);
        return file ? file->Samples : std::vector<int16_t>{};
    }
    void OpenAndPlay() {
        ASSERT_EQ(m_host.Call("Open", m_mp3, "").Short(), 0);
        ASSERT_EQ(m_host.Call("Play").Short(), 0);
    }
    // Lets window events run until the capture has grown past `bytes`.
    bool PumpUntilHeard(uintmax_t bytes) {
        return m_host.PumpUntil([&] { return m_capture.CapturedBytes() > bytes; }, 30s);
    }
    // `heard` is `decoded` followed by nothing but silence to the end of its buffer.
    static void ExpectDecodedThenSilence(const std::vector<int16_t>& heard,
                                         const std::vector<int16_t>& decoded) {
        ASSERT_FALSE(decoded.empty());
        ASSERT_GE(heard.size(), decoded.size());
        EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), heard.begin()));
        EXPECT_LT(heard.size() - decoded.size(), BufferValues);
        EXPECT_TRUE(std::all_of(heard.begin() + static_cast<std::ptrdiff_t>(decoded.size()),
                                heard.end(), [](int16_t s) { return s == 0; }));
    }

    platform::test::NullAudio
        m_capture;  // before the host: the control's device is the null device
    platform::test::WaveOutIdleWatch m_idle;
    test::ControlTestHost m_host;
    std::string m_mp3;
};

TEST_F(WaveOutputSession, PlayedAudioIsTheDecodedStreamThenSilence) {
    CutDemo(40);
    const std::vector<int16_t> decoded = Decoded();
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilEnded(2));
    ExpectDecodedThenSilence(m_capture.Captured(), decoded);
}

TEST_F(WaveOutputSession, PauseHoldsTheSoundAndPlayContinuesWithoutLoss) {
    CutDemo(100);
    const std::vector<int16_t> decoded = Decoded();
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilHeard(BufferValues));
    const int paused = m_idle.Paused();
    ASSERT_EQ(m_host.Call("Pause").Short(), 0);
    EXPECT_EQ(m_host.Call("GetStatus").Short(), 2);
    // The device holds: nothing more is heard until Play.
    EXPECT_TRUE(m_idle.WaitForPaused(paused));
    EXPECT_LT(m_capture.CapturedBytes(), decoded.size() * 2);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    EXPECT_EQ(m_host.Call("GetStatus").Short(), 1);
    ASSERT_TRUE(PumpUntilEnded(2));
    ExpectDecodedThenSilence(m_capture.Captured(), decoded);
}

TEST_F(WaveOutputSession, StopEndsTheSoundAtOnceAndDropsTheQueue) {
    CutDemo(150);
    const std::vector<int16_t> decoded = Decoded();
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilHeard(BufferValues));
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    // The worker closes the device before it ends: what was heard then is all.
    ASSERT_TRUE(PumpUntilEnded(2));
    const std::vector<int16_t> heard = m_capture.Captured();
    ASSERT_LT(heard.size(), decoded.size() - BufferValues);  // the queue was never heard
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), decoded.begin()));
}

// ActFrame tells of the frame being decoded, two device buffers ahead of what is
// heard; GetPlayedFrame tells of what the device has played, and after a seek
// starts at the frame sought.
TEST_F(WaveOutputSession, PlayedFrameIsWhatTheDeviceHasPlayed) {
    constexpr uintmax_t FrameBytes = 1152 * 2 * 2;
    CutDemo(300);
    ASSERT_EQ(m_host.Put("FrameNotifyCount", int16_t{1}).Hr, platform::S_OK);
    OpenAndPlay();
    // The device starts once 64 frames are decoded; ActFrame told of them.
    ASSERT_TRUE(m_host.PumpUntil([&] {
        const std::vector<int32_t> decoded = m_host.ActFrames();
        return !decoded.empty() && decoded.back() >= 64;
    }));
    ASSERT_TRUE(PumpUntilHeard(10 * FrameBytes));
    const uintmax_t heardBefore = m_capture.CapturedBytes() / FrameBytes;
    const int32_t played = m_host.Call("GetPlayedFrame").Long();
    const uintmax_t heardAfter = m_capture.CapturedBytes() / FrameBytes;
    // The device counts what it has played after writing it to the capture, a
    // period (40 ms, under two frames) at a time.
    EXPECT_LE(static_cast<uintmax_t>(played), heardAfter);
    EXPECT_GE(static_cast<uintmax_t>(played) + 2, heardBefore);
    const std::vector<int32_t> decoded = m_host.ActFrames();
    ASSERT_FALSE(decoded.empty());
    EXPECT_GE(decoded.back(), played + 32);

    ASSERT_EQ(m_host.Call("Seek", 200).Short(), 0);
    EXPECT_EQ(m_host.Call("GetPlayedFrame").Long(), 200);  // not the audio the seek drops
    const uintmax_t beforeSeek = m_capture.CapturedBytes();
    ASSERT_TRUE(PumpUntilHeard(beforeSeek + 40 * FrameBytes));
    const int32_t afterSeek = m_host.Call("GetPlayedFrame").Long();
    EXPECT_GE(afterSeek, 200);
    EXPECT_LE(static_cast<uintmax_t>(afterSeek),
              200 + (m_capture.CapturedBytes() - beforeSeek) / FrameBytes);
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
}

TEST_F(WaveOutputSession, DeviceThatCannotBeOpenedFailsWith601ThenEnds) {
    CutDemo(20);
    platform::SetWaveOutOpenFailureHook([](uint32_t) { return true; });
    OpenAndPlay();
    const bool ended = PumpUntilEnded();
    platform::SetWaveOutOpenFailureHook({});
    ASSERT_TRUE(ended);
    ASSERT_EQ(m_host.Events().size(), 2u);
    EXPECT_EQ(m_host.Events()[0].Kind, test::EventKind::Failure);
    EXPECT_EQ(m_host.Events()[0].Number, 601);
    EXPECT_EQ(m_host.Events()[0].Text, "waveOutOpen() failed");
    EXPECT_EQ(m_host.Events()[1].Kind, test::EventKind::ThreadEnded);
    EXPECT_EQ(m_capture.CapturedBytes(), 0u);
}

TEST_F(WaveOutputSession, VolumeScalesWhatIsHeard) {
    CutDemo(20);
    const std::vector<int16_t> decoded = Decoded();
    ASSERT_EQ(m_host.Call("Open", m_mp3, "").Short(), 0);
    ASSERT_EQ(m_host.Call("SetVolumeP", int16_t{50}, int16_t{50}).Short(), 0);
    EXPECT_EQ(m_host.Call("GetLeftSelVolumeP").Short(), 50);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded(2));
    const std::vector<int16_t> heard = m_capture.Captured();
    ASSERT_GE(heard.size(), decoded.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
        const double expected = decoded[i] * (50.0 * 655 / 65535);
        ASSERT_NEAR(heard[i], expected, 1.0) << i;
    }
}

TEST_F(WaveOutputSession, VolumeValuesAndPercentages) {
    CutDemo(20);
    ASSERT_EQ(m_host.Call("Open", m_mp3, "").Short(), 0);
    ASSERT_EQ(m_host.Call("SetVolumeP", int16_t{100}, int16_t{100}).Short(), 0);
    EXPECT_EQ(m_host.Call("GetVolumeLeft").Long(), 65500);
    EXPECT_EQ(m_host.Call("GetVolumeRightP").Short(), 100);
    ASSERT_EQ(m_host.Call("SetVolume", 65535, 0).Short(), 0);
    EXPECT_EQ(m_host.Call("GetVolumeLeftP").Short(), 100);
    EXPECT_EQ(m_host.Call("GetVolumeRightP").Short(), 0);
    EXPECT_EQ(m_host.Call("SetVolumeP", int16_t{101}, int16_t{0}).Short(), 687);
    EXPECT_EQ(m_host.Call("SetVolumeP", int16_t{0}, int16_t{-1}).Short(), 687);
    ASSERT_EQ(m_host.Call("SetVolume", 65535, 65535).Short(), 0);
    ASSERT_EQ(m_host.Call("Close").Short(), 0);
}

// A playing device that refuses the volume: the setters fail with 656, and no other
// device takes the volume instead.
TEST_F(WaveOutputSession, VolumeRefusedByThePlayingDeviceFailsWith656) {
    CutDemo(150);
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilHeard(0));
    platform::SetWaveOutVolumeRefusal(true);
    const int16_t set = m_host.Call("SetVolume", 1000, 1000).Short();
    const int16_t setPercent = m_host.Call("SetVolumeP", int16_t{10}, int16_t{10}).Short();
    platform::SetWaveOutVolumeRefusal(false);
    EXPECT_EQ(set, 656);
    EXPECT_EQ(setPercent, 656);
    EXPECT_EQ(m_host.Call("GetVolumeLeft").Long(), 65535);
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
}

TEST_F(WaveOutputSession, EveryVolumeMethodRefusesAWavSession) {
    CutDemo(20);
    ASSERT_EQ(m_host.Call("Open", m_mp3, m_host.Folder() + "out.wav").Short(), 0);
    EXPECT_EQ(m_host.Call("GetVolumeLeft").Long(), 657);
    EXPECT_EQ(m_host.Call("GetVolumeRight").Long(), 657);
    EXPECT_EQ(m_host.Call("GetVolumeLeftP").Short(), 657);
    EXPECT_EQ(m_host.Call("GetVolumeRightP").Short(), 657);
    EXPECT_EQ(m_host.Call("SetVolume", 1, 1).Short(), 657);
    EXPECT_EQ(m_host.Call("SetVolumeP", int16_t{5}, int16_t{5}).Short(), 657);
    m_host.Call("SetErrorMode", int16_t{1});
    const auto raised = m_host.Call("SetVolumeP", int16_t{5}, int16_t{5});
    EXPECT_EQ(raised.RaisedNumber(), 657);
    EXPECT_EQ(raised.Error.Description, "Cant change Volume on WaveFile");
    EXPECT_EQ(m_host.Call("GetVolumeLeft").Error.Description, "Cant get Volume from WaveFile");
}

TEST_F(WaveOutputSession, DevicesAsTheControlListsThem) {
    EXPECT_EQ(m_host.Call("GetNumDevs").Short(), 1);  // the null device alone
    EXPECT_FALSE(m_host.Call("GetDevName", int16_t{0}).Text().empty());
    EXPECT_EQ(m_host.Call("GetDevName", int16_t{-1}).Text(),
              m_host.Call("GetDevName", int16_t{0}).Text());
    EXPECT_EQ(m_host.Call("GetDevName", int16_t{1}).Text(),
              "Error: Max possible Device - ID = -1 ~ 0 to 0 ");
    EXPECT_NE(m_host.Call("GetDevParam", int16_t{0}).Long(), -1);
    EXPECT_EQ(m_host.Call("GetDevParam", int16_t{-2}).Long(), -1);
    EXPECT_EQ(m_host.Call("SetOutDevice", int16_t{1}).Short(), 713);
    EXPECT_EQ(m_host.Call("SetOutDevice", int16_t{-1}).Short(), 0);
    EXPECT_EQ(m_host.Call("GetOutDevice").Short(), 0);
}

// The worker plays out its last buffers without the lock, so the host's Pause,
// Play and Stop never wait for a device that a pause keeps from finishing.
TEST_F(WaveOutputSession, PauseDuringTheLastBufferThenPlayAndStopDoNotHang) {
    CutDemo(20);
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilHeard(0));  // the whole stream is decoded: only play-out is left
    ASSERT_EQ(m_host.Call("Pause").Short(), 0);
    ASSERT_EQ(m_host.Call("Play").Short(), 0);
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    ASSERT_TRUE(PumpUntilEnded());
    EXPECT_EQ(m_host.ThreadEndedCount(), 1);
}

TEST_F(WaveOutputSession, PauseThenStopThenDestroyDoNotHang) {
    CutDemo(150);
    OpenAndPlay();
    ASSERT_TRUE(PumpUntilHeard(0));
    ASSERT_EQ(m_host.Call("Pause").Short(), 0);
    ASSERT_EQ(m_host.Call("Stop").Short(), 0);
    m_host.ReleaseControl();  // joins the worker
    EXPECT_LT(m_capture.CapturedBytes(), 2 * BufferValues * 2);
}

}  // namespace
}  // namespace aurion
