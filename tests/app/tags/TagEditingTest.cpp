#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include "app/tags/TagMessages.h"
#include "tests/app/PlayerTestSupport.h"
#include "tests/support/ReadOnlyFile.h"

namespace trackdeck::test {
namespace {

// A text field of a written record: the text filled up with blanks.
QByteArray Blanked(const QByteArray& text, int width) {
    return text + QByteArray(width - text.size(), ' ');
}

class TagEditing : public PlayerTest {
protected:
    [[nodiscard]] QByteArray LastRecord(const QString& path) const {
        return ReadFile(path).right(128);
    }
    // Makes the window the active one, so that the focus can be seen moving.
    static void Activate(frmDeck& form) {
        form.activateWindow();
        QApplication::setActiveWindow(&form);
    }
};

TEST_F(TagEditing, ALetterInTheYearMarksTheEditPendingButDoesNotAppear) {
    const QString folder = MakeFolder("year");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Titel", "Artist", "", "1999", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Tab, Qt::Key_Shift}) QTest::keyClick(ui.Text5, key);
    EXPECT_FALSE(m_state.TagModified) << "keys that type nothing";
    EXPECT_FALSE(ui.Command2->isVisible());
    ui.Text6->clear();
    QTest::keyClick(ui.Text6, 'x');
    EXPECT_TRUE(m_state.TagModified);
    EXPECT_TRUE(ui.Command2->isVisible() && ui.Command2->isEnabled());
    EXPECT_FALSE(ui.Label12->isVisible());
    EXPECT_FALSE(ui.Image10->isVisible());
    EXPECT_EQ(ui.Text6->text(), "");
    QTest::keyClicks(ui.Text6, "2a0-0.1");
    EXPECT_EQ(ui.Text6->text(), "2001");
    QTest::keyClick(ui.Text6, Qt::Key_Backspace);
    EXPECT_EQ(ui.Text6->text(), "200");
    Close(form);
}

TEST_F(TagEditing, EnterWritesTheTagAndMovesTheFocusOnFromArtistToTitleAndFromCommentAway) {
    const QString folder = MakeFolder("enter");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Titel", "Artist", "Album", "1999", "Kommentar"));
    const qint64 length = QFile(folder + "a.mp3").size();
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    Activate(*form);
    ui.List1->setCurrentRow(0);
    ui.Text5->setFocus();
    ui.Text5->selectAll();
    QTest::keyClicks(ui.Text5, "Neu");
    QTest::keyClick(ui.Text5, Qt::Key_Return);
    EXPECT_EQ(LastRecord(folder + "a.mp3").mid(33, 30), Blanked("Neu", 30));
    EXPECT_TRUE(ui.Text1->hasFocus());
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_FALSE(ui.Command2->isVisible());
    EXPECT_TRUE(ui.Label12->isVisible());

    ui.Text8->setFocus();
    ui.Text8->selectAll();
    QTest::keyClicks(ui.Text8, "anders");
    QTest::keyClick(ui.Text8, Qt::Key_Return);
    const QByteArray record = LastRecord(folder + "a.mp3");
    EXPECT_EQ(record.mid(97, 30), Blanked("anders", 30));
    EXPECT_EQ(record.mid(3, 30), Blanked("Titel", 30));
    EXPECT_EQ(record.mid(93, 4), "1999");
    EXPECT_EQ(record[127], '\x0c') << "the genre is kept";
    EXPECT_TRUE(ui.Command1->hasFocus());
    EXPECT_EQ(QFile(folder + "a.mp3").size(), length) << "the tag is overwritten, not added";
    Close(form);
}

TEST_F(TagEditing, EditingOneFileAndClickingAnotherWritesTheFirstWhilePlaying) {
    const QString folder = MakeFolder("move-on");
    WriteMp3(folder + "a.mp3", 120, TagRecord("Alt", "A", "", "", ""));
    WriteMp3(folder + "b.mp3", 4, TagRecord("Bee", "B", "", "", ""));
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return !ui.Text4->text().isEmpty(); })) << "a plays";
    ui.Text1->selectAll();
    QTest::keyClicks(ui.Text1, "Neuer Titel");
    ui.List1->setCurrentRow(1);
    EXPECT_EQ(LastRecord(folder + "a.mp3").mid(3, 30), Blanked("Neuer Titel", 30));
    EXPECT_EQ(ui.Text1->text(), "Bee");
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_TRUE(m_messages.empty());
    Close(form);
}

TEST_F(TagEditing, TheDeleteKeyEditsAsMuchAsTypingAndTheEditIsWrittenOnMovingOn) {
    const QString folder = MakeFolder("delete-key");
    WriteMp3(folder + "a.mp3", 4, TagRecord("XTitel", "", "", "", ""));
    WriteMp3(folder + "b.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ui.Text1->home(false);
    QTest::keyClick(ui.Text1, Qt::Key_Delete);
    EXPECT_EQ(ui.Text1->text(), "Titel");
    EXPECT_TRUE(m_state.TagModified);
    EXPECT_TRUE(ui.Command2->isVisible());
    ui.List1->setCurrentRow(1);
    EXPECT_EQ(LastRecord(folder + "a.mp3").mid(3, 30), Blanked("Titel", 30));
    Close(form);
}

TEST_F(TagEditing, AFileWithoutATagGetsOneAppendedWithNoGenre) {
    const QString folder = MakeFolder("untagged");
    WriteMp3(folder + "a.mp3", 4);
    const QByteArray before = ReadFile(folder + "a.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    QTest::keyClicks(ui.Text1, "Titel");
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    const QByteArray after = ReadFile(folder + "a.mp3");
    ASSERT_EQ(after.size(), before.size() + 128);
    EXPECT_TRUE(after.startsWith(before));
    EXPECT_EQ(after.right(128).left(33), "TAG" + Blanked("Titel", 30));
    EXPECT_EQ(after.right(128).mid(33, 94), QByteArray(94, ' '));
    EXPECT_EQ(static_cast<uint8_t>(after.back()), 255);
    EXPECT_FALSE(ui.Command2->isVisible());
    Close(form);
}

TEST_F(TagEditing, ATagThatCannotBeWrittenIsReportedAndStaysPendingUntilTheUserMovesOn) {
    const QString folder = MakeFolder("read-only");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Titel", "Artist", "", "", ""));
    WriteMp3(folder + "b.mp3", 4);
    const QByteArray before = ReadFile(folder + "a.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    {
        aurion::test::ReadOnlyFile readOnly((folder + "a.mp3").toStdString());
        ASSERT_TRUE(readOnly.Holds());
        QTest::keyClicks(ui.Text5, "X");
        QTest::mouseClick(ui.Command2, Qt::LeftButton);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].Text, tags::TagNotWritten(folder + "a.mp3"));
        EXPECT_EQ(m_messages[0].Kind, MessageKind::Exclamation);
        EXPECT_TRUE(m_state.TagModified) << "the edit is not lost";
        EXPECT_TRUE(ui.Command2->isVisible());
        EXPECT_EQ(ui.Text5->text(), "ArtistX");

        ui.List1->setCurrentRow(1);  // moving on tries once more and says so
        EXPECT_EQ(m_messages.size(), 2u);
        EXPECT_FALSE(m_state.TagModified);
    }
    EXPECT_EQ(ReadFile(folder + "a.mp3"), before);
    Close(form);
}

TEST_F(TagEditing, TheNameFieldRefusesWhatNoNameHoldsAndEmptiesBelowTwoCharacters) {
    const QString folder = MakeFolder("names");
    WriteMp3(folder + "ab.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_EQ(ui.Text12->text(), "ab");
    EXPECT_FALSE(ui.Command11->isVisible());
    ui.Text12->end(false);
    QTest::keyClicks(ui.Text12, "/.:<\\x!-+'&_ 1");
    EXPECT_EQ(ui.Text12->text(), "abx!-+'&_ 1");
    EXPECT_TRUE(ui.Command11->isVisible());
    EXPECT_FALSE(ui.Image10->isVisible());
    ui.Text12->setText("ab");
    ui.Text12->end(false);
    QTest::keyClick(ui.Text12, Qt::Key_Backspace);
    EXPECT_EQ(ui.Text12->text(), "") << "one character left is none";
    Close(form);
}

TEST_F(TagEditing, ACaseOnlyRenameGoesThroughAndTheNameAlwaysEndsInMp3) {
    const QString folder = MakeFolder("rename");
    WriteMp3(folder + "song.MP3", 4);
    const QByteArray content = ReadFile(folder + "song.MP3");
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return !ui.Text4->text().isEmpty(); })) << "it plays";
    ui.Text12->setText("Song");
    QTest::keyClick(ui.Text12, Qt::Key_Return);
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "stopped before the rename";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Song.mp3"});
    EXPECT_EQ(ReadFile(folder + "Song.mp3"), content);
    EXPECT_EQ(ui.List1->item(0)->text(), "Song.mp3");
    EXPECT_FALSE(ui.Command11->isVisible());
    EXPECT_TRUE(m_state.CurrentFile.isEmpty());
    Close(form);
}

TEST_F(TagEditing, ARenameOntoAnExistingNameChangesNeitherFileButKeepsAPendingTagEdit) {
    const QString folder = MakeFolder("clash");
    WriteMp3(folder + "aa.mp3", 4, TagRecord("Alt", "", "", "", ""));
    WriteMp3(folder + "bb.mp3", 6);
    const QByteArray a = ReadFile(folder + "aa.mp3");
    const QByteArray b = ReadFile(folder + "bb.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ui.Text1->selectAll();
    QTest::keyClicks(ui.Text1, "Neu");
    ui.Text12->setText("bb");
    QTest::mouseClick(ui.Command11, Qt::LeftButton);
    EXPECT_EQ(ReadFile(folder + "bb.mp3"), b);
    const QByteArray aNow = ReadFile(folder + "aa.mp3");
    ASSERT_EQ(aNow.size(), a.size());
    EXPECT_EQ(aNow.left(a.size() - 128), a.left(a.size() - 128));
    EXPECT_EQ(aNow.right(128).mid(3, 30), Blanked("Neu", 30)) << "the edit went to the file";
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_EQ(ui.List1->count(), 2);
    EXPECT_TRUE(ui.Text1->text().isEmpty()) << "the area is reset all the same";
    Close(form);
}

TEST_F(TagEditing, InsertButtonsCopyTheSelectionButAnInsertionAloneIsLostOnMovingOn) {
    const QString folder = MakeFolder("insert");
    WriteMp3(folder + "Band - Lied.mp3", 4, TagRecord("Alt", "Wer", "", "", ""));
    WriteMp3(folder + "other.mp3", 4);
    const QByteArray before = ReadFile(folder + "Band - Lied.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    QTest::mouseClick(ui.Text12, Qt::LeftButton);
    for (QPushButton* button : ui.Command4) EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(ui.Picture3->isVisible());

    QTest::mouseClick(ui.Command4[0], Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1u) << "nothing selected";
    EXPECT_EQ(m_messages[0].Text, tags::NothingSelectedInName);
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Information);
    EXPECT_EQ(ui.Text5->text(), "Wer");
    EXPECT_FALSE(ui.Command4[0]->isVisible());
    EXPECT_TRUE(ui.Picture3->isVisible());

    QTest::mouseClick(ui.Text12, Qt::LeftButton);
    ui.Text12->setSelection(0, 4);
    QTest::mouseClick(ui.Command4[0], Qt::LeftButton);
    EXPECT_EQ(ui.Text5->text(), "Band");
    EXPECT_TRUE(ui.Command2->isVisible());
    EXPECT_FALSE(m_state.TagModified) << "an insertion waits for the commit button";

    ui.List1->setCurrentRow(1);
    EXPECT_EQ(ReadFile(folder + "Band - Lied.mp3"), before);
    Close(form);
}

TEST_F(TagEditing, TheInsertButtonsShowTheirHintsBesideThem) {
    const QString folder = MakeFolder("hints");
    WriteMp3(folder + "name.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    QTest::mouseClick(ui.Text12, Qt::LeftButton);
    auto moveOver = [](QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    moveOver(ui.Command4[1]);
    EXPECT_TRUE(ui.Text13->isVisible());
    EXPECT_EQ(ui.Text13->y(), ui.Command4[1]->y() + 3);
    moveOver(ui.Command4[3]);
    EXPECT_TRUE(ui.Text14->isVisible());
    moveOver(ui.Text1);
    EXPECT_FALSE(ui.Text13->isVisible());
    EXPECT_FALSE(ui.Text14->isVisible());
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
