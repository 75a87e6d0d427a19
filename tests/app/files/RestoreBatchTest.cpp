#include <QFile>

#include "app/common/BatchJournal.h"
#include "app/files/RestoreBatch.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using RestoreBatchTest = AppTest;

TEST_F(RestoreBatchTest, ARenameTheCrashLeftUnrecordedComesBackAndFilesThatCannotAreNamed) {
    const QString folder = MakeFolder("music");
    const QString journals = MakeFolder("journals");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) WriteFile(folder + name, name);
    {
        JournalWriter writer;
        ASSERT_EQ(writer.Begin(BatchKind::NamesFromTags,
                               {{folder + "a.mp3", folder + "A.mp3"},
                                {folder + "b.mp3", folder + "B.mp3"},
                                {folder + "c.mp3", folder + "C.mp3"},
                                {folder + "d.mp3", folder + "D.mp3"}},
                               journals),
                  0);
        for (int i = 0; i < 3; ++i) {
            const QString from = folder + char('a' + i) + ".mp3";
            ASSERT_TRUE(QFile::rename(from, folder + char('A' + i) + ".mp3"));
            EXPECT_TRUE(writer.Changed(i));
        }
        // The program dies after renaming d.mp3, before it could say so.
        ASSERT_TRUE(QFile::rename(folder + "d.mp3", folder + "D.mp3"));
    }
    WriteFile(folder + "a.mp3", "a new file under the old name");
    ASSERT_TRUE(QFile::remove(folder + "C.mp3"));

    const std::optional<BatchRecord> batch = LastUndoableBatch(journals);
    ASSERT_TRUE(batch);
    EXPECT_FALSE(batch->Finished);
    const files::RestoreOutcome outcome = files::RestoreBatch(*batch);
    EXPECT_EQ(outcome.Restored, 2);
    EXPECT_EQ(ReadFile(folder + "b.mp3"), "b.mp3");
    EXPECT_EQ(ReadFile(folder + "d.mp3"), "d.mp3") << "found under its new name as it was";
    EXPECT_EQ(ReadFile(folder + "A.mp3"), "a.mp3");
    EXPECT_EQ(ReadFile(folder + "a.mp3"), "a new file under the old name");
    ASSERT_EQ(outcome.LeftAlone.size(), 2u);
    EXPECT_EQ(outcome.LeftAlone[0].Name + " " + outcome.LeftAlone[0].Reason,
              "C.mp3 nicht mehr vorhanden");
    EXPECT_EQ(outcome.LeftAlone[1].Name + " " + outcome.LeftAlone[1].Reason,
              "A.mp3 der alte Name ist vergeben");
    EXPECT_FALSE(LastUndoableBatch(journals)) << "the journal says it was undone";
}

TEST_F(RestoreBatchTest, ATagJournalWhoseOldLengthNoTagWriteCouldLeaveTouchesNoFile) {
    const QString path = MakeFolder("music") + "a.mp3";
    WriteFile(path, QByteArray(1000, 'a'));
    const FileStamp now = *StampOf(path);
    const QString journal = MakeFolder("journals") + "batch-1.journal";
    WriteFile(journal, "trackdeck-batch 1\nkind tags-from-names\ntime 2026-12-09T17:40:12Z\nfile " +
                           QFile::encodeName(path) + " " + QFile::encodeName(path) +
                           " 999999999 0 -\nplanned\nchanged 0 " + QByteArray::number(now.Size) +
                           " " + QByteArray::number(now.ModifiedNs) + "\nfinished\n");
    const files::RestoreOutcome outcome = files::RestoreBatch(*ReadJournal(journal));
    EXPECT_EQ(outcome.Restored, 0);
    ASSERT_EQ(outcome.LeftAlone.size(), 1u);
    EXPECT_EQ(outcome.LeftAlone[0].Reason, "passt nicht zum Protokoll");
    EXPECT_EQ(StampOf(path), now);
}

}  // namespace
}  // namespace trackdeck::test
