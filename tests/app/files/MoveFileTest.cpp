#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>

#include "app/files/FileCopy.h"
#include "app/files/MoveFile.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using files::CopyResult;
using files::MoveResult;
using files::MoveSteps;

QStringList Contents(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The rename of a target on another file system: it cannot go.
MoveSteps AcrossFileSystems() {
    MoveSteps steps;
    steps.Rename = [](const QString&, const QString&) { return RenameResult::OtherFileSystem; };
    return steps;
}

// Files may grow only to `limit` bytes while it lives: a write past it fails as on
// a full disk (the signal that would end the process is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

using MoveFileTest = AppTest;

TEST_F(MoveFileTest, AMoveOntoAnExistingFileChangesNeitherFileOnOneOrAcrossFileSystems) {
    const QString from = MakeFolder("from");
    const QString to = MakeFolder("to");
    WriteFile(from + "a.mp3", "source bytes");
    WriteFile(to + "a.mp3", "target");
    for (const MoveSteps& steps : {MoveSteps{}, AcrossFileSystems()}) {
        EXPECT_EQ(files::MoveFileNoReplace(from + "a.mp3", to + "a.mp3", steps),
                  MoveResult::TargetExists);
        EXPECT_EQ(ReadFile(from + "a.mp3"), "source bytes");
        EXPECT_EQ(ReadFile(to + "a.mp3"), "target");
        EXPECT_EQ(Contents(to), QStringList{"a.mp3"}) << "no copy left beside it";
    }
}

TEST_F(MoveFileTest, AcrossFileSystemsTheFileIsCopiedWholeAndOnlyThenTheSourceRemoved) {
    const QString from = MakeFolder("from");
    const QString to = MakeFolder("to");
    const QByteArray bytes = Pattern(200 * 1024 + 17);
    WriteFile(from + "song.mp3", bytes);
    QFile(from + "song.mp3").setPermissions(QFile::ReadOwner | QFile::ReadGroup);
    ASSERT_EQ(files::MoveFileNoReplace(from + "song.mp3", to + "song.mp3", AcrossFileSystems()),
              MoveResult::Moved);
    EXPECT_TRUE(Contents(from).isEmpty());
    EXPECT_EQ(Contents(to), QStringList{"song.mp3"});
    EXPECT_EQ(ReadFile(to + "song.mp3"), bytes);
    EXPECT_TRUE(QFile(to + "song.mp3").permissions() & QFile::WriteOwner)
        << "a read-only file arrives writable";
}

TEST_F(MoveFileTest, ACopyThatFailsPartWayKeepsTheSourceAndTheOldTargetAndLeavesNoPartialFile) {
    const QString from = MakeFolder("from");
    const QString to = MakeFolder("to");
    const QByteArray bytes = Pattern(300 * 1024);
    WriteFile(from + "big.mp3", bytes);
    WriteFile(to + "old.mp3", "old");
    {
        const FileSizeLimit full(100 * 1024);
        const files::MoveOutcome moved =
            files::MoveFileNoReplace(from + "big.mp3", to + "big.mp3", AcrossFileSystems());
        EXPECT_EQ(moved, MoveResult::Failed);
        EXPECT_EQ(moved.Error, EFBIG) << "the reason to say";
        const files::CopyOutcome copied = files::CopyFileReplacing(from + "big.mp3", to + "old.mp3");
        EXPECT_EQ(copied, CopyResult::Failed);
        EXPECT_EQ(copied.Error, EFBIG);
    }
    EXPECT_EQ(ReadFile(from + "big.mp3"), bytes);
    EXPECT_EQ(ReadFile(to + "old.mp3"), "old");
    EXPECT_EQ(Contents(to), QStringList{"old.mp3"});
}

TEST_F(MoveFileTest, ACopyOfTheWrongSizeIsRemovedAndTheSourceStays) {
    const QString from = MakeFolder("from");
    const QString to = MakeFolder("to");
    WriteFile(from + "a.mp3", "twelve bytes");
    MoveSteps steps = AcrossFileSystems();
    steps.Copy = [](const QString&, const QString& target) {
        QFile copy(target);
        (void)copy.open(QIODevice::WriteOnly);
        copy.write("twelve");
        return CopyResult::Copied;
    };
    EXPECT_EQ(files::MoveFileNoReplace(from + "a.mp3", to + "a.mp3", steps), MoveResult::Failed);
    EXPECT_EQ(ReadFile(from + "a.mp3"), "twelve bytes");
    EXPECT_TRUE(Contents(to).isEmpty());
}

TEST_F(MoveFileTest, ACopyReplacesAnExistingFileAndAMissingSourceChangesNothing) {
    const QString folder = MakeFolder("copy");
    WriteFile(folder + "new.mp3", "new content");
    WriteFile(folder + "target.mp3", "old");
    ASSERT_EQ(files::CopyFileReplacing(folder + "new.mp3", folder + "target.mp3"),
              CopyResult::Copied);
    EXPECT_EQ(ReadFile(folder + "target.mp3"), "new content");
    EXPECT_EQ(ReadFile(folder + "new.mp3"), "new content");
    const files::CopyOutcome missing =
        files::CopyFileReplacing(folder + "missing.mp3", folder + "target.mp3");
    EXPECT_EQ(missing, CopyResult::Failed);
    EXPECT_EQ(missing.Error, ENOENT);
    EXPECT_EQ(ReadFile(folder + "target.mp3"), "new content");
    EXPECT_EQ(Contents(folder), QStringList({"new.mp3", "target.mp3"}));
}

}  // namespace
}  // namespace trackdeck::test
