#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/profile/PrivateProfile.h"
#include "tests/support/ScopedEnvironment.h"

namespace platform {
namespace {

class PrivateProfile : public ::testing::Test {
protected:
    [[nodiscard]] std::string File() const { return m_env.Folder() + "Trackdeck.ini"; }
    void Put(const std::string& content) const {
        std::ofstream(File(), std::ios::binary) << content;
    }
    [[nodiscard]] std::string Content() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::ScopedEnvironment m_env;
};

TEST_F(PrivateProfile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(GetPrivateProfileString("Directories", "LastDirA", "dflt", File()), "dflt");
    Put("[Player]\nVolume=1200\n");
    EXPECT_EQ(GetPrivateProfileString("Directories", "LastDirA", "", File()), "");
    EXPECT_EQ(GetPrivateProfileString("Player", "DirPlay", "x", File()), "x");
}

TEST_F(PrivateProfile, NamesAreFoundWithoutRegardToCaseAndBlanksAreNotPartOfThem) {
    Put("; settings\n[player]\n  VOLUME =  1200  \n[Confirm]\nLoeschen=0\n");
    EXPECT_EQ(GetPrivateProfileString("Player", "Volume", "", File()), "1200");
    EXPECT_EQ(GetPrivateProfileString("PLAYER", "volume", "", File()), "1200");
    EXPECT_EQ(GetPrivateProfileString("Confirm", "Loeschen", "", File()), "0");
    EXPECT_EQ(GetPrivateProfileString("Player", "Loeschen", "d", File()), "d")
        << "a key of another section is not this section's";
}

TEST_F(PrivateProfile, FirstWriteCreatesFileSectionAndKey) {
    ASSERT_TRUE(WritePrivateProfileString("Directories", "LastDirA", "/home/a/", File()));
    EXPECT_EQ(Content(), "[Directories]\nLastDirA=/home/a/\n");
    ASSERT_TRUE(WritePrivateProfileString("Directories", "LastDirB", "/", File()));
    ASSERT_TRUE(WritePrivateProfileString("Player", "Volume", "1000", File()));
    EXPECT_EQ(Content(), "[Directories]\nLastDirA=/home/a/\nLastDirB=/\n[Player]\nVolume=1000\n");
}

TEST_F(PrivateProfile, AWriteChangesOnlyItsLineAndKeepsCommentsAndUnknownSections) {
    const std::string before =
        "; written by hand\r\n[Unknown]\r\nfoo = bar ; kept\r\n\r\n[Directories]\r\n"
        "LastDirA=/old/\r\n# another comment\r\nLastOrdner=1\r\n\r\n[Search]\r\nSubDirs=1";
    Put(before);
    ASSERT_TRUE(WritePrivateProfileString("Directories", "lastdira", "/Grüße/日本/", File()));
    std::string expected = before;
    expected.replace(expected.find("LastDirA=/old/"), 14, "lastdira=/Grüße/日本/");
    EXPECT_EQ(Content(), expected);
    EXPECT_EQ(GetPrivateProfileString("Directories", "LastDirA", "", File()), "/Grüße/日本/");

    // A new key goes after the section's last entry, in the file's line ending.
    ASSERT_TRUE(WritePrivateProfileString("Directories", "LastDirB", "/b/", File()));
    expected.replace(expected.find("LastOrdner=1\r\n"), 14, "LastOrdner=1\r\nLastDirB=/b/\r\n");
    EXPECT_EQ(Content(), expected);
    // The last line had no line ending: it gets one before the new key.
    ASSERT_TRUE(WritePrivateProfileString("Search", "ID3TAGs", "0", File()));
    EXPECT_EQ(Content(), expected + "\r\nID3TAGs=0\r\n");
}

TEST_F(PrivateProfile, AWriteLeavesNoTemporaryFileBehind) {
    Put("[A]\nx=1\n");
    ASSERT_TRUE(WritePrivateProfileString("A", "x", "2", File()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_env.Folder())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(PrivateProfile, AFileThatCannotBeWrittenIsLeftAsItWas) {
    Put("[A]\nx=1\n");
    ASSERT_EQ(::chmod(m_env.Folder().c_str(), 0500), 0);
    if (::access(m_env.Folder().c_str(), W_OK) == 0) {
        ::chmod(m_env.Folder().c_str(), 0700);
        GTEST_SKIP() << "running with rights that ignore permissions";
    }
    EXPECT_FALSE(WritePrivateProfileString("A", "x", "2", File()));
    ::chmod(m_env.Folder().c_str(), 0700);
    EXPECT_EQ(Content(), "[A]\nx=1\n");
}

}  // namespace
}  // namespace platform
