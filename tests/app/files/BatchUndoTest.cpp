#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

#include "app/common/BatchJournal.h"
#include "app/files/BatchUndo.h"
#include "app/names/NamesFromTags.h"
#include "app/names/TagsFromNames.h"
#include "tests/app/PaneTestSupport.h"
#include "tests/support/ScopedVariable.h"

namespace trackdeck::test {
namespace {

// Each file of a folder on a line: its name, a checksum of its whole content and
// its modification time.
using FolderState = std::string;

class BatchUndo : public PaneTest {
protected:
    FolderState StateOf(const QString& folder) const {
        QStringList lines;
        for (const QString& name : FolderContents(folder)) {
            const QByteArray content = ReadFile(folder + name);
            lines << name + " " +
                         QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex() +
                         " " +
                         QString::number(StampOf(folder + name).value_or(FileStamp{}).ModifiedNs);
        }
        return lines.join('\n').toStdString();
    }

    // Fifty files "track NN.mp3": the even ones with a tag of artist "Artist NN" and
    // title "Title NN", the odd ones with `oddTag`.
    void WriteFifty(const QString& folder, const char* nameFormat, bool oddTag) const {
        for (int i = 0; i < 50; ++i) {
            const QByteArray number = QByteArray::number(i).rightJustified(2, '0');
            const bool tagged = i % 2 == 0 || oddTag;
            WriteMp3(folder + QString::asprintf(nameFormat, i), 1 + i % 3,
                     tagged ? TagRecord("Title " + number, "Artist " + number, "", "", "")
                            : QByteArray());
        }
    }

    // "ID3-TAG > Dateiname" over every file of list A with the pattern Artist - Title.
    static void NameAllFromTags(frmDeck& form, const DeckControls& ui) {
        ui.List1->setCurrentRow(0);
        ui.List1->selectAll();
        ui.Command9->click();
        names::Rename* window = form.NamesFromTagSet().Window();
        ASSERT_NE(window, nullptr);
        window->Command1->click();
        ASSERT_EQ(form.NamesFromTagSet().Window(), nullptr);
    }

    // The program on a folder of fifty tagged files "track NN.mp3"; `m_before` is
    // the folder as it was.
    std::unique_ptr<frmDeck> StartOnFiftyTracks() {
        m_folder = MakeFolder("music");
        WriteFifty(m_folder, "track %02d.mp3", true);
        m_before = StateOf(m_folder);
        return StartWith(m_folder, MakeFolder("other"), 1);
    }

    void UndoByKey(frmDeck& form, const DeckControls& ui) {
        Activate(form, 1);
        QTest::keyClick(ui.List1, Qt::Key_Z, Qt::ControlModifier);
    }

    static QAction* UndoItem(const DeckControls& ui) {
        // The menu says whether there is something to undo as it opens.
        emit ui.Menu->aboutToShow();
        return ui.Menu->findChild<QAction*>("mnuUndo");
    }

    QString m_folder;
    FolderState m_before;
};

TEST_F(BatchUndo, ARenameOfFiftyFilesIsUndoneFromTheMenuToEveryNameAndByte) {
    auto form = StartOnFiftyTracks();
    const QString& folder = m_folder;
    const FolderState& before = m_before;
    const DeckControls ui(*form);
    EXPECT_FALSE(UndoItem(ui)->isEnabled()) << "nothing done yet";

    NameAllFromTags(*form, ui);
    ASSERT_TRUE(QFile::exists(folder + "Artist 07 - Title 07.mp3"));
    EXPECT_FALSE(QFile::exists(folder + "track 07.mp3"));

    QAction* undo = UndoItem(ui);
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Letzte Stapelaktion rückgängig\tStrg+Z");
    m_messages.clear();
    m_answers = {Answer::Yes};
    undo->trigger();
    EXPECT_EQ(StateOf(folder), before);
    EXPECT_EQ(Entries(*ui.List1).size(), 50) << "the pane was re-read";
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(
        m_messages[0].Text.startsWith("Letzte Stapelaktion rückgängig machen?\n\n"
                                      "„ID3-TAG > Dateiname“ mit 50 Dateien, am "))
        << m_messages[0].Text.toStdString();
    EXPECT_EQ(m_messages[1].Text, "50 Dateien wiederhergestellt.");
    EXPECT_FALSE(UndoItem(ui)->isEnabled()) << "an undone batch is not undone twice";

    m_messages.clear();
    UndoByKey(*form, ui);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              "Es gibt keine Stapelaktion, die rückgängig gemacht werden kann...   ");
    Close(form);
}

TEST_F(BatchUndo, ATagWriteOfFiftyFilesIsUndoneByKeyToEveryByteAndTime) {
    const QString folder = MakeFolder("music");
    const QString other = MakeFolder("other");
    // Half of them had no tag: the undo takes the written one away again.
    WriteFifty(folder, "Band %02d - Song.mp3", false);
    // Modification times in the past, so that the written ones differ for sure.
    for (const QString& name : FolderContents(folder)) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime(QDate(2020, 5, 1), QTime(12, 0)), QFile::FileModificationTime);
    }
    const FolderState before = StateOf(folder);
    auto form = StartWith(folder, other, 1);
    const DeckControls ui(*form);

    ui.List1->setCurrentRow(0);
    ui.List1->selectAll();
    ui.Command3->click();
    names::FileNameTAG* window = form->TagsFromNameSet().Window();
    ASSERT_NE(window, nullptr);
    window->Command1->click();
    const QStringList written = QString::fromStdString(StateOf(folder)).split('\n');
    const QStringList original = QString::fromStdString(before).split('\n');
    int changed = 0;
    for (qsizetype i = 0; i < written.size(); ++i) changed += written[i] == original[i] ? 0 : 1;
    ASSERT_EQ(changed, 50) << "every file got its tag";

    m_messages.clear();
    UndoByKey(*form, ui);
    EXPECT_EQ(StateOf(folder), before);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[0].Text.contains("„Dateiname > ID3-TAG“ mit 50 Dateien"));
    EXPECT_EQ(m_messages[1].Text, "50 Dateien wiederhergestellt.");
    Close(form);
}

TEST_F(BatchUndo, AMoveIsUndoneExceptAFileChangedSinceWhichIsNamedAndLeftAlone) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) WriteFile(left + name, name);
    auto form = StartWith(left, right, 1, {.Move = false});
    const DeckControls ui(*form);
    Activate(*form, 1);
    Mark(*ui.List1, {"a.mp3", "b.mp3", "c.mp3"});
    ui.Command6->click();
    ASSERT_EQ(FolderContents(right), QStringList({"a.mp3", "b.mp3", "c.mp3"}));
    {
        QFile changed(right + "b.mp3");
        ASSERT_TRUE(changed.open(QIODevice::Append));
        changed.write(" and more");
    }

    m_messages.clear();
    UndoItem(ui)->trigger();
    EXPECT_EQ(FolderContents(left), QStringList({"a.mp3", "c.mp3"}));
    EXPECT_EQ(FolderContents(right), QStringList{"b.mp3"});
    EXPECT_EQ(ReadFile(right + "b.mp3"), "b.mp3 and more");
    EXPECT_EQ(Entries(*ui.List1), QStringList({"a.mp3", "c.mp3"}));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[0].Text.contains("„Umbewegen“ mit 3 Dateien"));
    EXPECT_EQ(m_messages[1].Text,
              "2 Dateien wiederhergestellt.\n\nUnverändert gelassen:\nb.mp3 (seitdem geändert)");
    EXPECT_EQ(m_messages[1].Kind, MessageKind::Exclamation);
    Close(form);
}

TEST_F(BatchUndo, WhereTheJournalCannotBeWrittenTheUserDecidesWhetherTheBatchGoesOn) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    for (const char* name : {"a.mp3", "b.mp3"}) WriteFile(left + name, name);
    // A file where the journal's folder would be made.
    const QString blocked = MakeFolder("blocked") + "state";
    WriteFile(blocked, "");
    platform::test::ScopedVariable stateHome("XDG_STATE_HOME", blocked.toStdString());
    auto form = StartWith(left, right, 1, {.Move = false});
    const DeckControls ui(*form);
    Activate(*form, 1);
    Mark(*ui.List1, {"a.mp3", "b.mp3"});

    m_answers = {Answer::No};
    ui.Command6->click();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].Text.startsWith(
        "Das Protokoll zum Rückgängigmachen kann nicht geschrieben werden (" + blocked +
        "/trackdeck/).\nGrund: "))
        << m_messages[0].Text.toStdString();
    EXPECT_TRUE(m_messages[0].Text.endsWith("Ohne Rückgängig fortfahren?"));
    EXPECT_EQ(FolderContents(left), QStringList({"a.mp3", "b.mp3"})) << "Nein moves nothing";

    m_answers = {Answer::Yes};
    Mark(*ui.List1, {"a.mp3", "b.mp3"});
    ui.Command6->click();
    EXPECT_EQ(FolderContents(right), QStringList({"a.mp3", "b.mp3"}));
    Close(form);
}

TEST_F(BatchUndo, ARenameStoppedAfterTwentyFilesIsUndoneUpToThereAfterARestart) {
    auto form = StartOnFiftyTracks();
    const QString& folder = m_folder;
    const FolderState& before = m_before;
    {
        const DeckControls ui(*form);
        // As if the program died after its twentieth rename.
        JournalWriter::StopAfterForTests(20);
        NameAllFromTags(*form, ui);
        JournalWriter::StopAfterForTests(0);
    }
    Close(form);
    const QStringList renamed = FolderContents(folder).filter(" - Title ");
    EXPECT_EQ(renamed.size(), 20);

    form = StartWith(folder, MakeFolder("other"), 1);
    const DeckControls ui(*form);
    m_messages.clear();
    UndoByKey(*form, ui);
    EXPECT_EQ(StateOf(folder), before);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[0].Text.contains("„ID3-TAG > Dateiname“ mit 20 Dateien"));
    EXPECT_TRUE(
        m_messages[0].Text.endsWith("Die Aktion wurde nicht zu Ende geführt: "
                                    "zurückgenommen wird, was sie erledigt hat."));
    EXPECT_EQ(m_messages[1].Text, "20 Dateien wiederhergestellt.");
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
