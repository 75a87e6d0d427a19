#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/Eventually.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostProcess.h"
#include "tests/tools/HostTestFiles.h"
#include "tests/tools/StreamFacts.h"

namespace aurion::test {
namespace {

// The conformance folder's criteria for a decoder's output.
constexpr double MaximumRmsLsb = 1.0;
constexpr int32_t MaximumPeakLsb = 2;

constexpr size_t SamplesPerMpeg1Frame = 1152;

class DecodeCommand : public ::testing::Test {
protected:
    std::string Target(const std::string& name) const { return m_environment.Folder() + name; }

    platform::test::ScopedEnvironment m_environment;
};

void ExpectMeetsCriteria(const std::vector<int16_t>& decoded,
                         const std::vector<int16_t>& reference) {
    const PcmDifference difference = ComparePcm(decoded, reference);
    EXPECT_GT(difference.compared, 0u);
    EXPECT_LE(difference.rms, MaximumRmsLsb);
    EXPECT_LE(difference.peak, MaximumPeakLsb) << "at sample " << difference.peakIndex;
}

TEST_F(DecodeCommand, WritesTheDemoStreamWithoutAWord) {
    const std::string out = Target("demo.wav");
    const HostRun run = RunHost({"decode", DemoStream(), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, 2, 44100);
    const int64_t frames = CountFrames(DemoStream());
    EXPECT_EQ(frames, 308);
    EXPECT_EQ(wav->Samples.size(), static_cast<size_t>(frames) * SamplesPerMpeg1Frame * 2);
}

void DecodeAndJudge(const std::string& name, const std::string& out) {
    SCOPED_TRACE(name);
    const auto facts = FactsOfFile(ConformanceBitstream(name));
    ASSERT_TRUE(facts);
    const HostRun run = RunHost({"decode", ConformanceBitstream(name), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, facts->Channels, facts->SampleFrequency);
    EXPECT_EQ(wav->Samples.size(), ExpectedSamples(name).value_or(0));
    const auto reference = ReferencePcm(name);
    ASSERT_TRUE(reference);
    ExpectMeetsCriteria(wav->Samples, *reference);
    std::filesystem::remove(out);
}

TEST_F(DecodeCommand, DecodesEveryLayerIIIConformanceStream) {
    const std::vector<std::string> streams = LayerIIIConformanceStreams();
    if (streams.empty()) GTEST_SKIP() << "no conformance streams in ../shared/conformance";
    for (const std::string& name : streams) DecodeAndJudge(name, Target(name + ".wav"));
}

TEST_F(DecodeCommand, DecodesEveryLayerIAndIIConformanceStream) {
    const std::vector<std::string> layerIII = LayerIIIConformanceStreams();
    size_t decoded = 0;
    for (const std::string& name : ConformanceStreams()) {
        if (std::find(layerIII.begin(), layerIII.end(), name) != layerIII.end()) continue;
        DecodeAndJudge(name, Target(name + ".wav"));
        ++decoded;
    }
    if (decoded == 0) GTEST_SKIP() << "no conformance streams in ../shared/conformance";
}

TEST_F(DecodeCommand, ChannelModesGiveOneChannelOfAStereoStream) {
    if (ConformanceFolder().empty())
        GTEST_SKIP() << "no conformance streams in ../shared/conformance";
    // Layer III stereo and middle/side, Layer I intensity stereo, Layer II stereo.
    for (const std::string name : {"l3-hecommon", "l3-test46", "l1-fl2", "l2-fl11"}) {
        const auto facts = FactsOfFile(ConformanceBitstream(name));
        ASSERT_TRUE(facts);
        ASSERT_EQ(facts->Channels, 2);
        const auto reference = ReferencePcm(name);
        ASSERT_TRUE(reference);
        // 1 left, 2 right, 3 the mix of both.
        for (int mode : {1, 2, 3}) {
            SCOPED_TRACE(name + " --channel-mode " + std::to_string(mode));
            const std::string out = Target(name + "-" + std::to_string(mode) + ".wav");
            const HostRun run = RunHost({"decode", "--channel-mode", std::to_string(mode),
                                         ConformanceBitstream(name), out});
            EXPECT_EQ(run.ExitStatus, 0) << run.Err;
            const auto wav = ReadWavFile(out);
            ASSERT_TRUE(wav);
            ExpectConsistentWav(*wav, 1, facts->SampleFrequency);
            EXPECT_EQ(wav->Samples.size(), ExpectedSamples(name).value_or(0) / 2);
            ExpectMeetsCriteria(wav->Samples, ChannelOf(*reference, mode == 3 ? -1 : mode - 1, 2));
        }
    }
}

TEST_F(DecodeCommand, ShowsItsProgressOnATerminal) {
    const std::string out = Target("demo.wav");
    const HostRun run = RunHostOnTerminal({"decode", "--notify", "16", DemoStream(), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0) << run.Out;
    // The demo stream lasts 8 s; the bar ends full, on a line of its own.
    EXPECT_NE(run.Out.find("[##############################] 100%  0:08 / 0:08"), std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("  0%  0:00 / 0:08"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("error"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.back(), '\n');
    EXPECT_TRUE(ReadWavFile(out));
}

TEST_F(DecodeCommand, MissingFileFailsWithoutWritingAFile) {
    const std::string out = Target("missing.wav");
    const HostRun run = RunHost({"decode", Target("missing.mp3"), out});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "error 643: Unable to read MPEG-Header\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DecodeCommand, TargetInAMissingFolderFailsWhenTheFileIsMade) {
    const std::string out = Target("no-such-folder/out.wav");
    const HostRun run = RunHost({"decode", DemoStream(), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "error 601: mmioOpen() failed\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DecodeCommand, TargetWithoutFreeSpaceIsTheBareNumber712) {
    // The proc file system reports no free blocks, so Open refuses before anything is written.
    const HostRun run = RunHost({"decode", DemoStream(), "/proc/aurion-no-space.wav"});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "error 712\n");
    EXPECT_EQ(run.Out, "");
}

TEST_F(DecodeCommand, TargetThatCannotBeWrittenReportsTheWritersFailure) {
    // A folder's name as target: the free space is known, the file cannot be made.
    const std::string out = Target("folder.wav");
    ASSERT_TRUE(std::filesystem::create_directory(out));
    const HostRun run = RunHost({"decode", DemoStream(), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "error 601: mmioOpen() failed\n");
    EXPECT_TRUE(std::filesystem::is_directory(out));
}

TEST_F(DecodeCommand, InterruptStopsAndLeavesAValidWavFile) {
    // 200 s of audio, mixed to one channel: long enough to be caught half-way.
    const std::string stream = Target("long.mp3");
    ASSERT_TRUE(WriteJoined(stream, {}, DemoStream(), 25));
    const int64_t frames = CountFrames(stream);
    const std::string out = Target("long.wav");
    HostProcess host({"decode", "--channel-mode", "3", stream, out});
    ASSERT_TRUE(host.Started());
    // Interrupt once the worker has written audio beyond the header.
    auto written = [&out] {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(out, error);
        return error ? uintmax_t{0} : size;
    };
    EXPECT_TRUE(platform::test::Eventually(
        [&] { return !host.Running() || written() >= 46 + 100'000; }, std::chrono::seconds(60)));
    host.SendSignal(SIGINT);
    const HostRun run = host.Wait();
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 130) << run.Err;
    EXPECT_EQ(run.Err, "");
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, 1, 44100);
    // Whole frames only, and fewer than the stream holds.
    EXPECT_EQ(wav->DataSize % (SamplesPerMpeg1Frame * 2), 0u);
    EXPECT_GT(wav->Samples.size(), 0u);
    EXPECT_LT(wav->Samples.size(), static_cast<size_t>(frames) * SamplesPerMpeg1Frame);
}

}  // namespace
}  // namespace aurion::test
