#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostProcess.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

class HostCommandLine : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(HostCommandLine, HelpDescribesEverySubcommand) {
    for (const char* help : {"--help", "-h"}) {
        SCOPED_TRACE(help);
        const HostRun run = RunHost({help});
        EXPECT_EQ(run.ExitStatus, 0);
        EXPECT_EQ(run.Err, "");
        for (const char* topic :
             {"info FILE", "decode [--channel-mode N] [--notify N] FILE OUT.wav",
              "--channel-mode N", "--notify N", "--help", "Exit status"}) {
            EXPECT_NE(run.Out.find(topic), std::string::npos) << topic;
        }
    }
}

TEST_F(HostCommandLine, UsageErrorsExitWithStatusTwo) {
    const std::string out = m_environment.Folder() + "out.wav";
    const std::vector<std::vector<std::string>> wrong{
        {},
        {"play"},
        {"play", "--speed", "fast", DemoStream()},
        {"devices", DemoStream()},
        {"info"},
        {"info", DemoStream(), DemoStream()},
        {"info", "--verbose", DemoStream()},
        {"decode", DemoStream()},
        {"decode", DemoStream(), out, "extra.wav"},
        {"decode", "--notify", "0", DemoStream(), out},
        {"decode", "--notify", "many", DemoStream(), out},
        {"decode", "--channel-mode", "left", DemoStream(), out},
        {"decode", "--channel-mode=", DemoStream(), out},
        {"decode", "--bogus", DemoStream(), out},
        {"decode", DemoStream(), out, "--notify"},
    };
    for (const auto& args : wrong) {
        std::string line;
        for (const std::string& arg : args) line += arg + " ";
        SCOPED_TRACE(line);
        const HostRun run = RunHost(args);
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find("Usage: aurion info FILE"), std::string::npos) << run.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(HostCommandLine, ChannelModeOutsideItsRangeIsTheControlsError) {
    const std::string out = m_environment.Folder() + "out.wav";
    const HostRun run = RunHost({"decode", "--channel-mode", "4", DemoStream(), out});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "error 687: ChannelMode only valid between 0 and 3\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(HostCommandLine, OptionsMayFollowTheFilesAndTakeTheirValueAfterEquals) {
    const std::string out = m_environment.Folder() + "out.wav";
    const HostRun run = RunHost({"decode", DemoStream(), out, "--channel-mode=2", "--notify=5"});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->Channels, 1);
}

}  // namespace
}  // namespace aurion::test
