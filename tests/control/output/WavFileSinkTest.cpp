#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "control/output/WavFileSink.h"
#include "platform/mmio/Mmio.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WavFileReader.h"

namespace aurion {
namespace {

using platform::MmioStep;
using test::ReadWavFile;

class WavFileSinkTest : public ::testing::Test, public OutputFailureReport {
protected:
    void TearDown() override { platform::SetMmioFailureHook({}); }

    void Report(OutputFailure failure) override { m_reports.push_back(failure); }
    void ReportWithReason(OutputFailure failure, int systemError) override {
        m_reasons.push_back(systemError);
        Report(failure);
    }

    std::unique_ptr<WavFileSink> MakeSink(int channels, uint32_t rate, uint32_t frameBytes) {
        return std::make_unique<WavFileSink>(m_path, channels, rate, frameBytes, *this);
    }
    static void FailAt(MmioStep failing, unsigned occurrence) {
        platform::SetMmioFailureHook(
            [=](MmioStep step, unsigned n) { return step == failing && n == occurrence; });
    }
    // Frame f, channel c, sample i of a recognisable ramp.
    static int16_t SampleOf(int frame, int channel, int i) {
        return static_cast<int16_t>(frame * 1000 + channel * 20000 - i * 7);
    }
    static void AppendFrame(SampleSink& sink, int frame, int channels, int samples) {
        for (int c = 0; c < channels; ++c) {  // one channel after the other, as the decoder does
            for (int i = 0; i < samples; ++i) {
                sink.Append(c, SampleOf(frame, c, i));
            }
        }
        sink.WriteBuffer();
    }

    platform::test::ScopedEnvironment m_env;
    std::string m_path = m_env.Folder() + "out.wav";
    std::vector<OutputFailure> m_reports;
    std::vector<int> m_reasons;
};

TEST_F(WavFileSinkTest, FrameBytesFollowChannelsVersionAndLayer) {
    EXPECT_EQ(FrameBytes(1, 1, 3), 2304u);
    EXPECT_EQ(FrameBytes(2, 1, 3), 4608u);
    EXPECT_EQ(FrameBytes(1, 0, 3), 1152u);
    EXPECT_EQ(FrameBytes(2, 0, 3), 2304u);
    EXPECT_EQ(FrameBytes(2, 1, 1), 1536u);
    EXPECT_EQ(FrameBytes(1, 1, 2), 2304u);
    EXPECT_EQ(FrameBytes(1, 0, 2), 2304u);  // LSF Layer II keeps 1152 samples
}

TEST_F(WavFileSinkTest, MonoFileHasTheLayoutToTheByte) {
    {
        auto sink = MakeSink(1, 44100, 2304);
        ASSERT_FALSE(sink->Failed());
        for (int f = 0; f < 5; ++f) {
            AppendFrame(*sink, f, 1, 1152);
            sink->ClearBuffer();  // neither drops anything from the file
            sink->Abort();
        }
    }
    EXPECT_TRUE(m_reports.empty());
    const auto wav = ReadWavFile(m_path);
    ASSERT_TRUE(wav);
    ASSERT_EQ(wav->Bytes.size(), 46u + 5 * 2304);
    EXPECT_EQ(wav->Riff, "RIFF");
    EXPECT_EQ(wav->RiffSize, 38u + 5 * 2304);
    EXPECT_EQ(wav->Wave, "WAVE");
    EXPECT_EQ(wav->Fmt, "fmt ");
    EXPECT_EQ(wav->FmtSize, 18u);
    EXPECT_EQ(wav->FormatTag, 1);
    EXPECT_EQ(wav->Channels, 1);
    EXPECT_EQ(wav->SampleRate, 44100u);
    EXPECT_EQ(wav->BytesPerSecond, 88200u);
    EXPECT_EQ(wav->BlockAlign, 2);
    EXPECT_EQ(wav->BitsPerSample, 16);
    EXPECT_EQ(wav->ExtraBytes, 0);
    EXPECT_EQ(wav->Data, "data");
    EXPECT_EQ(wav->DataSize, 5u * 2304);
    ASSERT_EQ(wav->Samples.size(), 5u * 1152);
    for (int f = 0; f < 5; ++f) {
        for (int i = 0; i < 1152; ++i) {
            ASSERT_EQ(wav->Samples[static_cast<size_t>(f * 1152 + i)], SampleOf(f, 0, i))
                << "frame " << f << " sample " << i;
        }
    }
}

TEST_F(WavFileSinkTest, StereoInterleavesByChannelLeftFirst) {
    {
        auto sink = MakeSink(2, 48000, 4608);
        for (int f = 0; f < 3; ++f) {
            AppendFrame(*sink, f, 2, 1152);
        }
    }
    const auto wav = ReadWavFile(m_path);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->Channels, 2);
    EXPECT_EQ(wav->SampleRate, 48000u);
    EXPECT_EQ(wav->BytesPerSecond, 192000u);
    EXPECT_EQ(wav->BlockAlign, 4);
    EXPECT_EQ(wav->DataSize, 3u * 4608);
    EXPECT_EQ(wav->RiffSize, 38u + 3 * 4608);
    ASSERT_EQ(wav->Samples.size(), 3u * 2304);
    for (int f = 0; f < 3; ++f) {
        for (int i = 0; i < 1152; ++i) {
            const size_t at = static_cast<size_t>(f * 2304 + 2 * i);
            ASSERT_EQ(wav->Samples[at], SampleOf(f, 0, i));
            ASSERT_EQ(wav->Samples[at + 1], SampleOf(f, 1, i));
        }
    }
}

TEST_F(WavFileSinkTest, BlocksPlaceTheSameBytesAsSamplesOneByOne) {
    // Blocks of 30 straddle the frame's end (1152 samples a channel): the part
    // that fits is written, the rest dropped, exactly as Append would.
    const auto fill = [this](bool blocks) {
        auto sink = MakeSink(2, 44100, 4608);
        for (int f = 0; f < 2; ++f) {
            for (int c = 0; c < 2; ++c) {
                for (int start = 0; start < 1200; start += 30) {
                    int16_t block[30];
                    for (int i = 0; i < 30; ++i) {
                        block[i] = SampleOf(f, c, start + i);
                    }
                    if (blocks) {
                        sink->AppendBlock(c, block, 30);
                    } else {
                        for (const int16_t sample : block) sink->Append(c, sample);
                    }
                }
            }
            sink->AppendBlock(2, nullptr, 30);  // a channel the file does not have
            sink->WriteBuffer();
        }
    };
    fill(false);
    const auto oneByOne = ReadWavFile(m_path);
    fill(true);
    const auto inBlocks = ReadWavFile(m_path);
    ASSERT_TRUE(oneByOne && inBlocks);
    EXPECT_EQ(inBlocks->DataSize, 2u * 4608);
    EXPECT_EQ(inBlocks->Bytes, oneByOne->Bytes);
}

TEST_F(WavFileSinkTest, LowSamplingFrequencyMonoWritesFramesOf1152Bytes) {
    {
        auto sink = MakeSink(1, 22050, FrameBytes(1, 0, 3));
        for (int f = 0; f < 4; ++f) {
            AppendFrame(*sink, f, 1, 576);
        }
    }
    const auto wav = ReadWavFile(m_path);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->SampleRate, 22050u);
    EXPECT_EQ(wav->BytesPerSecond, 44100u);
    EXPECT_EQ(wav->DataSize, 4u * 1152);
    EXPECT_EQ(wav->Samples[576], SampleOf(1, 0, 0));
}

TEST_F(WavFileSinkTest, EveryFrameAddsExactlyFrameBytesWhateverWasAppended) {
    {
        auto sink = MakeSink(1, 32000, 2304);
        AppendFrame(*sink, 0, 1, 2000);  // too many: the surplus is dropped
        AppendFrame(*sink, 1, 1, 10);    // too few: the rest of the frame is what it held
        sink->Append(1, 5);              // a channel the file does not have
        sink->Append(-1, 5);
        sink->WriteBuffer();
    }
    const auto wav = ReadWavFile(m_path);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->DataSize, 3u * 2304);
    EXPECT_EQ(wav->Samples[1151], SampleOf(0, 0, 1151));
    EXPECT_EQ(wav->Samples[1152 + 9], SampleOf(1, 0, 9));
    EXPECT_EQ(wav->Samples[1152 + 10], SampleOf(0, 0, 10));
    EXPECT_EQ(wav->Samples[2304], SampleOf(1, 0, 0));
}

TEST_F(WavFileSinkTest, OpeningFailuresReportTheirStepAndFail) {
    struct Case {
        MmioStep Step;
        unsigned Occurrence;
        OutputFailure Expected;
    };
    const std::vector<Case> cases = {
        {MmioStep::Open, 1, OutputFailure::MmioOpen},
        {MmioStep::CreateChunk, 1, OutputFailure::MmioRiffChunk},
        {MmioStep::CreateChunk, 2, OutputFailure::MmioFormatChunk},
        {MmioStep::Write, 1, OutputFailure::MmioFormatWrite},
        {MmioStep::Ascend, 1, OutputFailure::MmioFormatAscend},
        {MmioStep::CreateChunk, 3, OutputFailure::MmioDataChunk},
        {MmioStep::GetInfo, 1, OutputFailure::MmioGetInfo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Expected));
        m_reports.clear();
        FailAt(c.Step, c.Occurrence);
        {
            auto sink = MakeSink(2, 44100, 4608);
            EXPECT_TRUE(sink->Failed());
            AppendFrame(*sink, 0, 2, 1152);  // taken and dropped without a crash
        }
        EXPECT_EQ(m_reports, std::vector<OutputFailure>{c.Expected});
        EXPECT_FALSE(std::filesystem::exists(m_path));  // no sample reached it: removed
    }
}

TEST_F(WavFileSinkTest, MissingFolderFailsToOpen) {
    m_path = m_env.Folder() + "missing/out.wav";
    auto sink = MakeSink(1, 44100, 2304);
    EXPECT_TRUE(sink->Failed());
    EXPECT_EQ(m_reports, std::vector<OutputFailure>{OutputFailure::MmioOpen});
    EXPECT_EQ(m_reasons, std::vector<int>{ENOENT});
}

TEST_F(WavFileSinkTest, WriteFailureLeavesAValidFileOfWhatReachedTheDisk) {
    FailAt(MmioStep::Advance, 2);
    // The I/O buffer advances first after the data chunk's header (buffer size
    // minus 8 bytes of samples), the second time a buffer later.
    constexpr size_t FrameBytes = 2304;
    constexpr size_t SecondAdvanceAfter = 2 * WavFileSink::IoBufferBytes - 8;
    constexpr int Frames = static_cast<int>(SecondAdvanceAfter / FrameBytes) + 3;
    {
        auto sink = MakeSink(1, 44100, FrameBytes);
        for (int f = 0; f < Frames; ++f) {
            AppendFrame(*sink, f, 1, 1152);
            if ((f + 1) * FrameBytes <= SecondAdvanceAfter) {
                EXPECT_FALSE(sink->Failed()) << f;
            }
        }
        EXPECT_TRUE(sink->Failed());
    }
    EXPECT_EQ(m_reports, std::vector<OutputFailure>{OutputFailure::MmioAdvance});
    const auto wav = ReadWavFile(m_path);
    ASSERT_TRUE(wav);
    // What reached the file: the I/O buffer advanced once, after the data chunk's
    // header; the sizes say so.
    const size_t written = WavFileSink::IoBufferBytes - 8;
    ASSERT_EQ(wav->Bytes.size(), 46 + written);
    EXPECT_EQ(wav->RiffSize, wav->Bytes.size() - 8);
    EXPECT_EQ(wav->DataSize, written);
    for (size_t i = 0; i < written / 2; ++i) {
        ASSERT_EQ(wav->Samples[i],
                  SampleOf(static_cast<int>(i / 1152), 0, static_cast<int>(i % 1152)));
    }
}

TEST_F(WavFileSinkTest, FinishingFailureIsReportedOnceAndLeavesAValidFileOrNone) {
    struct Case {
        MmioStep Step;
        unsigned Occurrence;
        OutputFailure Expected;
        bool Kept;  // the frame had reached the disk before the failing step
    };
    const std::vector<Case> cases = {
        {MmioStep::SetInfo, 1, OutputFailure::MmioSetInfo, false},
        {MmioStep::Ascend, 2, OutputFailure::MmioAscendData, false},
        {MmioStep::Ascend, 3, OutputFailure::MmioAscendRiff, true},
        {MmioStep::Close, 1, OutputFailure::MmioClose, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Expected));
        m_reports.clear();
        FailAt(c.Step, c.Occurrence);
        {
            auto sink = MakeSink(1, 44100, 2304);
            ASSERT_FALSE(sink->Failed());
            AppendFrame(*sink, 0, 1, 1152);
        }
        EXPECT_EQ(m_reports, std::vector<OutputFailure>{c.Expected});
        const auto wav = ReadWavFile(m_path);
        ASSERT_EQ(wav.has_value(), c.Kept);
        if (wav) {
            EXPECT_EQ(wav->RiffSize, wav->Bytes.size() - 8);
            EXPECT_EQ(wav->DataSize, 2304u);
            EXPECT_EQ(wav->Samples[1151], SampleOf(0, 0, 1151));
        }
    }
}

}  // namespace
}  // namespace aurion
