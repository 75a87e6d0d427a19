#include <QFile>
#include <QFileInfo>

#include "app/common/BatchJournal.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScopedVariable.h"

namespace trackdeck::test {
namespace {

class BatchJournalTest : public AppTest {
protected:
    void Append(const QString& file, const QByteArray& text) const {
        QFile journal(file);
        ASSERT_TRUE(journal.open(QIODevice::Append));
        journal.write(text);
    }
};

QByteArray Tag(char fill) { return "TAG" + QByteArray(JournalTagSize - 3, fill); }

TEST_F(BatchJournalTest, AJournalReadsBackAsWrittenUpToATornOrUnreadableLine) {
    const QString folder = MakeFolder("music");
    const QString journals = MakeFolder("journals");
    // Names a line could be misread at: blanks, a percent sign, a line break.
    const QString odd = folder + "100% \nfertig.mp3";
    WriteFile(odd, "audio" + Tag('x'));
    WriteFile(folder + "b.mp3", "no tag at its end, only audio bytes");
    WriteFile(folder + "short.mp3", Tag('s'));  // all tag: too short to have one

    JournalWriter writer;
    ASSERT_EQ(writer.Begin(BatchKind::NamesFromTags,
                           {{odd, folder + "x.mp3"},
                            {folder + "b.mp3", folder + "y.mp3"},
                            {folder + "short.mp3", folder + "z.mp3"}},
                           journals),
              0);
    ASSERT_TRUE(QFile::rename(odd, folder + "x.mp3"));
    EXPECT_TRUE(writer.Changed(0));
    ASSERT_TRUE(QFile::rename(folder + "short.mp3", folder + "z.mp3"));
    EXPECT_TRUE(writer.Changed(2));
    writer.Finish();

    const QStringList files = JournalFiles(journals);
    ASSERT_EQ(files.size(), 1);
    std::optional<BatchRecord> batch = ReadJournal(files[0]);
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->Kind, BatchKind::NamesFromTags);
    EXPECT_LT(batch->Started.secsTo(QDateTime::currentDateTimeUtc()), 60);
    EXPECT_TRUE(batch->Finished);
    ASSERT_EQ(batch->Entries.size(), 3u);
    const JournalEntry& first = batch->Entries[0];
    EXPECT_EQ(first.OldPath, odd);
    EXPECT_EQ(first.NewPath, folder + "x.mp3");
    EXPECT_EQ(first.OldTag, Tag('x'));
    EXPECT_EQ(first.Before->Size, 5 + JournalTagSize);
    EXPECT_EQ(first.After, StampOf(folder + "x.mp3"));
    EXPECT_FALSE(batch->Entries[1].OldTag);
    EXPECT_FALSE(batch->Entries[1].After) << "not changed";
    EXPECT_FALSE(batch->Entries[2].OldTag);
    EXPECT_TRUE(batch->Entries[2].After);

    // A line a crash tore off is not there; nothing after an unreadable line counts.
    Append(files[0], "restored 2\nchanged 9 1 1\nundone\nrestored 0");
    batch = ReadJournal(files[0]);
    EXPECT_TRUE(batch->Entries[2].Restored);
    EXPECT_FALSE(batch->Undone);
    EXPECT_FALSE(batch->Entries[0].Restored);
}

TEST_F(BatchJournalTest, APlanThatDoesNotReadWholeHoldsNothingToUndo) {
    const QString journals = MakeFolder("journals");
    const QByteArray start = "trackdeck-batch 1\nkind move\ntime 2026-12-09T17:40:12Z\n";
    const QByteArray file = "file /m/a.mp3 /n/a.mp3 10 20 -\n";
    const QByteArray changed = "changed 0 10 20\n";
    const std::pair<const char*, QByteArray> journals_[] = {
        {"cut short before its end", start + file + changed},
        {"relative path", start + "file m/a.mp3 /n/a.mp3 10 20 -\nplanned\n" + changed},
        {"tag of 127 bytes",
         start + "file /m/a.mp3 /n/a.mp3 10 20 " + QByteArray(254, 'a') + "\nplanned\n" + changed},
        {"negative size", start + "file /m/a.mp3 /n/a.mp3 -10 20 -\nplanned\n" + changed},
        {"NUL in a path", start + "file /m/a%00.mp3 /n/a.mp3 10 20 -\nplanned\n" + changed},
        {"unknown kind", "trackdeck-batch 1\nkind copy\n" + file + "planned\n" + changed},
    };
    int number = 1;
    for (const auto& [what, content] : journals_) {
        const QString path = journals + QString("batch-%1.journal").arg(number++);
        WriteFile(path, content);
        const std::optional<BatchRecord> batch = ReadJournal(path);
        ASSERT_TRUE(batch) << what;
        EXPECT_TRUE(batch->Entries.empty()) << what;
        EXPECT_FALSE(CanBeUndone(*batch)) << what;
    }
    WriteFile(journals + "batch-99.journal", "something else\n");
    EXPECT_FALSE(ReadJournal(journals + "batch-99.journal"));
    EXPECT_FALSE(LastUndoableBatch(journals));
}

TEST_F(BatchJournalTest, TheStateFolderKeepsTheNewestTenBatchesAndTheNewestUndoableIsFound) {
    const QString state = MakeFolder("state");
    {
        platform::test::ScopedVariable home("XDG_STATE_HOME", state.toStdString());
        EXPECT_EQ(JournalFolder(), state + "trackdeck/");
    }
    {
        platform::test::ScopedVariable relative("XDG_STATE_HOME", "state");
        platform::test::ScopedVariable home("HOME", "/home/somebody");
        EXPECT_EQ(JournalFolder(), "/home/somebody/.local/state/trackdeck/");
    }
    const QString folder = MakeFolder("music");
    const QString journals = state + "trackdeck/";
    for (int batch = 1; batch <= 12; ++batch) {
        const QString from = folder + QString("%1.mp3").arg(batch);
        const QString to = folder + QString("renamed %1.mp3").arg(batch);
        WriteFile(from, "audio");
        JournalWriter writer;
        ASSERT_EQ(writer.Begin(BatchKind::NamesFromTags, {{from, to}}, journals), 0);
        // The newest batch changes nothing.
        if (batch < 12) {
            ASSERT_TRUE(QFile::rename(from, to));
            EXPECT_TRUE(writer.Changed(0));
        }
        writer.Finish();
    }
    const QStringList files = JournalFiles(journals);
    ASSERT_EQ(files.size(), KeptBatches);
    EXPECT_EQ(QFileInfo(files.front()).fileName(), "batch-000003.journal");
    EXPECT_EQ(QFileInfo(files.back()).fileName(), "batch-000012.journal");

    std::optional<BatchRecord> last = LastUndoableBatch(journals);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->JournalFile, files[8]);
    ASSERT_TRUE(MarkUndone(*last));
    last = LastUndoableBatch(journals);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->JournalFile, files[7]);
}

}  // namespace
}  // namespace trackdeck::test
