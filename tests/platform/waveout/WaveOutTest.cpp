#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/waveout/WaveOut.h"
#include "tests/support/Eventually.h"
#include "tests/support/NullAudio.h"
#include "tests/support/WaveOutBuffer.h"
#include "tests/support/WaveOutIdleWatch.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using test::CountingSamples;
using test::Eventually;
using test::WaveOutBuffer;

constexpr uint32_t FullVolume = 0xFFFFFFFF;
constexpr uint32_t Rate = 44100;
constexpr size_t FramesPer10ms = Rate / 100;
// Long enough that a pause or reset made once it is heard comes well before its end,
// even on a loaded machine.
constexpr size_t LongBufferFrames = 50 * FramesPer10ms;

WaveFormat Format(uint16_t channels) {
    WaveFormat format;
    format.Channels = channels;
    format.SamplesPerSec = Rate;
    format.BlockAlign = static_cast<uint16_t>(channels * 2);
    format.AvgBytesPerSec = Rate * format.BlockAlign;
    return format;
}

class WaveOutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(WaveOutSetDeviceVolume(0, FullVolume), MmResult::NoError); }
    void TearDown() override {
        if (m_handle != nullptr) {
            WaveOutReset(m_handle);
            EXPECT_EQ(WaveOutClose(m_handle), MmResult::NoError);
        }
        WaveOutSetDeviceVolume(0, FullVolume);
    }

    WaveOutHandle Open(uint16_t channels = 2) {
        EXPECT_EQ(WaveOutOpen(m_handle, 0, Format(channels)), MmResult::NoError);
        return m_handle;
    }

    void Play(WaveOutBuffer& buffer) {
        ASSERT_EQ(WaveOutPrepareHeader(m_handle, buffer.Header), MmResult::NoError);
        ASSERT_EQ(WaveOutWrite(m_handle, buffer.Header), MmResult::NoError);
    }

    bool Unprepared(WaveOutBuffer& buffer) {
        return WaveOutUnprepareHeader(m_handle, buffer.Header) == MmResult::NoError;
    }

    test::NullAudio m_audio;
    test::WaveOutIdleWatch m_idle;
    WaveOutHandle m_handle = nullptr;
};

TEST_F(WaveOutTest, NullDeviceIsTheOnlyDevice) {
    EXPECT_EQ(WaveOutGetNumDevs(), 1u);
    WaveOutCaps caps;
    ASSERT_EQ(WaveOutGetDevCaps(0, caps), MmResult::NoError);
    EXPECT_FALSE(caps.ProductName.empty());
    for (uint32_t format : {WaveFormats::Mono16_22k, WaveFormats::Stereo16_44k,
                            WaveFormats::Stereo16_96k, WaveFormats::Mono8_11k})
        EXPECT_NE(caps.Formats & format, 0u) << format;
    EXPECT_EQ(WaveOutGetDevCaps(1, caps), MmResult::BadDeviceId);
}

TEST_F(WaveOutTest, BufferIsStillPlayingForItsDurationThenCaptured) {
    Open();
    WaveOutBuffer buffer(CountingSamples(10 * FramesPer10ms, 2));
    const auto start = std::chrono::steady_clock::now();
    Play(buffer);
    EXPECT_EQ(WaveOutUnprepareHeader(m_handle, buffer.Header), MmResult::StillPlaying);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 95ms);
    EXPECT_NE(buffer.Header.Flags & WaveHeaderFlags::Done, 0u);
    EXPECT_EQ(buffer.Header.Flags & WaveHeaderFlags::Prepared, 0u);
    EXPECT_EQ(m_audio.Captured(), buffer.Samples());
}

TEST_F(WaveOutTest, BuffersPlayInTheOrderWritten) {
    Open(1);
    // Lengths that are no whole number of periods.
    WaveOutBuffer first(CountingSamples(3 * FramesPer10ms + 17, 1, 0));
    WaveOutBuffer second(CountingSamples(2 * FramesPer10ms + 5, 1, 5000));
    WaveOutBuffer third(CountingSamples(FramesPer10ms / 2, 1, 10000));
    Play(first);
    Play(second);
    Play(third);
    ASSERT_TRUE(Eventually([&] { return Unprepared(third); }));
    EXPECT_TRUE(Unprepared(first));
    EXPECT_TRUE(Unprepared(second));
    std::vector<int16_t> expected = first.Samples();
    expected.insert(expected.end(), second.Samples().begin(), second.Samples().end());
    expected.insert(expected.end(), third.Samples().begin(), third.Samples().end());
    EXPECT_EQ(m_audio.Captured(), expected);
}

TEST_F(WaveOutTest, PauseHoldsAndRestartGoesOnWithNothingLostOrRepeated) {
    Open();
    WaveOutBuffer buffer(CountingSamples(LongBufferFrames, 2));
    Play(buffer);
    ASSERT_TRUE(Eventually([&] { return !m_audio.Captured().empty(); }));
    const int paused = m_idle.Paused();
    ASSERT_EQ(WaveOutPause(m_handle), MmResult::NoError);
    ASSERT_TRUE(m_idle.WaitForPaused(paused));
    const size_t heldAt = m_audio.Captured().size();
    EXPECT_LT(heldAt, buffer.Samples().size());
    EXPECT_EQ(WaveOutUnprepareHeader(m_handle, buffer.Header), MmResult::StillPlaying);

    ASSERT_EQ(WaveOutRestart(m_handle), MmResult::NoError);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    EXPECT_EQ(m_audio.Captured(), buffer.Samples());
}

TEST_F(WaveOutTest, WriteOnAPausedDeviceWaitsForRestart) {
    Open();
    int paused = m_idle.Paused();
    ASSERT_EQ(WaveOutPause(m_handle), MmResult::NoError);
    ASSERT_TRUE(m_idle.WaitForPaused(paused));
    WaveOutBuffer buffer(CountingSamples(3 * FramesPer10ms, 2));
    paused = m_idle.Paused();
    Play(buffer);
    ASSERT_TRUE(m_idle.WaitForPaused(paused)) << "the playback thread saw the buffer and held it";
    EXPECT_TRUE(m_audio.Captured().empty());
    EXPECT_EQ(WaveOutUnprepareHeader(m_handle, buffer.Header), MmResult::StillPlaying);
    ASSERT_EQ(WaveOutRestart(m_handle), MmResult::NoError);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    EXPECT_EQ(m_audio.Captured(), buffer.Samples());
}

TEST_F(WaveOutTest, ResetReturnsQueuedBuffersAtOnceUnplayed) {
    Open();
    const int paused = m_idle.Paused();
    ASSERT_EQ(WaveOutPause(m_handle), MmResult::NoError);
    ASSERT_TRUE(m_idle.WaitForPaused(paused));
    WaveOutBuffer first(CountingSamples(5 * FramesPer10ms, 2));
    WaveOutBuffer second(CountingSamples(5 * FramesPer10ms, 2, 1000));
    Play(first);
    Play(second);
    const int drained = m_idle.Drained();
    ASSERT_EQ(WaveOutReset(m_handle), MmResult::NoError);
    EXPECT_NE(first.Header.Flags & WaveHeaderFlags::Done, 0u);
    EXPECT_EQ(first.Header.Flags & WaveHeaderFlags::InQueue, 0u);
    EXPECT_TRUE(Unprepared(first));
    EXPECT_TRUE(Unprepared(second));
    ASSERT_TRUE(m_idle.WaitForDrained(drained));
    EXPECT_TRUE(m_audio.Captured().empty());

    // The device is no longer paused: what is written next plays.
    WaveOutBuffer third(CountingSamples(2 * FramesPer10ms, 2, 2000));
    Play(third);
    ASSERT_TRUE(Eventually([&] { return Unprepared(third); }));
    EXPECT_EQ(m_audio.Captured(), third.Samples());
}

TEST_F(WaveOutTest, ResetWhilePlayingStopsTheSound) {
    Open();
    WaveOutBuffer buffer(CountingSamples(LongBufferFrames, 2));
    Play(buffer);
    ASSERT_TRUE(Eventually([&] { return !m_audio.Captured().empty(); }));
    const int drained = m_idle.Drained();
    ASSERT_EQ(WaveOutReset(m_handle), MmResult::NoError);
    EXPECT_TRUE(Unprepared(buffer));
    ASSERT_TRUE(m_idle.WaitForDrained(drained));
    const std::vector<int16_t> heard = m_audio.Captured();
    ASSERT_LT(heard.size(), buffer.Samples().size());
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), buffer.Samples().begin()));
}

// The opener is told of done buffers, so a waiter never needs to poll: when a
// buffer has played, and when a reset returns the queued ones.
TEST_F(WaveOutTest, DoneCallbackTellsOfPlayedAndResetBuffers) {
    std::atomic<int> told{0};
    ASSERT_EQ(WaveOutOpen(m_handle, 0, Format(2), [&] { ++told; }), MmResult::NoError);
    WaveOutBuffer played(CountingSamples(2 * FramesPer10ms, 2));
    Play(played);
    ASSERT_TRUE(Eventually([&] { return told > 0; }));
    EXPECT_TRUE(Unprepared(played));

    const int before = told;
    int paused = m_idle.Paused();
    ASSERT_EQ(WaveOutPause(m_handle), MmResult::NoError);
    ASSERT_TRUE(m_idle.WaitForPaused(paused));
    WaveOutBuffer queued(CountingSamples(5 * FramesPer10ms, 2, 1000));
    paused = m_idle.Paused();
    Play(queued);
    ASSERT_TRUE(m_idle.WaitForPaused(paused));
    EXPECT_EQ(told, before);  // nothing is done while paused
    ASSERT_EQ(WaveOutReset(m_handle), MmResult::NoError);
    EXPECT_EQ(told, before + 1);
    EXPECT_TRUE(Unprepared(queued));
}

// The position is what has been heard: never ahead of the captured samples while
// playing, the whole buffer once it is done, and 0 again after a reset.
TEST_F(WaveOutTest, PositionCountsPlayedFramesAndStartsAgainAfterReset) {
    Open();
    uint64_t position = 1;
    ASSERT_EQ(WaveOutGetPosition(m_handle, position), MmResult::NoError);
    EXPECT_EQ(position, 0u);
    WaveOutBuffer buffer(CountingSamples(10 * FramesPer10ms, 2));
    Play(buffer);
    ASSERT_TRUE(Eventually([&] { return !m_audio.Captured().empty(); }));
    ASSERT_EQ(WaveOutGetPosition(m_handle, position), MmResult::NoError);
    EXPECT_LE(position, m_audio.Captured().size() / 2);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    ASSERT_EQ(WaveOutGetPosition(m_handle, position), MmResult::NoError);
    EXPECT_EQ(position, 10 * FramesPer10ms);

    ASSERT_EQ(WaveOutReset(m_handle), MmResult::NoError);
    ASSERT_EQ(WaveOutGetPosition(m_handle, position), MmResult::NoError);
    EXPECT_EQ(position, 0u);
    WaveOutBuffer next(CountingSamples(3 * FramesPer10ms, 2));
    Play(next);
    ASSERT_TRUE(Eventually([&] { return Unprepared(next); }));
    ASSERT_EQ(WaveOutGetPosition(m_handle, position), MmResult::NoError);
    EXPECT_EQ(position, 3 * FramesPer10ms);
    EXPECT_EQ(WaveOutGetPosition(nullptr, position), MmResult::InvalidHandle);
}

TEST_F(WaveOutTest, CloseAnswersStillPlayingWhileBuffersAreQueued) {
    Open();
    WaveOutBuffer buffer(CountingSamples(5 * FramesPer10ms, 2));
    Play(buffer);
    EXPECT_EQ(WaveOutClose(m_handle), MmResult::StillPlaying);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    ASSERT_EQ(WaveOutClose(m_handle), MmResult::NoError);
    const WaveOutHandle closed = m_handle;
    m_handle = nullptr;
    EXPECT_EQ(WaveOutWrite(closed, buffer.Header), MmResult::InvalidHandle);
    EXPECT_EQ(WaveOutClose(closed), MmResult::InvalidHandle);
    EXPECT_EQ(WaveOutPause(closed), MmResult::InvalidHandle);
}

TEST_F(WaveOutTest, CaptureGrowsAcrossOpens) {
    WaveOutBuffer first(CountingSamples(FramesPer10ms, 2));
    WaveOutBuffer second(CountingSamples(FramesPer10ms, 2, 3000));
    for (WaveOutBuffer* buffer : {&first, &second}) {
        Open();
        Play(*buffer);
        ASSERT_TRUE(Eventually([&] { return Unprepared(*buffer); }));
        ASSERT_EQ(WaveOutClose(m_handle), MmResult::NoError);
        m_handle = nullptr;
    }
    std::vector<int16_t> expected = first.Samples();
    expected.insert(expected.end(), second.Samples().begin(), second.Samples().end());
    EXPECT_EQ(m_audio.Captured(), expected);
}

TEST_F(WaveOutTest, VolumeScalesEachChannel) {
    Open();
    const uint32_t left = 0x8000, right = 0x4000;
    ASSERT_EQ(WaveOutSetVolume(m_handle, right << 16 | left), MmResult::NoError);
    WaveOutBuffer buffer(CountingSamples(2 * FramesPer10ms, 2));
    Play(buffer);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    std::vector<int16_t> expected = buffer.Samples();
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] =
            static_cast<int16_t>(expected[i] * int32_t(i % 2 == 0 ? left : right) / 65535);
    EXPECT_EQ(m_audio.Captured(), expected);
}

TEST_F(WaveOutTest, MonoTakesTheLeftVolume) {
    Open(1);
    ASSERT_EQ(WaveOutSetVolume(m_handle, 0x0000'4000), MmResult::NoError);
    WaveOutBuffer buffer(CountingSamples(2 * FramesPer10ms, 1));
    Play(buffer);
    ASSERT_TRUE(Eventually([&] { return Unprepared(buffer); }));
    std::vector<int16_t> expected = buffer.Samples();
    for (int16_t& sample : expected) sample = static_cast<int16_t>(sample * 0x4000 / 65535);
    EXPECT_EQ(m_audio.Captured(), expected);
}

TEST_F(WaveOutTest, VolumeIsKeptPerDeviceAndReadByNumberOrHandle) {
    uint32_t volume = 0;
    ASSERT_EQ(WaveOutGetDeviceVolume(0, volume), MmResult::NoError);
    EXPECT_EQ(volume, FullVolume);

    ASSERT_EQ(WaveOutSetDeviceVolume(0, 0x1234'5678), MmResult::NoError);
    Open();
    ASSERT_EQ(WaveOutGetVolume(m_handle, volume), MmResult::NoError);
    EXPECT_EQ(volume, 0x1234'5678u);

    ASSERT_EQ(WaveOutSetVolume(m_handle, 0x0000'FFFF), MmResult::NoError);
    ASSERT_EQ(WaveOutClose(m_handle), MmResult::NoError);
    m_handle = nullptr;
    ASSERT_EQ(WaveOutGetDeviceVolume(0, volume), MmResult::NoError);
    EXPECT_EQ(volume, 0x0000'FFFFu);
}

TEST_F(WaveOutTest, BadArgumentsGiveErrors) {
    WaveOutHandle handle = nullptr;
    EXPECT_EQ(WaveOutOpen(handle, 1, Format(2)), MmResult::BadDeviceId);
    WaveFormat eightBit = Format(1);
    eightBit.BitsPerSample = 8;
    EXPECT_EQ(WaveOutOpen(handle, 0, eightBit), MmResult::BadFormat);
    WaveFormat threeChannels = Format(2);
    threeChannels.Channels = 3;
    EXPECT_EQ(WaveOutOpen(handle, 0, threeChannels), MmResult::BadFormat);
    WaveFormat wrongAlignment = Format(2);
    wrongAlignment.BlockAlign = 2;
    EXPECT_EQ(WaveOutOpen(handle, 0, wrongAlignment), MmResult::BadFormat);
    EXPECT_EQ(handle, nullptr);

    uint32_t volume = 0;
    EXPECT_EQ(WaveOutGetDeviceVolume(1, volume), MmResult::BadDeviceId);
    EXPECT_EQ(WaveOutSetDeviceVolume(1, 0), MmResult::BadDeviceId);
    EXPECT_EQ(WaveOutGetVolume(nullptr, volume), MmResult::InvalidHandle);
    EXPECT_EQ(WaveOutPause(nullptr), MmResult::InvalidHandle);
    EXPECT_EQ(WaveOutReset(nullptr), MmResult::InvalidHandle);
    EXPECT_EQ(WaveOutClose(nullptr), MmResult::InvalidHandle);

    Open();
    // Three bytes are one and a half 16-bit samples, not a whole stereo frame.
    WaveOutBuffer buffer(CountingSamples(4, 2));
    buffer.Header.BufferLength = 6;
    EXPECT_EQ(WaveOutPrepareHeader(m_handle, buffer.Header), MmResult::InvalidParameter);
    buffer.Header.BufferLength = 0;
    EXPECT_EQ(WaveOutPrepareHeader(m_handle, buffer.Header), MmResult::InvalidParameter);
    WaveHeader noData;
    noData.BufferLength = 4;
    EXPECT_EQ(WaveOutPrepareHeader(m_handle, noData), MmResult::InvalidParameter);
    buffer.Header.BufferLength = 16;
    EXPECT_EQ(WaveOutWrite(m_handle, buffer.Header), MmResult::Unprepared);
    EXPECT_TRUE(m_audio.Captured().empty());
}

// The way the control uses a device: its decoding thread rotates buffers, waiting for
// each to come back, while the host's thread pauses, restarts and resets.
TEST_F(WaveOutTest, PauseRestartAndResetFromAnotherThreadWhileWriting) {
    Open();
    std::vector<std::unique_ptr<WaveOutBuffer>> buffers;
    for (int i = 0; i < 3; ++i)
        buffers.push_back(std::make_unique<WaveOutBuffer>(CountingSamples(2 * FramesPer10ms, 2)));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int round = 0; !stop; ++round) {
            WaveOutBuffer& buffer = *buffers[round % 3];
            const bool back = Eventually([&] {
                return WaveOutUnprepareHeader(m_handle, buffer.Header) != MmResult::StillPlaying;
            });
            EXPECT_TRUE(back) << "a buffer never came back";
            if (!back) return;
            WaveOutPrepareHeader(m_handle, buffer.Header);
            WaveOutWrite(m_handle, buffer.Header);
        }
    });
    for (int i = 0; i < 5; ++i) {
        // Each pause falls while the writer's buffers are playing.
        const uintmax_t heard = m_audio.CapturedBytes();
        EXPECT_TRUE(Eventually([&] { return m_audio.CapturedBytes() > heard; }));
        const int paused = m_idle.Paused();
        EXPECT_EQ(WaveOutPause(m_handle), MmResult::NoError);
        uint32_t volume = 0;
        EXPECT_EQ(WaveOutGetVolume(m_handle, volume), MmResult::NoError);
        EXPECT_TRUE(m_idle.WaitForPaused(paused));
        EXPECT_EQ(WaveOutRestart(m_handle), MmResult::NoError);
        if (i % 2 == 1) {
            EXPECT_EQ(WaveOutReset(m_handle), MmResult::NoError);
        }
    }
    stop = true;
    writer.join();
    ASSERT_EQ(WaveOutReset(m_handle), MmResult::NoError);
    for (auto& buffer : buffers) EXPECT_TRUE(Unprepared(*buffer));
    // Every period heard is one of the buffers' periods, whole.
    const std::vector<int16_t> heard = m_audio.Captured();
    EXPECT_EQ(heard.size() % (FramesPer10ms * 2), 0u);
}

}  // namespace
}  // namespace platform
