#include "app/pathlist/PathListFile.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using namespace pathlist;

using PathListFile = AppTest;

TEST_F(PathListFile, ReadsEveryLineThatIsNotEmptyWhateverItsLineEnd) {
    const QString file = MakeFolder("read") + "Trackdeck.lst";
    EXPECT_TRUE(ReadPathList(file).isEmpty()) << "a missing file holds nothing";
    WriteFile(file, "/a/\r\n\r\n/b c/\n/Über ; #1/\r\n\r\n");
    EXPECT_EQ(ReadPathList(file), QStringList({"/a/", "/b c/", "/Über ; #1/"}));
}

TEST_F(PathListFile, AppendingNeverRunsIntoALastLineWithoutItsEnd) {
    const QString file = MakeFolder("append") + "Trackdeck.lst";
    ASSERT_TRUE(AppendToPathList(file, "/first/"));
    EXPECT_EQ(ReadFile(file), "/first/\r\n") << "created by the first entry";
    WriteFile(file, "/by hand/");
    ASSERT_TRUE(AppendToPathList(file, "/second/"));
    EXPECT_EQ(ReadFile(file), "/by hand/\r\n/second/\r\n");
}

TEST_F(PathListFile, ARewrittenFileEndsWithAnEmptyLineThatReadingSkips) {
    const QString file = MakeFolder("rewrite") + "Trackdeck.lst";
    WriteFile(file, "/old/\r\n");
    ASSERT_TRUE(RewritePathList(file, {"/a/", "/ß b/"}));
    EXPECT_EQ(ReadFile(file), QString("/a/\r\n/ß b/\r\n\r\n").toUtf8());
    EXPECT_EQ(ReadPathList(file), QStringList({"/a/", "/ß b/"}));
}

}  // namespace
}  // namespace trackdeck::test
