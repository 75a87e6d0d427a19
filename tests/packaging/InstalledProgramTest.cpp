// The installed program started as a user starts it, through its launcher in bin/,
// from a program folder that holds the shipped control beside the program and that
// the user cannot write: it runs the control it installed in the system folder and
// keeps the user's settings in the user's configuration folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/registry/Registry.h"
#include "tests/packaging/InstallInto.h"
#include "tests/packaging/ReadText.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/ScratchFileSystem.h"

namespace trackdeck::test {
namespace {

namespace fs = std::filesystem;
using aurion::test::HostRun;
using platform::test::ScopedVariable;

const char* const ControlClassKey =
    "Software\\Classes\\CLSID\\{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}\\InprocServer32";

// Root may write any folder whatever its permissions, so the prefix lies on a file
// system of its own, mounted read-only once the program is installed on it.
TEST(InstalledProgram, FromAReadOnlyFolderRunsTheInstalledControlAndKeepsSettingsInTheUsersFolder) {
    platform::test::ScopedEnvironment environment;
    aurion::test::ScratchFileSystem prefix(64u << 20);
    if (!prefix.Mounted()) GTEST_SKIP() << "cannot mount a file system: " << prefix.Problem();
    const HostRun install = InstallInto(prefix.Folder());
    ASSERT_EQ(install.ExitStatus, 0) << install.Out << install.Err;
    const fs::path programFolder = ProgramFolderIn(prefix.Folder());
    ASSERT_TRUE(fs::is_regular_file(programFolder / "Trackdeck.bin")) << "the shipped control";
    ASSERT_TRUE(prefix.MakeReadOnly());

    const std::string home = environment.Folder() + "home";
    const std::string config = environment.Folder() + "config";
    fs::create_directories(home);
    const ScopedVariable homeVariable("HOME", home);
    const ScopedVariable configVariable("XDG_CONFIG_HOME", config);
    const ScopedVariable display("QT_QPA_PLATFORM", "offscreen");
    const ScopedVariable audio("TRACKDECK_AUDIO", "null");
    const std::string picture = environment.Folder() + "deck.png";
    const HostRun run = aurion::test::RunProgram(
        (fs::path(prefix.Folder()) / "bin/trackdeck").string(), {"--screenshot", picture});
    ASSERT_EQ(run.ExitStatus, 0) << run.Out << run.Err;
    EXPECT_TRUE(fs::is_regular_file(picture));

    const std::string installed = environment.SystemDir() + "Aurion.ocx";
    EXPECT_TRUE(fs::is_regular_file(installed));
    EXPECT_EQ(platform::registry::GetValue(ControlClassKey, ""), installed);

    const std::string settings = ReadText(config + "/trackdeck/Trackdeck.ini");
    EXPECT_NE(settings.find("LastDirA=" + home + "/\n"), std::string::npos)
        << "the panes start at home:\n"
        << settings;
    EXPECT_NE(settings.find("LastDirB=" + home + "/\n"), std::string::npos) << settings;
    EXPECT_FALSE(fs::exists(programFolder / "Trackdeck.ini"));
}

}  // namespace
}  // namespace trackdeck::test
