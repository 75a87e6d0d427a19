// The wave-output sink on the null device, heard through its capture file. Frames
// are Layer I sized (384 mono samples at 48 kHz), so a buffer of 32 frames lasts
// 0.256 s and the tests stay short.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "control/output/FrameBytes.h"
#include "control/output/WaveOutSink.h"
#include "tests/support/Eventually.h"
#include "tests/support/NullAudio.h"
#include "tests/support/StreamCut.h"

namespace aurion {
namespace {

using platform::test::Eventually;

constexpr uint32_t Rate = 48000;
constexpr int SamplesPerFrame = 384;
constexpr size_t BufferSamples = SamplesPerFrame * WaveOutSink::FramesPerBuffer;

int16_t SampleOf(int frame, int i) { return static_cast<int16_t>(1 + frame * 97 + i * 3); }

class WaveOutSinkTest : public ::testing::Test, public OutputFailureReport {
protected:
    void Report(OutputFailure failure) override { m_reports.push_back(failure); }

    std::unique_ptr<WaveOutSink> MakeSink() {
        return std::make_unique<WaveOutSink>(1, WaveOutView{0, m_device, m_speed, m_stop, m_seek},
                                             Rate, FrameBytes(1, 1, 1), *this);
    }
    static void AppendFrame(SampleSink& sink, int frame) {
        for (int i = 0; i < SamplesPerFrame; ++i) sink.Append(0, SampleOf(frame, i));
        sink.WriteBuffer();
    }
    // What `frames` frames sound like at normal speed, padded to whole buffers.
    static std::vector<int16_t> Expected(int frames) {
        std::vector<int16_t> samples;
        for (int f = 0; f < frames; ++f)
            for (int i = 0; i < SamplesPerFrame; ++i) samples.push_back(SampleOf(f, i));
        samples.resize((samples.size() + BufferSamples - 1) / BufferSamples * BufferSamples, 0);
        return samples;
    }
    void PlayFrames(int frames) {
        auto sink = MakeSink();
        ASSERT_FALSE(sink->Failed());
        for (int f = 0; f < frames; ++f) AppendFrame(*sink, f);
    }

    platform::test::NullAudio m_capture;
    SharedWaveDevice m_device;
    std::atomic<int32_t> m_speed{100};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_seek{false};
    std::vector<OutputFailure> m_reports;
};

TEST_F(WaveOutSinkTest, ShortStreamsArePlayedOutWhole) {
    // Fewer than 32 frames: only the partly filled buffer, padded with silence.
    // 40 frames: the held-back first buffer and the partial second one.
    // 100 frames: the ring has turned, every buffer in order.
    for (int frames : {20, 40, 100}) {
        SCOPED_TRACE(frames);
        const uintmax_t before = m_capture.CapturedBytes();
        PlayFrames(frames);
        std::vector<int16_t> heard = m_capture.Captured();
        heard.erase(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(before / 2));
        EXPECT_EQ(heard, Expected(frames));
        // The silence that pads the last buffer is no part of the stream.
        EXPECT_EQ(m_device.StreamFramesPlayed(), static_cast<uint64_t>(frames) * SamplesPerFrame);
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(WaveOutSinkTest, FramesCutShortLeaveNoGap) {
    // A trimmed signal: the first frame keeps its last 47 samples, a later one only
    // 100, so frames straddle the buffers' ends; the heard samples run on unbroken.
    std::vector<int16_t> expected;
    {
        auto sink = MakeSink();
        for (int f = 0; f < 70; ++f) {
            const int from = f == 0 ? SamplesPerFrame - 47 : 0;
            const int to = f == 40 ? 100 : SamplesPerFrame;
            for (int i = from; i < to; ++i) {
                sink->Append(0, SampleOf(f, i));
                expected.push_back(SampleOf(f, i));
            }
            sink->WritePartialBuffer();
        }
    }
    expected.resize((expected.size() + BufferSamples - 1) / BufferSamples * BufferSamples, 0);
    EXPECT_EQ(m_capture.Captured(), expected);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(WaveOutSinkTest, SpeedShortensOrLengthensEachBuffer) {
    std::vector<int16_t> nominal(BufferSamples);
    std::vector<int16_t> scratch(BufferSamples * 10);
    const auto transformed = [&](int32_t percent) {
        std::vector<int16_t> values = nominal;
        values.resize(BufferSamples * 10);
        return WaveOutSink::TransformSpeed(values.data(), BufferSamples, scratch.data(),
                                           scratch.size(), percent);
    };
    EXPECT_EQ(transformed(100), BufferSamples);
    EXPECT_EQ(transformed(50), BufferSamples / 2);
    EXPECT_EQ(transformed(200), BufferSamples + 2 * ((BufferSamples - 1) / 4));  // ~1.5 times
    EXPECT_EQ(transformed(1000), 2 * BufferSamples - 2);                         // ~twice

    for (int32_t percent : {50, 200}) {
        SCOPED_TRACE(percent);
        m_speed = percent;
        const uintmax_t before = m_capture.CapturedBytes();
        PlayFrames(96);  // three whole buffers, all transformed
        const uintmax_t heard = (m_capture.CapturedBytes() - before) / 2;
        EXPECT_EQ(heard, 3 * transformed(percent));
        // Shorter or longer on the device, the same stretch of the stream.
        EXPECT_EQ(m_device.StreamFramesPlayed(), 3 * BufferSamples);
    }
}

TEST_F(WaveOutSinkTest, HalfSpeedDropsWholePairsInOrder) {
    std::vector<int16_t> values(16);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int16_t>(i);
    std::vector<int16_t> scratch(64);
    const size_t count = WaveOutSink::TransformSpeed(values.data(), 16, scratch.data(), 64, 50);
    values.resize(count);
    EXPECT_EQ(values, (std::vector<int16_t>{2, 3, 6, 7, 10, 11, 14, 15}));
}

TEST_F(WaveOutSinkTest, StopGivesUpTheWaitAndAbortDropsTheQueue) {
    auto sink = MakeSink();
    std::atomic<int> appended{0};
    std::thread worker([&] {
        for (int f = 0; f < 400 && !m_stop; ++f) {
            AppendFrame(*sink, f);
            appended = f + 1;
        }
    });
    EXPECT_TRUE(Eventually([&] { return m_capture.CapturedBytes() >= BufferSamples; }));
    m_stop = true;
    m_device.Wake();
    worker.join();  // the wait for a free buffer gave way to the stop
    sink->Abort();
    sink.reset();
    // The device is closed, its playback thread ended: what was heard is final.
    EXPECT_EQ(m_device.Handle(), nullptr);
    const uintmax_t stopped = m_capture.CapturedBytes();
    // Two buffers were still queued behind the playing one and were never heard.
    EXPECT_LT(stopped / 2, static_cast<uintmax_t>(appended) * SamplesPerFrame - BufferSamples);
}

}  // namespace
}  // namespace aurion
