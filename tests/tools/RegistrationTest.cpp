#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::string LibraryPath = TRACKDECK_BIN_DIR "/Trackdeck.bin";

class HostRegistration : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(HostRegistration, FirstRunRegistersTheControlBesideTheProgram) {
    ASSERT_FALSE(std::filesystem::exists(m_environment.RegistryFile()));
    const HostRun run = RunHost({"info", DemoStream()});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    const std::string registry = ReadText(m_environment.RegistryFile());
    EXPECT_NE(registry.find("Aurion.AurionCtrl.1"), std::string::npos) << registry;
    EXPECT_NE(registry.find(LibraryPath), std::string::npos) << registry;
}

TEST_F(HostRegistration, RegistersAgainWhenTheRegisteredLibraryIsGone) {
    ASSERT_EQ(RunHost({"info", DemoStream()}).ExitStatus, 0);
    std::string registry = ReadText(m_environment.RegistryFile());
    const std::string gone = m_environment.Folder() + "moved/Trackdeck.bin";
    for (size_t at = registry.find(LibraryPath); at != std::string::npos;
         at = registry.find(LibraryPath, at + gone.size())) {
        registry.replace(at, LibraryPath.size(), gone);
    }
    ASSERT_NE(registry.find(gone), std::string::npos);
    std::ofstream(m_environment.RegistryFile(), std::ios::trunc) << registry;

    const HostRun run = RunHost({"info", DemoStream()});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_NE(run.Out.find("Layer=3\n"), std::string::npos) << run.Out;
    const std::string repaired = ReadText(m_environment.RegistryFile());
    EXPECT_NE(repaired.find(LibraryPath), std::string::npos) << repaired;
    EXPECT_EQ(repaired.find(gone), std::string::npos) << repaired;
}

}  // namespace
}  // namespace aurion::test
