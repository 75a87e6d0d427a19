#include <gtest/gtest.h>

#include <filesystem>

#include "platform/system/FreeSpace.h"
#include "platform/system/SystemFolder.h"
#include "tests/support/ScopedEnvironment.h"

namespace platform {
namespace {

TEST(SystemFolder, IsCreatedAndEndsWithTheSeparator) {
    test::ScopedEnvironment env;
    const std::string folder = env.Folder() + "sys/tem";
    setenv("TRACKDECK_SYSTEM_DIR", folder.c_str(), 1);
    EXPECT_EQ(SystemFolder(), folder + "/");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(SystemFolder, FallsBackToTheDataHome) {
    test::ScopedEnvironment env;
    std::optional<std::string> savedXdg;
    if (const char* v = std::getenv("XDG_DATA_HOME")) savedXdg = v;
    unsetenv("TRACKDECK_SYSTEM_DIR");
    setenv("XDG_DATA_HOME", (env.Folder() + "data").c_str(), 1);
    EXPECT_EQ(SystemFolder(), env.Folder() + "data/trackdeck/system/");
    EXPECT_TRUE(std::filesystem::is_directory(env.Folder() + "data/trackdeck/system"));
    if (savedXdg)
        setenv("XDG_DATA_HOME", savedXdg->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

TEST(FreeSpace, AnswersForExistingFoldersOnly) {
    test::ScopedEnvironment env;
    EXPECT_TRUE(FreeBytesOf(env.Folder()).has_value());
    EXPECT_FALSE(FreeBytesOf(env.Folder() + "missing/folder").has_value());
}

TEST(FreeSpace, TestsMayReplaceTheQuery) {
    std::string asked;
    SetFreeSpaceQuery([&](const std::string& path) -> std::optional<uint64_t> {
        asked = path;
        return 1234;
    });
    EXPECT_EQ(FreeBytesOf("/some/where"), 1234u);
    EXPECT_EQ(asked, "/some/where");
    SetFreeSpaceQuery({});
    EXPECT_FALSE(FreeBytesOf("/no/such/folder/anywhere").has_value());
}

}  // namespace
}  // namespace platform
