#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostTestFiles.h"
#include "tests/tools/StreamFacts.h"

namespace aurion::test {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

Lines ParseLines(const std::string& out) {
    Lines lines;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        const std::string line = out.substr(start, end - start);
        const size_t equals = line.find('=');
        lines.emplace_back(line.substr(0, equals),
                           equals == std::string::npos ? std::string() : line.substr(equals + 1));
        start = end + 1;
    }
    return lines;
}

std::string Bit(bool value) { return value ? "1" : "0"; }

// The whole output of `aurion info`, line by line in the interface's order, for a
// file without a header frame: its frame count and play time are the control's
// estimates, and say so.
void ExpectReports(const HostRun& run, const StreamFacts& facts) {
    ASSERT_FALSE(run.TimedOut);
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const Lines lines = ParseLines(run.Out);
    const Lines expected{
        {"FrameCount", "~" + std::to_string(facts.FrameCount)},
        {"IsCopyrighted", Bit(facts.IsCopyrighted)},
        {"IsOriginal", Bit(facts.IsOriginal)},
        {"HasChecksums", Bit(facts.HasChecksums)},
        {"Layer", std::to_string(facts.Layer)},
        {"SampleFrequency", std::to_string(facts.SampleFrequency)},
        {"BitRate", std::to_string(facts.BitRate)},
        {"MPEGVersion", std::to_string(facts.MpegVersion)},
        {"MPEGMode", std::to_string(facts.MpegMode)},
        {"FrameNotifyCount", "32"},
        {"Version", "151"},
        {"MsPerFrame", lines.size() > 11 ? lines[11].second : ""},
        {"TotalTime", "~" + std::to_string(facts.TotalTime)},
    };
    ASSERT_EQ(lines, expected) << run.Out;
    // At most six decimals, trailing zeros trimmed, and the control's value.
    const std::string& msPerFrame = lines[11].second;
    const size_t point = msPerFrame.find('.');
    if (point != std::string::npos) {
        EXPECT_LE(msPerFrame.size() - point - 1, 6u) << msPerFrame;
        EXPECT_NE(msPerFrame.back(), '0') << msPerFrame;
    }
    EXPECT_NEAR(std::strtod(msPerFrame.c_str(), nullptr), facts.MsPerFrame, 1e-6) << msPerFrame;
}

class InfoCommand : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(InfoCommand, ReportsTheDemoStreamAsItsFirstHeaderSays) {
    ASSERT_FALSE(m_environment.Folder().empty());
    const auto facts = FactsOfFile(DemoStream());
    ASSERT_TRUE(facts);
    ExpectReports(RunHost({"info", DemoStream()}), *facts);
}

TEST_F(InfoCommand, ReportsEveryConformanceStreamAsItsFirstHeaderSays) {
    const std::vector<std::string> streams = ConformanceStreams();
    if (streams.empty()) GTEST_SKIP() << "no conformance streams in ../shared/conformance";
    for (const std::string& name : streams) {
        SCOPED_TRACE(name);
        const auto facts = FactsOfFile(ConformanceBitstream(name));
        ASSERT_TRUE(facts);
        ExpectReports(RunHost({"info", ConformanceBitstream(name)}), *facts);
    }
}

TEST_F(InfoCommand, FindsTheStreamBehindLeadingJunk) {
    // 500 bytes without a 0xFF byte, so that no sync word can hide in them.
    std::mt19937 random(500);
    std::vector<uint8_t> junk(500);
    for (uint8_t& byte : junk) byte = static_cast<uint8_t>(random() % 0xFF);
    const std::string file = m_environment.Folder() + "junk-first.mp3";
    ASSERT_TRUE(WriteJoined(file, junk, DemoStream(), 1));
    const auto facts = FactsOfFile(file, junk.size());
    ASSERT_TRUE(facts);
    ExpectReports(RunHost({"info", file}), *facts);
}

TEST_F(InfoCommand, MissingFileIsSaidWithTheSystemsReason) {
    const std::string file = m_environment.Folder() + "missing.mp3";
    const HostRun run = RunHost({"info", file});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "aurion: cannot read " + file + ": No such file or directory\n");
    EXPECT_EQ(run.Out, "");
}

TEST_F(InfoCommand, FileWithoutFramesIsUnableToReadTheHeader) {
    const std::string file = m_environment.Folder() + "notes.mp3";
    ASSERT_TRUE(WriteJoined(file, std::vector<uint8_t>(2000, 'x'), DemoStream(), 0));
    const HostRun run = RunHost({"info", file});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "aurion: " + file + ": error 643: Unable to read MPEG-Header\n");
    EXPECT_EQ(run.Out, "");
}

}  // namespace
}  // namespace aurion::test
