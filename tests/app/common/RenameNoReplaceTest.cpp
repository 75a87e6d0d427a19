#include <QFile>

#include "app/common/RenameNoReplace.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using RenameNoReplaceTest = AppTest;

TEST_F(RenameNoReplaceTest, RenamesButNeverReplacesAFileOrFolder) {
    const QString folder = MakeFolder("rename");
    WriteFile(folder + "a.mp3", "first");
    WriteFile(folder + "b.mp3", "second");
    const QString subFolder = MakeFolder("rename/sub");

    EXPECT_EQ(RenameNoReplace(folder + "a.mp3", folder + "b.mp3"), RenameResult::TargetExists);
    EXPECT_EQ(RenameNoReplace(folder + "a.mp3", subFolder), RenameResult::TargetExists);
    EXPECT_EQ(ReadFile(folder + "b.mp3"), "second");
    EXPECT_TRUE(QFile::exists(folder + "a.mp3"));

    EXPECT_EQ(RenameNoReplace(folder + "a.mp3", folder + "c.mp3"), RenameResult::Renamed);
    EXPECT_FALSE(QFile::exists(folder + "a.mp3"));
    EXPECT_TRUE(QFile::exists(folder + "c.mp3"));
    EXPECT_EQ(RenameNoReplace(folder + "missing.mp3", folder + "d.mp3"), RenameResult::Failed);
}

}  // namespace
}  // namespace trackdeck::test
