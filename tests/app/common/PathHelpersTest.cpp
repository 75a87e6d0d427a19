#include <QDir>

#include "app/common/PathHelpers.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

TEST(PathHelpers, ParentFolderKeepsTheRoot) {
    QString path = "/a.mp3";
    ParentFolder(path);
    EXPECT_EQ(path, "/");
    path = "/music/album/";
    ParentFolder(path);
    EXPECT_EQ(path, "/music");
    path = "/";
    ParentFolder(path);
    EXPECT_EQ(path, "/");
    path = "song.mp3";
    ParentFolder(path);
    EXPECT_EQ(path, "song.mp3");
    EXPECT_EQ(AddBackslash("/music"), "/music/");
    EXPECT_EQ(AddBackslash("/music/"), "/music/");
    EXPECT_EQ(AddBackslash(""), "/");
}

using LongNames = AppTest;

TEST_F(LongNames, AnExistingPathIsMadeAbsoluteAndAMissingOneFails) {
    const QString folder = MakeFolder("deep/folder");
    WriteFile(folder + "x.mp3", "x");
    EXPECT_EQ(LongName(folder + "../folder/./x.mp3"), folder + "x.mp3");
    EXPECT_FALSE(LongName(folder + "missing.mp3"));
    // Longer than the support library's 300-character buffer.
    QString longFolder = folder;
    while (longFolder.size() < 400) longFolder += "a-rather-long-folder-name/";
    QDir().mkpath(longFolder);
    WriteFile(longFolder + "y.mp3", "y");
    EXPECT_EQ(LongName(longFolder + "y.mp3"), longFolder + "y.mp3");
}

}  // namespace
}  // namespace trackdeck::test
