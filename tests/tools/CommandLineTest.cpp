#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

class HostCommandLine : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(HostCommandLine, HelpDescribesEverySubcommand) {
    for (const char* help : {"--help", "-h", "help"}) {
        SCOPED_TRACE(help);
        const HostRun run = RunHost({help});
        EXPECT_EQ(run.ExitStatus, 0);
        EXPECT_EQ(run.Err, "");
        for (const char* topic :
             {"aurion info FILE", "aurion decode [--force] [--channel-mode N] [--notify N]",
              "aurion play [--device N]", "aurion devices", "aurion tag FILE --delete", "--version",
              "Exit status"}) {
            EXPECT_NE(run.Out.find(topic), std::string::npos) << topic;
        }
    }
}

TEST_F(HostCommandLine, CommandHelpShowsThatCommandOnly) {
    const std::vector<std::vector<std::string>> asked{
        {"decode", "--help"}, {"decode", DemoStream(), "-h"}, {"help", "decode"}};
    for (const auto& args : asked) {
        SCOPED_TRACE(args.back());
        const HostRun run = RunHost(args);
        EXPECT_EQ(run.ExitStatus, 0);
        EXPECT_EQ(run.Out.rfind("aurion decode [--force]", 0), 0u) << run.Out;
        EXPECT_NE(run.Out.find("--notify N"), std::string::npos);
        for (const char* other : {"aurion play", "aurion info", "aurion tag", "Exit status"}) {
            EXPECT_EQ(run.Out.find(other), std::string::npos) << other;
        }
    }
    const HostRun tag = RunHost({"tag", "--help"});
    EXPECT_EQ(tag.Out.rfind("aurion tag FILE\n", 0), 0u) << tag.Out;
    EXPECT_EQ(tag.Out.find("aurion decode"), std::string::npos);
}

TEST_F(HostCommandLine, VersionNamesTheProgramAndItsVersion) {
    const HostRun run = RunHost({"--version"});
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_EQ(run.Out.rfind("aurion 1.5 ", 0), 0u) << run.Out;
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 1);
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
        {"decode", "--channel-mode", "4", DemoStream(), out},
        {"decode", "--bogus", DemoStream(), out},
        {"decode", DemoStream(), out, "--notify"},
        // Values the control would clamp or ignore without a word.
        {"play", "--speed", "20", DemoStream()},
        {"play", "--speed", "1001", DemoStream()},
        {"play", "--volume", "101", DemoStream()},
        {"play", "--device", "-1", DemoStream()},
        {"tag", DemoStream(), "--year", "3000"},
        {"tag", DemoStream(), "--year", "0"},
        {"tag", DemoStream(), "--genre", "80"},
        {"tag", DemoStream(), "--genre", "-1"},
        {"help", "unknown"},
        {"--version", "decode"},
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
    const HostRun year = RunHost({"tag", DemoStream(), "--year", "3000"});
    EXPECT_EQ(year.Err.rfind("aurion: --year takes a year from 1 to 2099\n", 0), 0u) << year.Err;
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
