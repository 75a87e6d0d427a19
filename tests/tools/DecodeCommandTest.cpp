#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/Eventually.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/HostProcess.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchFileSystem.h"
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

    // The demo stream behind one silent frame at 320 kbit/s, without a header frame:
    // the first frame suggests 124 frames where 309 follow, as in a stream of
    // changing bit rates.
    std::string MisleadingStream() const {
        HeaderFields loud;
        loud.BitrateIndex = 14;
        loud.Mode = 1;  // joint stereo, as the demo stream
        const std::string stream = Target("misleading.mp3");
        EXPECT_TRUE(WriteJoined(stream, MakeFrame(loud), DemoStream(), 1));
        return stream;
    }

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
    if (run.NoTerminal) GTEST_SKIP() << "this machine gives no pseudo-terminal";
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0) << run.Out;
    // The demo stream lasts 8 s; the bar ends full, on a line of its own.
    EXPECT_NE(run.Out.find("[##############################] 100%  0:08 / 0:08"), std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("  0%  0:00 / ~0:08"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("error"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.back(), '\n');
    EXPECT_TRUE(ReadWavFile(out));
}

TEST_F(DecodeCommand, ProgressOfAMisleadingFirstFrameNeitherJumpsNorEndsEarly) {
    const std::string out = Target("misleading.wav");
    const HostRun run = RunHostOnTerminal({"decode", "--notify", "8", MisleadingStream(), out});
    if (run.NoTerminal) GTEST_SKIP() << "this machine gives no pseudo-terminal";
    ASSERT_FALSE(run.TimedOut);
    ASSERT_EQ(run.ExitStatus, 0) << run.Out;
    std::vector<std::string> lines;
    for (size_t start = 0; start < run.Out.size();) {
        size_t end = run.Out.find_first_of("\r\n", start);
        if (end == std::string::npos) end = run.Out.size();
        if (end > start) lines.push_back(run.Out.substr(start, end - start));
        start = end + 1;
    }
    ASSERT_GT(lines.size(), 30u) << run.Out;  // 309 frames, an event every 8
    EXPECT_EQ(lines.back(), "[##############################] 100%  0:08 / 0:08");
    int shown = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        // Until the end the total is an estimate, and the share is never all.
        EXPECT_NE(lines[i].find(" / ~0:0"), std::string::npos);
        const int percent = std::stoi(lines[i].substr(lines[i].find(']') + 1));
        EXPECT_LT(percent, 100);
        EXPECT_GE(percent, shown);
        EXPECT_LE(percent, shown + 10);  // every 8 frames of 309 is under 3 %
        shown = percent;
    }
}

TEST_F(DecodeCommand, MissingFileIsSaidWithTheSystemsReason) {
    const std::string out = Target("missing.wav");
    const HostRun run = RunHost({"decode", Target("missing.mp3"), out});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err,
              "aurion: cannot read " + Target("missing.mp3") + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DecodeCommand, TargetInAMissingFolderIsSaidWhenTheFileCannotBeMade) {
    const std::string out = Target("no-such-folder/out.wav");
    const HostRun run = RunHost({"decode", DemoStream(), out});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "aurion: cannot create " + out + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DecodeCommand, TargetWithoutFreeSpaceIsNumber712InWords) {
    // The proc file system reports no free blocks, so Open refuses before anything is written.
    const HostRun run = RunHost({"decode", DemoStream(), "/proc/aurion-no-space.wav"});
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err,
              "aurion: /proc/aurion-no-space.wav: error 712: not enough free space for the WAV "
              "file\n");
    EXPECT_EQ(run.Out, "");
}

TEST_F(DecodeCommand, FolderAsTargetIsRefused) {
    const std::string out = Target("folder.wav");
    ASSERT_TRUE(std::filesystem::create_directory(out));
    for (const char* force : {"--notify=32", "--force"}) {
        const HostRun run = RunHost({"decode", force, DemoStream(), out});
        ASSERT_FALSE(run.TimedOut);
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_EQ(run.Err, "aurion: " + out + " is a folder; OUT.wav names the file to write\n");
        EXPECT_TRUE(std::filesystem::is_empty(out));
    }
}

TEST_F(DecodeCommand, NeverWritesOverItsInputWhateverItsName) {
    const std::string input = Target("d2.mp3");
    ASSERT_TRUE(WriteJoined(input, {}, DemoStream(), 1));
    const auto original = ReadWholeFile(input);
    ASSERT_TRUE(original);
    std::filesystem::create_symlink(input, Target("link.mp3"));
    std::filesystem::create_hard_link(input, Target("hard.mp3"));
    // The same file by another spelling, through a symbolic link and a hard link.
    const std::string folderName =
        std::filesystem::path(m_environment.Folder()).parent_path().filename().string();
    for (const std::string& out : {Target("./d2.mp3"), Target("../" + folderName + "/d2.mp3"),
                                   Target("link.mp3"), Target("hard.mp3")}) {
        SCOPED_TRACE(out);
        const HostRun run = RunHost({"decode", "--force", input, out});
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_EQ(run.Err, "aurion: " + out + " is the input file " + input +
                               " itself; the output may never replace its input\n");
        EXPECT_EQ(ReadWholeFile(input), original);
    }
}

TEST_F(DecodeCommand, ExistingTargetIsReplacedOnlyWithForce) {
    const std::string out = Target("taken.wav");
    ASSERT_TRUE(WriteJoined(out, {'k', 'e', 'e', 'p'}, DemoStream(), 0));
    const HostRun refused = RunHost({"decode", DemoStream(), out});
    EXPECT_EQ(refused.ExitStatus, 2);
    EXPECT_EQ(refused.Err, "aurion: " + out + " exists; --force (-f) replaces it\n");
    EXPECT_EQ(ReadWholeFile(out), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    for (const char* force : {"--force", "-f"}) {
        const HostRun replaced = RunHost({"decode", force, DemoStream(), out});
        EXPECT_EQ(replaced.ExitStatus, 0) << replaced.Err;
        const auto wav = ReadWavFile(out);
        ASSERT_TRUE(wav);
        ExpectConsistentWav(*wav, 2, 44100);
    }
}

// A disk that fills up while the file is written: the free-space check passes (the
// first frame promises far fewer frames than follow), the writing fails. On a
// small file system of its own where that can be mounted, else under a file-size
// limit, which refuses writes the same way.
TEST_F(DecodeCommand, FullDiskLeavesAValidWavFileOfWhatWasWrittenAndOneLine) {
    constexpr uint64_t Room = 1 << 20;  // the stream decodes to 1.4 MB
    const std::string stream = MisleadingStream();
    const std::string reference = Target("reference.wav");
    ASSERT_EQ(RunHost({"decode", stream, reference}).ExitStatus, 0);
    const auto whole = ReadWavFile(reference);
    ASSERT_TRUE(whole);

    ScratchFileSystem small(Room);
    std::string out = Target("limited.wav");
    std::string reason = "file too large";
    HostRun run;
    if (small.Mounted()) {
        out = small.Folder() + "full.wav";
        reason = "no space left on device";
        run = RunHost({"decode", stream, out});
    } else {
        FileSizeLimit limit(Room);
        if (!limit.Set()) GTEST_SKIP() << "neither a small file system nor a file-size limit";
        run = RunHost({"decode", stream, out});
    }
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "aurion: " + reason + " while writing " + out + "\n");
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav) << "the file was removed, though most of it had been written";
    ExpectConsistentWav(*wav, 2, 44100);
    ASSERT_GT(wav->Samples.size(), 0u);
    ASSERT_LT(wav->Samples.size(), whole->Samples.size());
    EXPECT_TRUE(std::equal(wav->Samples.begin(), wav->Samples.end(), whole->Samples.begin()));
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
