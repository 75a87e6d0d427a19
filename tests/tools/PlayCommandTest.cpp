#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/Eventually.h"
#include "tests/support/HostProcess.h"
#include "tests/support/NullAudio.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/StreamCut.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

using namespace std::chrono_literals;

// 32 frames of 1152 stereo samples, in bytes: one device buffer.
constexpr uintmax_t BufferBytes = 32 * 1152 * 2 * 2;

class PlayCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_short = m_environment.Folder() + "short.mp3";
        ASSERT_TRUE(WriteFirstFrames(DemoStream(), 20, m_short));
    }

    platform::test::NullAudio m_capture;  // the child inherits the null device and the capture file
    platform::test::ScopedEnvironment m_environment;
    std::string m_short;
};

// Without a terminal: a line for each file, its name, length and how it ended;
// every failure said on standard error with the file it is about.
TEST_F(PlayCommand, PlaysEveryFileAndSaysWhichOneFailed) {
    const std::string missing = m_environment.Folder() + "missing.mp3";
    const std::string notes = m_environment.Folder() + "notes.mp3";
    ASSERT_TRUE(WriteJoined(notes, std::vector<uint8_t>(3000, 'x'), DemoStream(), 0));
    const HostRun run = RunHost({"play", m_short, missing, notes, m_short}, 60s);
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Out, m_short + "  0:00  played\n" + missing + "  -  failed\n" + notes +
                           "  -  failed\n" + m_short + "  0:00  played\n");
    EXPECT_EQ(run.Err, "aurion: cannot read " + missing + ": No such file or directory\n" +
                           "aurion: " + notes + ": error 643: Unable to read MPEG-Header\n");
    EXPECT_EQ(m_capture.CapturedBytes(),
              2 * BufferBytes);  // both good files, each padded to a buffer
}

TEST_F(PlayCommand, BarOnATerminalEndsAtTheWholeLength) {
    const HostRun run = RunHostOnTerminal({"play", m_short}, 60s);
    if (run.NoTerminal) GTEST_SKIP() << "this machine gives no pseudo-terminal";
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_NE(run.Out.find("short.mp3  [##############################] 100%  0:00 / 0:00"),
              std::string::npos)
        << run.Out;
}

TEST_F(PlayCommand, ShowsTheFileAndItsTimesOnATerminalAndQuitsOnQ) {
    const HostRun run = RunHostOnTerminal({"play", DemoStream(), m_short}, 60s, {"q", "0:08"});
    if (run.NoTerminal) GTEST_SKIP() << "this machine gives no pseudo-terminal";
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_NE(run.Out.find("demo.mp3"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("/ ~0:08"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("short.mp3"), std::string::npos) << run.Out;  // q ends the list
    EXPECT_LT(m_capture.CapturedBytes(), 4 * BufferBytes);
}

TEST_F(PlayCommand, InterruptStopsAndReports130) {
    HostProcess process({"play", DemoStream()});
    ASSERT_TRUE(process.Started());
    EXPECT_TRUE(platform::test::Eventually(
        [&] { return m_capture.CapturedBytes() != 0 || !process.Running(); }));
    process.SendSignal(SIGINT);
    const HostRun run = process.Wait(30s);
    ASSERT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitStatus, 130);
    EXPECT_LT(m_capture.CapturedBytes(), 4 * BufferBytes);
}

TEST_F(PlayCommand, DevicesListsTheNullDevice) {
    const HostRun run = RunHost({"devices"}, 30s);
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_EQ(run.Out.rfind("0  ", 0), 0u) << run.Out;
    EXPECT_NE(run.Out.find("  0x"), std::string::npos) << run.Out;
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 1);
}

}  // namespace
}  // namespace aurion::test
