#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/browser/FolderFiles.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::browser {
namespace {

TEST(FolderFiles, MpegAndWaveFilesOfAnyCaseSortedIgnoringCaseAndNothingElse) {
    platform::test::ScopedEnvironment environment;
    const QString folder = QString::fromStdString(environment.Folder()) + "files/";
    ASSERT_TRUE(QDir().mkpath(folder + "folder.mp3"));
    for (const char* name : {"b.wav", "A.MP3", "c.mp3", ".hidden.mp3", "notes.txt", "mp3", ".mp3x",
                             "d.Wav", "e.mp3.txt"}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(folder + "c.mp3", folder + "link.mp3"));
    ASSERT_TRUE(QFile::link(folder + "gone.mp3", folder + "dangling.mp3"));
    ASSERT_TRUE(QFile::link(folder + "folder.mp3", folder + "folder-link.mp3"));
    EXPECT_EQ(PlayableFiles(folder),
              QStringList({".hidden.mp3", "A.MP3", "b.wav", "c.mp3", "d.Wav", "link.mp3"}));
    EXPECT_TRUE(PlayableFiles(folder + "missing/").isEmpty());
}

}  // namespace
}  // namespace trackdeck::browser
