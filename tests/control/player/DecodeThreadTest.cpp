#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/output/WavFileSink.h"
#include "control/player/ControlErrors.h"
#include "control/player/DecodeContext.h"
#include "control/player/DecodeThread.h"
#include "control/player/WorkerMessages.h"
#include "platform/com/HResult.h"
#include "platform/mmio/Mmio.h"
#include "platform/thread/Thread.h"
#include "platform/window/MessageWindow.h"
#include "tests/support/BlockedWaits.h"
#include "tests/support/Conformance.h"
#include "tests/support/Layer2Frames.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WavFileReader.h"

namespace aurion {
namespace {

using namespace std::chrono_literals;
using test::HeaderFields;

struct Message {
    uint32_t Id = 0;
    int64_t Value = 0;  // ActFrame: the frame; Failure: the error number
    std::string Text;   // Failure: the text
    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    switch (m.Id) {
        case MSG_ACTFRAME:
            return out << "ActFrame(" << m.Value << ")";
        case MSG_THREADENDED:
            return out << "ThreadEnded";
        case MSG_SEEKDONE:
            return out << "SeekDone";
        case MSG_FAILURE:
            return out << "Failure(\"" << m.Text << "\", " << m.Value << ")";
        default:
            return out << "message " << m.Id;
    }
}

Message Act(int64_t frame) { return {MSG_ACTFRAME, frame, {}}; }
const Message Ended{MSG_THREADENDED, 0, {}};
const Message SeekDone{MSG_SEEKDONE, 0, {}};
Message Failure(const char* text, int64_t error) { return {MSG_FAILURE, error, text}; }

// Silent Layer III frames: all-zero side information, so main_data_begin is 0
// and every frame decodes on its own and is written.
test::Bytes SilentStream(const HeaderFields& fields, int frames) {
    test::Bytes file;
    for (int i = 0; i < frames; ++i) {
        test::AppendBytes(file, test::MakeFrame(fields));
    }
    return file;
}

HeaderFields Mono44k() {
    HeaderFields f;
    f.Mode = 3;
    return f;
}

HeaderFields Mono48k() {
    HeaderFields f = Mono44k();
    f.FrequencyIndex = 1;
    return f;
}

// Drives RunDecodeThread as a session does: a context filled as Open fills it,
// the worker on a platform thread, and a message window on this thread that
// records what the worker posts.
class DecodeThreadTest : public ::testing::Test {
protected:
    DecodeThreadTest() {
        m_window = platform::CreateMessageWindow(
            [this](uint32_t id, platform::WParam w, platform::LParam l) {
                Message m{id, 0, {}};
                if (id == MSG_ACTFRAME) {
                    m.Value = static_cast<int64_t>(w);
                } else if (id == MSG_FAILURE) {
                    ASSERT_LT(w, OutputFailureCount);
                    const ControlError& error = ErrorOf(static_cast<OutputFailure>(w));
                    m.Text = error.Text;
                    m.Value = l & 0xFFFF;
                    EXPECT_EQ(m.Value, error.Number);
                    EXPECT_EQ(
                        l, platform::MakeScode(platform::SEVERITY_ERROR, platform::FACILITY_CONTROL,
                                               static_cast<uint32_t>(m.Value)));
                }
                m_messages.push_back(m);
            });
    }
    ~DecodeThreadTest() override {
        if (m_thread) {
            m_thread->Join();
        }
        m_context.reset();
        platform::DestroyMessageWindow(m_window);
        platform::SetMmioFailureHook({});
    }

    // Open's part: the context, the stream and the first header.
    void Open(const std::string& mp3, OutputKind output = OutputKind::WavFile) {
        m_context = std::make_unique<DecodeContext>("abcdefghij", PauseGateName);
        m_context->Window = m_window;
        m_context->Output = output;
        m_context->WavPath = m_wavPath;
        m_context->Stream = std::make_unique<FrameStream>();
        m_context->Stream->Open(mp3);
        m_context->Header = std::make_unique<FrameHeader>();
        Crc16* crc = nullptr;
        ASSERT_TRUE(m_context->Header->ReadNext(*m_context->Stream, crc));
    }
    void OpenBytes(const test::Bytes& bytes, OutputKind output = OutputKind::WavFile) {
        m_mp3 = std::make_unique<test::TempFile>(bytes);
        Open(m_mp3->Path(), output);
    }
    // PlayFromTo's part, before the worker runs.
    void Range(int32_t from, int32_t to) {
        m_context->SeekRequest = true;
        m_context->SeekTarget = from;
        m_context->StopFrame = to;
    }
    void Start() {
        DecodeContext* context = m_context.get();
        m_thread = platform::Thread::CreateSuspended([context] { RunDecodeThread(*context); });
        ASSERT_TRUE(m_thread);
        ASSERT_TRUE(m_thread->Resume());
    }
    bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds limit = 60s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            platform::WaitAndPumpMessages(20ms);
        }
        return true;
    }
    [[nodiscard]] bool HasEnded() const {
        for (const Message& m : m_messages) {
            if (m == Ended) {
                return true;
            }
        }
        return false;
    }
    // Runs the worker to its end and lets every message arrive.
    void RunToEnd() {
        Start();
        ASSERT_TRUE(PumpUntil([this] { return HasEnded(); }));
        m_thread->Join();
        platform::PumpMessages();
    }
    [[nodiscard]] std::vector<int64_t> ActFrames() const {
        std::vector<int64_t> frames;
        for (const Message& m : m_messages) {
            if (m.Id == MSG_ACTFRAME) {
                frames.push_back(m.Value);
            }
        }
        return frames;
    }
    [[nodiscard]] int32_t CurrentFrame() {
        m_context->Lock.Wait();
        const int32_t frame = m_context->CurrentFrame;
        m_context->Lock.Release();
        return frame;
    }
    // The whole file is well formed and holds `frames` frames of frameBytes.
    void ExpectCompleteWav(uint32_t frames, uint32_t frameBytes, uint16_t channels, uint32_t rate) {
        const auto wav = test::ReadWavFile(m_wavPath);
        ASSERT_TRUE(wav);
        EXPECT_EQ(wav->Bytes.size(), 46u + uint64_t{frames} * frameBytes);
        EXPECT_EQ(wav->RiffSize, wav->Bytes.size() - 8);
        EXPECT_EQ(wav->DataSize, wav->Bytes.size() - 46);
        EXPECT_EQ(wav->Channels, channels);
        EXPECT_EQ(wav->BlockAlign, 2 * channels);
        EXPECT_EQ(wav->SampleRate, rate);
        EXPECT_EQ(wav->BytesPerSecond, rate * 2 * channels);
    }

    static constexpr const char* PauseGateName = "jihgfedcba";

    platform::test::BlockedWaits m_blocked;
    platform::test::ScopedEnvironment m_env;
    std::string m_wavPath = m_env.Folder() + "out.wav";
    platform::WindowHandle m_window = platform::NullWindow;
    std::vector<Message> m_messages;
    std::unique_ptr<test::TempFile> m_mp3;
    std::unique_ptr<DecodeContext> m_context;
    std::unique_ptr<platform::Thread> m_thread;
};

TEST_F(DecodeThreadTest, EndOfStreamPostsCadenceFramesThenTheLastFrame) {
    OpenBytes(SilentStream(Mono44k(), 100));
    RunToEnd();
    EXPECT_EQ(m_messages,
              (std::vector<Message>{Act(0), Act(32), Act(64), Act(96), Act(99), Ended}));
    ExpectCompleteWav(100, 2304, 1, 44100);
    EXPECT_FALSE(m_context->Sink);  // cleaned up
    EXPECT_FALSE(m_context->LeftFilter);
    EXPECT_FALSE(m_context->Decoder);
}

TEST_F(DecodeThreadTest, CadenceZeroPostsOnlyTheLastFrame) {
    OpenBytes(SilentStream(Mono44k(), 40));
    m_context->NotifyCadence = 0;
    RunToEnd();
    EXPECT_EQ(m_messages, (std::vector<Message>{Act(39), Ended}));
    ExpectCompleteWav(40, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, StopRequestEndsWithThreadEndedOnlyAndFinishesTheFile) {
    OpenBytes(SilentStream(Mono44k(), 40));
    m_context->StopRequest = true;
    RunToEnd();
    EXPECT_EQ(m_messages, std::vector<Message>{Ended});
    ExpectCompleteWav(0, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, StopFrameWritesExactlyTheRangeWithFixedFrameSizes) {
    OpenBytes(SilentStream(Mono48k(), 100));
    Range(10, 25);
    m_context->NotifyCadence = 5;
    RunToEnd();
    EXPECT_EQ(m_messages,
              (std::vector<Message>{SeekDone, Act(10), Act(10), Act(15), Act(20), Ended}));
    ExpectCompleteWav(15, 2304, 1, 48000);
}

TEST_F(DecodeThreadTest, StopFrameWritesExactlyTheRangeWithPaddedFrames) {
    // 44.1 kHz: frames of two sizes, positioned through the padding table.
    test::Bytes file;
    for (int i = 0; i < 100; ++i) {
        HeaderFields f = Mono44k();
        f.Padding = static_cast<uint32_t>(i % 3 == 0);
        test::AppendBytes(file, test::MakeFrame(f));
    }
    OpenBytes(file);
    Range(37, 61);
    RunToEnd();
    EXPECT_EQ(m_messages, (std::vector<Message>{SeekDone, Act(37), Ended}));
    ExpectCompleteWav(24, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, EmptyRangeWritesNothing) {
    OpenBytes(SilentStream(Mono48k(), 30));
    Range(7, 7);
    RunToEnd();
    EXPECT_EQ(m_messages, (std::vector<Message>{SeekDone, Act(7), Ended}));
    ExpectCompleteWav(0, 2304, 1, 48000);
}

TEST_F(DecodeThreadTest, SeekBeyondTheEndEndsTheThreadAndFinishesTheFile) {
    OpenBytes(SilentStream(Mono48k(), 30));
    m_context->SeekRequest = true;
    m_context->SeekTarget = 500;
    RunToEnd();
    EXPECT_EQ(m_messages, std::vector<Message>{Ended});
    ExpectCompleteWav(0, 2304, 1, 48000);
}

TEST_F(DecodeThreadTest, NoDeviceSinkReportsTheMissingOutputBuffer) {
    OpenBytes(SilentStream(Mono44k(), 10), OutputKind::WaveDevice);
    RunToEnd();
    EXPECT_EQ(m_messages,
              (std::vector<Message>{Failure("can`t create output buffer", 605), Ended}));
    EXPECT_FALSE(m_context->LeftFilter);
}

TEST_F(DecodeThreadTest, FileThatCannotBeOpenedEndsTheThreadAtOnce) {
    m_wavPath = m_env.Folder() + "missing/out.wav";
    OpenBytes(SilentStream(Mono44k(), 10));
    RunToEnd();
    EXPECT_EQ(m_messages, (std::vector<Message>{Failure("mmioOpen() failed", 601), Ended}));
    EXPECT_EQ(m_context->Stream->CurrentFrame(), 0);  // nothing was read after the failure
}

TEST_F(DecodeThreadTest, WriteFailureEndsTheThreadWithoutFurtherMessages) {
    platform::SetMmioFailureHook([](platform::MmioStep step, unsigned n) {
        return step == platform::MmioStep::Advance && n == 3;
    });
    OpenBytes(SilentStream(Mono44k(), 100));
    m_context->NotifyCadence = 1;
    RunToEnd();
    // The first I/O buffer holds its size minus 8 bytes of samples, so the third
    // advance comes in the frame that passes three buffers minus 8 (2304-byte frames).
    constexpr size_t Buffer = WavFileSink::IoBufferBytes;
    constexpr int FailingFrame = static_cast<int>((3 * Buffer - 8) / 2304);
    static_assert(FailingFrame < 100);
    std::vector<Message> expected;
    for (int f = 0; f <= FailingFrame; ++f) {
        expected.push_back(Act(f));
    }
    expected.push_back(Failure("mmioAdvance(,,MMIO_WRITE) failed", 601));
    expected.push_back(Ended);
    EXPECT_EQ(m_messages, expected);
    const auto wav = test::ReadWavFile(m_wavPath);
    ASSERT_TRUE(wav);
    // What reached the disk, with sizes that say so.
    EXPECT_EQ(wav->Bytes.size(), 46u + 2 * Buffer - 8);
    EXPECT_EQ(wav->DataSize, 2 * Buffer - 8);
}

TEST_F(DecodeThreadTest, SingleChannelChoicesOfAStereoStreamWriteOneChannel) {
    HeaderFields stereo;  // 44.1 kHz stereo
    for (ChannelChoice choice : {ChannelChoice::Left, ChannelChoice::Right, ChannelChoice::Mix}) {
        SCOPED_TRACE(static_cast<int>(choice));
        m_messages.clear();
        OpenBytes(SilentStream(stereo, 12));
        m_context->Channels = choice;
        RunToEnd();
        EXPECT_FALSE(m_context->RightFilter);
        ExpectCompleteWav(12, 2304, 1, 44100);
        m_thread.reset();
    }
    m_messages.clear();
    OpenBytes(SilentStream(stereo, 12));
    RunToEnd();
    ExpectCompleteWav(12, 4608, 2, 44100);
}

TEST_F(DecodeThreadTest, SingleChannelStreamUsesTheLeftChannelWhateverTheChoice) {
    OpenBytes(SilentStream(Mono44k(), 5));
    m_context->Channels = ChannelChoice::Right;
    RunToEnd();
    EXPECT_EQ(m_context->Channels, ChannelChoice::Left);
    ExpectCompleteWav(5, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, LowSamplingFrequencyMonoWrites1152BytesAt22050) {
    HeaderFields lsf = Mono44k();
    lsf.VersionBits = 2;
    OpenBytes(SilentStream(lsf, 20));
    RunToEnd();
    ExpectCompleteWav(20, 1152, 1, 22050);
}

TEST_F(DecodeThreadTest, LowSamplingFrequencyLayerIWrites384SamplesPerFrame) {
    HeaderFields lsf = Mono44k();
    lsf.VersionBits = 2;
    lsf.Layer = 1;
    lsf.BitrateIndex = 4;
    OpenBytes(SilentStream(lsf, 20));
    RunToEnd();
    ExpectCompleteWav(20, 768, 1, 22050);
}

HeaderFields Layer2Mono44k() {
    HeaderFields f = Mono44k();  // 128 kbit/s, 417-byte frames like the Layer III ones
    f.Layer = 2;
    return f;
}

TEST_F(DecodeThreadTest, LayerIIFramesThenLayerIIIFramesDecodeBothParts) {
    test::Bytes file;
    for (uint32_t i = 0; i < 6; ++i) {
        test::AppendBytes(file, test::Layer2SoundFrame(Layer2Mono44k(), i));
    }
    test::AppendBytes(file, SilentStream(Mono44k(), 4));
    OpenBytes(file);
    RunToEnd();
    ExpectCompleteWav(10, 2304, 1, 44100);
    const auto wav = test::ReadWavFile(m_wavPath);
    ASSERT_TRUE(wav);
    const auto split = wav->Samples.begin() + 6 * 1152;
    EXPECT_TRUE(std::any_of(wav->Samples.begin(), split, [](int16_t s) { return s != 0; }));
    // The Layer III frames are silent, up to the filter's tail of the Layer II sound.
    EXPECT_TRUE(std::all_of(split + 1152, wav->Samples.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(DecodeThreadTest, FramesWhoseChecksumFailsAreLeftOutOfTheFile) {
    HeaderFields fields = Layer2Mono44k();
    fields.Checksum = true;
    test::Bytes file;
    for (uint32_t i = 0; i < 5; ++i) {
        // The first frame is the one Open has loaded.
        test::AppendBytes(file, test::Layer2SoundFrame(fields, i, i % 2 == 0));
    }
    OpenBytes(file);
    RunToEnd();
    EXPECT_EQ(ActFrames().back(), 4);
    ExpectCompleteWav(2, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, HeldPauseGateStopsTheFileAndReleasingItContinues) {
    OpenBytes(SilentStream(Mono44k(), 1500));
    m_context->NotifyCadence = 1;
    Start();
    ASSERT_TRUE(PumpUntil([this] { return ActFrames().size() > 20; }));
    // Pause as the control does: under the lock, then take the gate.
    m_context->Lock.Wait();
    m_context->PauseGate.Wait();
    m_context->Lock.Release();

    // The worker finishes the frame it was decoding and halts at the gate.
    EXPECT_TRUE(m_blocked.WaitForBlock(PauseGateName));
    platform::PumpMessages();
    const int32_t frame = CurrentFrame();
    EXPECT_FALSE(HasEnded());
    EXPECT_LT(frame, 1499);

    EXPECT_TRUE(m_context->PauseGate.Release());
    ASSERT_TRUE(PumpUntil([this] { return HasEnded(); }));
    m_thread->Join();
    platform::PumpMessages();
    const auto frames = ActFrames();
    ASSERT_EQ(frames.size(), 1501u);  // every frame, then the last once more
    for (size_t i = 0; i < 1500; ++i) {
        ASSERT_EQ(frames[i], static_cast<int64_t>(i));
    }
    ExpectCompleteWav(1500, 2304, 1, 44100);
}

TEST_F(DecodeThreadTest, StopHalfWayLeavesACompleteFileOfTheFramesDecoded) {
    OpenBytes(SilentStream(Mono44k(), 3000));
    m_context->NotifyCadence = 1;
    Start();
    ASSERT_TRUE(PumpUntil([this] { return ActFrames().size() > 50; }));
    m_context->Lock.Wait();
    m_context->StopRequest = true;
    m_context->Lock.Release();
    ASSERT_TRUE(PumpUntil([this] { return HasEnded(); }));
    m_thread->Join();
    platform::PumpMessages();
    EXPECT_EQ(m_messages.back(), Ended);
    const int32_t last = m_context->CurrentFrame;
    EXPECT_LT(last, 2999);
    EXPECT_EQ(ActFrames().back(), last);  // no end-of-stream frame after a stop
    ExpectCompleteWav(static_cast<uint32_t>(last + 1), 2304, 1, 44100);
}

// A seek continues the file at the frame sought: after the first two granules
// written (IMDCT overlap and filter history start empty), every sample equals a straight
// decode of the same frames. Frames whose main data lay before the seek point
// give no output, so the written frames line up with the straight decode's last ones.
class DecodeThreadSeekTest : public DecodeThreadTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(DecodeThreadSeekTest, SeekContinuesTheFileAtTheFrameSought) {
    const std::string name = GetParam();
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found";
    }
    const std::string stream = test::ConformanceBitstream(name);
    Open(stream);
    RunToEnd();
    const auto straight = test::ReadWavFile(m_wavPath);
    ASSERT_TRUE(straight);
    const uint32_t frameBytes =
        FrameBytes(straight->Channels, m_context->Header->Version(), m_context->Header->Layer());
    const uint32_t total = straight->DataSize / frameBytes;
    ASSERT_GT(total, 20u);
    m_thread.reset();

    const int32_t target = static_cast<int32_t>(total / 2);
    m_messages.clear();
    Open(stream);
    m_context->SeekRequest = true;
    m_context->SeekTarget = target;
    RunToEnd();
    ASSERT_GE(m_messages.size(), 3u);
    EXPECT_EQ(m_messages[0], SeekDone);
    EXPECT_EQ(m_messages[1], Act(target));
    const auto sought = test::ReadWavFile(m_wavPath);
    ASSERT_TRUE(sought);
    const uint32_t written = sought->DataSize / frameBytes;
    ASSERT_EQ(sought->DataSize % frameBytes, 0u);
    const int64_t silent = int64_t{total} - target - written;  // starved by the reservoir
    EXPECT_GE(silent, 0);
    EXPECT_LE(silent, 3);
    // Two granules per channel: the one without overlap and the 15 blocks after it
    // that the filter history still reaches back into.
    const size_t fadeIn = size_t{1152} * straight->Channels;
    ASSERT_GT(sought->Samples.size(), fadeIn);
    const size_t offset = straight->Samples.size() - sought->Samples.size();
    size_t differing = 0;
    for (size_t i = fadeIn; i < sought->Samples.size(); ++i) {
        differing += sought->Samples[i] != straight->Samples[offset + i];
    }
    EXPECT_EQ(differing, 0u);
}

INSTANTIATE_TEST_SUITE_P(Conformance, DecodeThreadSeekTest,
                         ::testing::Values("l3-compl", "l3-si", "l3-hecommon", "l3-test46",
                                           "l1-fl1", "l2-fl11"));

}  // namespace
}  // namespace aurion
