// Trackdeck installed with `cmake --install` into a fresh prefix, as a user or the
// Debian package installs it: the program folder, the launchers, the menu entry, the
// icon and the metainfo land where the desktop looks for them, and the desktop's
// own checkers accept them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/packaging/InstallInto.h"
#include "tests/packaging/ReadText.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::test {
namespace {

namespace fs = std::filesystem;
using aurion::test::HostRun;
using aurion::test::RunProgram;

// Width and height from a PNG file's header chunk; 0 x 0 when it is no PNG.
std::array<uint32_t, 2> PngSize(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 24> head{};
    file.read(reinterpret_cast<char*>(head.data()), head.size());
    if (!file || head[1] != 'P' || head[2] != 'N' || head[3] != 'G') return {0, 0};
    const auto word = [&](size_t at) {
        return uint32_t{head[at]} << 24 | uint32_t{head[at + 1]} << 16 |
               uint32_t{head[at + 2]} << 8 | uint32_t{head[at + 3]};
    };
    return {word(16), word(20)};
}

// One of the desktop's checkers; nothing where it is not installed.
std::optional<HostRun> RunChecker(const std::vector<std::string>& command) {
    HostRun run = RunProgram("/usr/bin/env", command);
    if (run.ExitStatus == 127) return std::nullopt;
    return run;
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        const HostRun install = InstallInto(Prefix());
        ASSERT_EQ(install.ExitStatus, 0) << install.Out << install.Err;
    }
    [[nodiscard]] fs::path Prefix() const { return fs::path(m_environment.Folder()) / "prefix"; }
    [[nodiscard]] fs::path ProgramFolder() const { return ProgramFolderIn(Prefix()); }

private:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(Installed, TheProgramFolderHoldsThePartsThatFindEachOtherAndBinLinksIntoIt) {
    for (const char* name :
         {"trackdeck", "aurion", "Trackdeck.bin", "Trackdeck.dll", "libtrackdeck_platform.so"}) {
        EXPECT_TRUE(fs::is_regular_file(ProgramFolder() / name)) << name;
    }
    for (const char* name : {"trackdeck", "aurion"}) {
        const fs::path launcher = Prefix() / "bin" / name;
        ASSERT_TRUE(fs::is_symlink(launcher)) << launcher;
        EXPECT_TRUE(fs::read_symlink(launcher).is_relative()) << "the prefix can move";
        EXPECT_EQ(fs::canonical(launcher), fs::canonical(ProgramFolder() / name));
    }
    // Started through its link, aurion finds the platform library in the program folder.
    const HostRun version = RunProgram((Prefix() / "bin/aurion").string(), {"--version"});
    EXPECT_EQ(version.ExitStatus, 0) << version.Err;
    EXPECT_NE(version.Out.find("aurion"), std::string::npos) << version.Out;
}

TEST_F(Installed, TheMenuEntryNamesTheLauncherAndAnIconThatExistsInEverySize) {
    const std::string entry = ReadText(Prefix() / "share/applications" / (AppId + ".desktop"));
    EXPECT_NE(entry.find("\nExec=trackdeck %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=trackdeck\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=audio/mpeg;inode/directory;\n"), std::string::npos);
    EXPECT_NE(entry.find("\nName[de]="), std::string::npos);
    EXPECT_NE(entry.find("\nComment[de]="), std::string::npos);
    EXPECT_TRUE(fs::exists(Prefix() / "bin/trackdeck"));

    const fs::path hicolor = Prefix() / "share/icons/hicolor";
    EXPECT_NE(ReadText(hicolor / "scalable/apps/trackdeck.svg").find("<svg"), std::string::npos);
    for (uint32_t size : {16u, 24u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(hicolor / folder / "apps/trackdeck.png"), (std::array{size, size}))
            << folder;
    }

    const std::string metainfo = ReadText(Prefix() / "share/metainfo" / (AppId + ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + AppId + ".desktop</launchable>"),
              std::string::npos)
        << metainfo;
    EXPECT_NE(metainfo.find("<release version=\"" TRACKDECK_VERSION "\""), std::string::npos)
        << metainfo;
}

TEST_F(Installed, TheDesktopsCheckersAcceptTheMenuEntryAndTheMetainfo) {
    const std::optional<HostRun> entry =
        RunChecker({"desktop-file-validate",
                    (Prefix() / "share/applications" / (AppId + ".desktop")).string()});
    if (!entry) GTEST_SKIP() << "desktop-file-validate is not installed (desktop-file-utils)";
    EXPECT_EQ(entry->ExitStatus, 0) << entry->Out << entry->Err;
    const std::optional<HostRun> metainfo =
        RunChecker({"appstreamcli", "validate", "--no-net",
                    (Prefix() / "share/metainfo" / (AppId + ".metainfo.xml")).string()});
    if (!metainfo) GTEST_SKIP() << "appstreamcli is not installed (appstream)";
    EXPECT_EQ(metainfo->ExitStatus, 0) << metainfo->Out << metainfo->Err;
}

}  // namespace
}  // namespace trackdeck::test
