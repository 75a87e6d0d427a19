#include <QDir>
#include <QFile>
#include <QTest>

#include "app/names/NamesFromTags.h"
#include "app/names/TagsFromNames.h"
#include "tests/app/names/TagToolsTestSupport.h"

namespace trackdeck::test {
namespace {

using NamesFromTags = TagToolsTest;

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

TEST_F(NamesFromTags, OneTaggedFileGetsTheNameBuiltFromItsTagAndEnterDoesNothing) {
    const QString folder = MakeFolder("one");
    WriteMp3(folder + "track.mp3", 4, TagRecord("Titel", "Interpret", "", "", ""));
    const QByteArray content = ReadFile(folder + "track.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::Rename* window = OpenNamesFromTags(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(form->isEnabled()) << "the main window waits for the rename window";
    EXPECT_EQ(window->Label2->text(), "Dateiname ändern");
    EXPECT_EQ(window->Label1->text(), ".mp3");
    EXPECT_EQ(window->Text1->text(), "Interpret - Titel");
    EXPECT_EQ(window->Text2->text(), "track");
    EXPECT_TRUE(window->Option2->isChecked());

    QTest::keyClick(window->Text1, Qt::Key_Return);
    QTest::keyClicks(window->Text1, "/\\*");
    EXPECT_EQ(window->Text1->text(), "Interpret - Titel") << "filtered keys";
    EXPECT_NE(form->NamesFromTagSet().Window(), nullptr) << "Enter applies nothing";
    Picture(*window, "rename-one-file.png");

    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(form->NamesFromTagSet().Window(), nullptr);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(Entries(folder), QStringList{"Interpret - Titel.mp3"});
    EXPECT_EQ(ReadFile(folder + "Interpret - Titel.mp3"), content);
    EXPECT_EQ(ui.List1->item(0)->text(), "Interpret - Titel.mp3") << "the pane was re-read";
    Close(form);
}

TEST_F(NamesFromTags, ATypedNameThatIsTakenIsSaidAndOneThatDiffersOnlyInCaseRenamesNothing) {
    const QString folder = MakeFolder("taken");
    WriteMp3(folder + "a.mp3", 4, TagRecord("T", "A", "", "", ""));
    WriteFile(folder + "b.mp3", "other");
    const QByteArray a = ReadFile(folder + "a.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);

    names::Rename* window = OpenNamesFromTags(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->Option1, Qt::LeftButton);
    EXPECT_EQ(window->Text1->text(), "a") << "typing starts from the present name";
    EXPECT_TRUE(window->Picture2->isHidden());
    window->Text1->setText("b");
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(ReadFile(folder + "a.mp3"), a);
    EXPECT_EQ(ReadFile(folder + "b.mp3"), "other");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              "Die Datei a.mp3 konnte nicht in b.mp3 umbenannt werden.\nGrund: Datei existiert "
              "bereits");

    window = OpenNamesFromTags(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->Option1, Qt::LeftButton);
    window->Text1->setText("A");
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(Entries(folder), (QStringList{"a.mp3", "b.mp3"}));
    EXPECT_EQ(m_messages.size(), 1u) << "a skipped rename is no failure";
    Close(form);
}

TEST_F(NamesFromTags, SeveralFilesAreNamedByTheirTagsAndListPositions) {
    const QString folder = MakeFolder("many");
    WriteMp3(folder + "x1.mp3", 4, TagRecord("T", "A", "", "", ""));
    WriteMp3(folder + "x2.mp3", 4, TagRecord("T", "A", "", "", ""));
    WriteMp3(folder + "x3.mp3", 4, TagRecord("T.N.T?:", "AC/DC", "", "", ""));
    WriteMp3(folder + "x4.mp3", 4);
    const QByteArray third = ReadFile(folder + "x3.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::Rename* window = OpenNamesFromTags(*form, ui, {0, 1, 2, 3});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label2->text(), "Dateinamen ändern");
    EXPECT_EQ(window->Option2->text(), "Namen aus ID3-TAGs holen");
    EXPECT_EQ(window->Text1->text(), "Interpret - Titel");
    QTest::mouseClick(window->Command3, Qt::LeftButton);  // "Neu"
    for (QCheckBox* box : {window->Checks[3], window->Checks[0], window->Checks[1]})
        QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(window->Text1->text(), "Nr - Interpret - Titel");
    Picture(*window, "rename-several-files.png");
    QTest::mouseClick(window->Command1, Qt::LeftButton);

    EXPECT_EQ(Entries(folder),
              (QStringList{"01 - A - T.mp3", "02 - A - T.mp3", "03 - ACDC - T.N.T.mp3", "x4.mp3"}))
        << "no sub-folder from the slash; the file without a tag keeps its name";
    EXPECT_EQ(ReadFile(folder + "03 - ACDC - T.N.T.mp3"), third);
    Close(form);
}

TEST_F(NamesFromTags, TwoFilesOfOneBuiltNameRenameOnlyTheFirst) {
    const QString folder = MakeFolder("same");
    WriteMp3(folder + "x1.mp3", 4, TagRecord("T", "A", "", "", "first"));
    WriteMp3(folder + "x2.mp3", 4, TagRecord("T", "A", "", "", "second"));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::Rename* window = OpenNamesFromTags(*form, ui, {0, 1});
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(Entries(folder), (QStringList{"A - T.mp3", "x2.mp3"}));
    EXPECT_EQ(CommentOf(folder + "A - T.mp3"), "first");
    EXPECT_EQ(CommentOf(folder + "x2.mp3"), "second");
    Close(form);
}

TEST_F(NamesFromTags, MarkedWavFilesAreRenamedOnlyAloneAndByTypedName) {
    const QString folder = MakeFolder("wav");
    WriteMp3(folder + "a.mp3", 4);
    WriteFile(folder + "b.wav", "RIFF b");
    WriteFile(folder + "c.wav", "RIFF c");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);

    Mark(ui.List1, {0, 1});
    QTest::mouseClick(ui.Command9, Qt::LeftButton);
    EXPECT_EQ(form->NamesFromTagSet().Window(), nullptr);
    Mark(ui.List1, {1, 2});
    QTest::mouseClick(ui.Command9, Qt::LeftButton);
    EXPECT_EQ(form->NamesFromTagSet().Window(), nullptr);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].Text,
              "MP3-Dateien und WAV-Dateien können nicht gemeinsam umbenannt werden...   ");
    EXPECT_EQ(m_messages[1].Text, "WAV-Dateien können nur einzeln umbenannt werden...   ");
    EXPECT_EQ(m_messages[1].Kind, MessageKind::Information);

    names::Rename* window = OpenNamesFromTags(*form, ui, {1});
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(m_messages.size(), 3u);
    EXPECT_EQ(m_messages[2].Text, "Kein TAG vorhanden...   ");
    EXPECT_EQ(m_messages[2].Kind, MessageKind::Exclamation);
    EXPECT_TRUE(window->Option1->isChecked());
    EXPECT_EQ(window->Label1->text(), ".wav");
    EXPECT_EQ(window->Text1->text(), "b");
    window->Text1->setText("neu");
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(Entries(folder), (QStringList{"a.mp3", "c.wav", "neu.wav"}));
    EXPECT_EQ(ReadFile(folder + "neu.wav"), "RIFF b");
    Close(form);
}

TEST_F(NamesFromTags, WithAWavEntryCurrentAndOneMp3MarkedNoOneFileToolTouchesTheWavFile) {
    const QString folder = MakeFolder("wav-current");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Titel", "Band", "", "", ""));
    WriteFile(folder + "c.wav", "RIFF c");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    // The mark on a.mp3, the list's current entry (the focus) on c.wav, as Ctrl and the keys leave it.
    auto markAWithTheFocusOnC = [&] {
        Mark(ui.List1, {0});
        ui.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        ASSERT_TRUE(ui.List1->item(0)->isSelected() && !ui.List1->item(1)->isSelected());
    };

    markAWithTheFocusOnC();
    QTest::mouseClick(ui.Command3, Qt::LeftButton);  // "Dateiname > TAG"
    names::FileNameTAG* tagWindow = form->TagsFromNameSet().Window();
    ASSERT_NE(tagWindow, nullptr);
    EXPECT_EQ(ui.Text5->text(), "a") << "the preview is of the marked file";
    QTest::mouseClick(tagWindow->Command1, Qt::LeftButton);
    EXPECT_EQ(ReadFile(folder + "c.wav"), "RIFF c");
    EXPECT_EQ(TagOf(folder + "a.mp3").Artist(), "a");

    markAWithTheFocusOnC();
    QTest::mouseClick(ui.Command9, Qt::LeftButton);  // "TAG > Dateiname"
    names::Rename* window = form->NamesFromTagSet().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label1->text(), ".mp3");
    QTest::mouseClick(window->Option1, Qt::LeftButton);  // "Normal"
    EXPECT_EQ(window->Text1->text(), "a");
    window->Text1->setText("renamed");
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"c.wav", "renamed.mp3"}));

    ui.List1->setCurrentRow(1);  // shows renamed.mp3 in the area
    ASSERT_EQ(ui.Text12->text(), "renamed");
    ui.List1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    ui.Text12->setText("again");
    QTest::keyClick(ui.Text12, Qt::Key_Return);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"again.mp3", "c.wav"}));
    EXPECT_EQ(ReadFile(folder + "c.wav"), "RIFF c");
    Close(form);
}

TEST_F(NamesFromTags, APendingTagEditIsWrittenBeforeTheFileIsRenamed) {
    const QString folder = MakeFolder("pending");
    WriteMp3(folder + "track.mp3", 4, TagRecord("Alt", "Band", "", "", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0});
    ui.Text1->selectAll();
    QTest::keyClicks(ui.Text1, "Neu");
    ASSERT_TRUE(m_state.TagModified);
    QTest::mouseClick(ui.Command9, Qt::LeftButton);
    names::Rename* window = form->NamesFromTagSet().Window();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    const QStringList files = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_NE(files[0], "track.mp3");
    EXPECT_EQ(TagOf(folder + files[0]).Title(), "Neu");
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_TRUE(m_messages.empty());
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
