#include <sys/fsuid.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstdio>

#include "app/search/Mp3TreeWalk.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using search::WalkMp3Files;
using search::WalkResult;

// Folder permissions bind root only through a file-system user of its own: for
// the life of this object file access goes as the user "nobody" would have it.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : m_wasRoot(::geteuid() == 0) {
        if (m_wasRoot) ::setfsuid(Nobody);
    }
    ~AsOrdinaryUser() {
        if (m_wasRoot) ::setfsuid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    bool m_wasRoot;
};

class TreeWalk : public AppTest {
protected:
    QStringList Walk(const QString& folder, bool subFolders) {
        QStringList visited;
        EXPECT_EQ(WalkMp3Files(folder, subFolders,
                               [&visited, &folder](const QString& path) {
                                   visited.append(path.mid(folder.size()));
                                   return true;
                               }),
                  WalkResult::Finished);
        return visited;
    }
    void Touch(const QString& path) const { WriteFile(path, "x"); }
};

TEST_F(TreeWalk, ListsSubFoldersLastFirstAndEachFoldersOwnFilesAfterThem) {
    const QString top = MakeFolder("order");
    for (const char* folder : {"a/deep", "B", ".hidden"}) QDir().mkpath(top + folder);
    for (const char* file : {"a/x.mp3", "a/deep/d.mp3", "B/b.mp3", "own.mp3", "Other.MP3",
                             "notes.txt", "song.mp3.bak", ".hidden/h.mp3"})
        Touch(top + file);
    EXPECT_EQ(Walk(top, true),
              QStringList({"B/b.mp3", "a/deep/d.mp3", "a/x.mp3", "Other.MP3", "own.mp3"}));
    EXPECT_EQ(Walk(top, false), QStringList({"Other.MP3", "own.mp3"}));
}

TEST_F(TreeWalk, EndsInATreeWithLinkCyclesAndPassesOverAnUnreadableFolder) {
    const QString top = MakeFolder("cycle");
    QDir().mkpath(top + "sub");
    QDir().mkpath(top + "locked");
    Touch(top + "sub/s.mp3");
    Touch(top + "locked/inside.mp3");
    Touch(top + "z.mp3");
    ASSERT_TRUE(QFile::link(top, top + "loop"));
    ASSERT_TRUE(QFile::link("..", top + "sub/back"));
    ASSERT_TRUE(QFile::link(top + "sub", top + "link-to-sub"));
    // The ordinary user must reach the tree, but not into "locked".
    const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(QDir::cleanPath(top + ".."), open));
    ASSERT_TRUE(QFile::setPermissions(top + "locked", QFile::WriteOwner));
    const AsOrdinaryUser ordinary;
    EXPECT_EQ(Walk(top, true), QStringList({"sub/s.mp3", "z.mp3"}))
        << "each folder once, whichever link leads to it";
}

TEST_F(TreeWalk, StopsWhenTheVisitSaysSo) {
    const QString top = MakeFolder("stop");
    for (const char* file : {"1.mp3", "2.mp3", "3.mp3"}) Touch(top + file);
    int visits = 0;
    EXPECT_EQ(WalkMp3Files(top, true, [&visits](const QString&) { return ++visits < 2; }),
              WalkResult::Stopped);
    EXPECT_EQ(visits, 2);
}

TEST_F(TreeWalk, PassesOverNamesThatNoPathTextCouldNameAgain) {
    const QString top = MakeFolder("bytes");
    Touch(top + "Größe.mp3");
    const QByteArray latin1 = QFile::encodeName(top) +
                              "Gr\xf6\xdf"
                              "e2.mp3";
    FILE* file = std::fopen(latin1.constData(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(Walk(top, true), QStringList{"Größe.mp3"});
}

}  // namespace
}  // namespace trackdeck::test
