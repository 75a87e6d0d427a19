#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include "app/names/TagsFromNames.h"
#include "tests/app/names/TagToolsTestSupport.h"

namespace trackdeck::test {
namespace {

using TagsFromNames = TagToolsTest;

TEST_F(TagsFromNames, OneFileIsPreviewedInTheMainWindowAndWrittenWithItsOwnOtherFields) {
    const QString folder = MakeFolder("one");
    const QString path = folder + "01 - Interpret - Titel.mp3";
    WriteMp3(path, 4, TagRecord("alt", "wer", "Album X", "1999", "Notiz"));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::FileNameTAG* window = OpenTagsFromNames(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Label2->text(), "ID3-TAG aus Dateiname übernehmen:");
    EXPECT_EQ(window->Text2->text(), "Interpret - Titel");
    EXPECT_EQ(ui.Text5->text(), "01") << "the default pattern names the number part artist";
    EXPECT_EQ(ui.Text1->text(), "Interpret");

    QTest::mouseClick(window->Command3, Qt::LeftButton);  // "Neu"
    EXPECT_EQ(window->ErkennListe->count(), 0);
    EXPECT_TRUE(ui.Text5->text().isEmpty());
    for (QCheckBox* box : {window->Checks[3], window->Checks[0], window->Checks[1]})
        QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(window->Text2->text(), "Nr - Interpret - Titel");
    EXPECT_EQ(ui.Text5->text(), "Interpret");
    EXPECT_EQ(ui.Text1->text(), "Titel");
    EXPECT_EQ(ui.Text2->text(), "Album X");
    EXPECT_EQ(ui.Text6->text(), "1999");
    EXPECT_EQ(ui.Text8->text(), "Notiz");
    EXPECT_FALSE(m_state.TagModified) << "a preview is no edit";
    Picture(*window, "filenametag.png");

    QTest::mouseClick(window->Command1, Qt::LeftButton);  // "Übernehmen"
    EXPECT_EQ(form->TagsFromNameSet().Window(), nullptr);
    const tags::MP3TagEditor tag = TagOf(path);
    EXPECT_EQ(tag.Artist(), "Interpret");
    EXPECT_EQ(tag.Title(), "Titel");
    EXPECT_EQ(tag.Album(), "Album X");
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Comment(), "Notiz");
    EXPECT_EQ(tag.GenreNumber(), 12) << "the genre byte is kept";
    Close(form);
}

TEST_F(TagsFromNames, AnEditPendingInTheFieldsIsWrittenBeforeThePreviewFillsThem) {
    const QString folder = MakeFolder("pending");
    const QString path = folder + "Band - Lied.mp3";
    WriteMp3(path, 4, TagRecord("alt", "wer", "", "", "alt"));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0});
    ui.Text8->selectAll();
    QTest::keyClicks(ui.Text8, "neu");
    ASSERT_TRUE(m_state.TagModified);
    QTest::mouseClick(ui.Command3, Qt::LeftButton);
    names::FileNameTAG* window = form->TagsFromNameSet().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_EQ(ui.Text8->text(), "neu") << "the preview starts from the written edit";
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    const tags::MP3TagEditor tag = TagOf(path);
    EXPECT_EQ(tag.Artist(), "Band");
    EXPECT_EQ(tag.Comment(), "neu");
    Close(form);
}

TEST_F(TagsFromNames, SeparatorAndChecksRebuildThePatternAndAFifthCheckAddsNothing) {
    const QString folder = MakeFolder("checks");
    WriteMp3(folder + "A_B_C_D_E.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::FileNameTAG* window = OpenTagsFromNames(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    window->Text1->setText("_");
    EXPECT_EQ(window->Text2->text(), "Interpret_Titel");
    EXPECT_EQ(ui.Text5->text(), "A");
    EXPECT_EQ(ui.Text1->text(), "B");
    QTest::mouseClick(window->Checks[2], Qt::LeftButton);
    QTest::mouseClick(window->Checks[3], Qt::LeftButton);
    EXPECT_EQ(window->Text2->text(), "Interpret_Titel_Album_Nr");
    EXPECT_EQ(ui.Text2->text(), "C");

    QTest::mouseClick(window->Checks[1], Qt::LeftButton);  // unchecks "Titel": it stays
    QTest::mouseClick(window->Checks[1], Qt::LeftButton);  // a fifth entry: nothing
    EXPECT_EQ(window->ErkennListe->count(), 4);
    EXPECT_EQ(window->Text2->text(), "Interpret_Titel_Album_Nr");

    window->Text1->clear();
    EXPECT_TRUE(ui.Text5->text().isEmpty()) << "an empty separator empties every field";
    EXPECT_TRUE(ui.Text1->text().isEmpty());

    // The frameless window moves with the mouse held on its background.
    const QPoint before = window->pos();
    const QPoint grip(4, 4);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                     QPointF(window->mapToGlobal(grip + QPoint(30, 20))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drag);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
    EXPECT_EQ(window->pos(), before + QPoint(30, 20));
    Close(form);
}

TEST_F(TagsFromNames, CancelWithOneFileRestoresTheFieldsFromTheTag) {
    const QString folder = MakeFolder("cancel");
    const QString path = folder + "X - Y.mp3";
    WriteMp3(path, 4, TagRecord("Titel", "Interpret", "Album", "2001", "Kommentar"));
    const QByteArray before = ReadFile(path);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::FileNameTAG* window = OpenTagsFromNames(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui.Text5->text(), "X");
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_EQ(ui.Text5->text(), "Interpret");
    EXPECT_EQ(ui.Text1->text(), "Titel");
    EXPECT_EQ(ui.Text6->text(), "2001");
    EXPECT_EQ(m_state.CurrentFile, path);
    EXPECT_EQ(ReadFile(path), before);
    Close(form);
}

TEST_F(TagsFromNames, SeveralFilesEachGetTheirOwnNameCutToTheFieldSizes) {
    const QString folder = MakeFolder("many");
    const QString longTitle = QString(40, 'T');
    WriteMp3(folder + "01 - Eins - Erster.mp3", 4, TagRecord("", "", "", "1980", "eigen 1"));
    WriteMp3(folder + "02 - Zwei - " + longTitle + ".mp3", 4);
    WriteMp3(folder + "03 - Drei.mp3", 4, TagRecord("alt", "alt", "Platte", "", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::FileNameTAG* window = OpenTagsFromNames(*form, ui, {0, 1, 2});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label2->text(), "ID3-TAGs aus Dateinamen übernehmen: (z.B.)");
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    for (QCheckBox* box : {window->Checks[3], window->Checks[0], window->Checks[1]})
        QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(window->Command1, Qt::LeftButton);

    const tags::MP3TagEditor first = TagOf(folder + "01 - Eins - Erster.mp3");
    EXPECT_EQ(first.Artist(), "Eins");
    EXPECT_EQ(first.Title(), "Erster");
    EXPECT_EQ(first.Year(), "1980");
    EXPECT_EQ(first.Comment(), "eigen 1");
    const QString second = folder + "02 - Zwei - " + longTitle + ".mp3";
    EXPECT_EQ(TagOf(second).Title(), longTitle.left(30));
    EXPECT_EQ(TagOf(second).GenreNumber(), 255) << "a new tag";
    EXPECT_EQ(QFile(second).size(), ReadFile(folder + "01 - Eins - Erster.mp3").size());
    const tags::MP3TagEditor third = TagOf(folder + "03 - Drei.mp3");
    EXPECT_EQ(third.Artist(), "Drei");
    EXPECT_EQ(third.Title(), "") << "no part left for the title";
    EXPECT_EQ(third.Album(), "Platte");
    Close(form);
}

TEST_F(TagsFromNames, NamesTheCodePageCannotHoldAreSaidOnceBeforeAnyTagIsWritten) {
    const QString folder = MakeFolder("cyrillic");
    const QString russian = QString::fromUtf8("01 - Кино - Группа крови.mp3");
    WriteMp3(folder + "00 - Eins - Erster.mp3", 4, TagRecord("alt", "alt", "", "", ""));
    WriteMp3(folder + russian, 4, TagRecord("alt", "alt", "", "", ""));
    const QByteArray before = ReadFile(folder + russian);
    const QByteArray otherBefore = ReadFile(folder + "00 - Eins - Erster.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::FileNameTAG* window = OpenTagsFromNames(*form, ui, {0, 1});
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    for (QCheckBox* box : {window->Checks[3], window->Checks[0], window->Checks[1]})
        QTest::mouseClick(box, Qt::LeftButton);

    m_answers = {Answer::No};
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_TRUE(m_messages[0].Text.contains(QString::fromUtf8("in 1 der neuen TAGs")))
        << m_messages[0].Text.toStdString();
    EXPECT_TRUE(m_messages[0].Text.contains(QString::fromUtf8("„К“ (U+041A) im Feld „Interpret“")));
    EXPECT_TRUE(m_messages[0].Text.contains(russian));
    EXPECT_EQ(ReadFile(folder + "00 - Eins - Erster.mp3"), otherBefore) << "nothing written";
    EXPECT_EQ(ReadFile(folder + russian), before);
    ASSERT_EQ(form->TagsFromNameSet().Window(), window) << "the window stays open";

    m_answers = {Answer::Yes};
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(TagOf(folder + "00 - Eins - Erster.mp3").Artist(), "Eins");
    EXPECT_EQ(TagOf(folder + russian).Title(), "?????? ?????");
    Close(form);
}

TEST_F(TagsFromNames, AMarkedWavFileStopsTheCommandBeforeAnyWindowOpens) {
    const QString folder = MakeFolder("wav");
    WriteMp3(folder + "a.mp3", 4);
    WriteFile(folder + "b.wav", "RIFF");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0, 1});
    QTest::mouseClick(ui.Command3, Qt::LeftButton);
    EXPECT_EQ(form->TagsFromNameSet().Window(), nullptr);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text,
              "WAV-Dateien können für diese Funktion nicht ausgewählt werden...   ");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Information);
    EXPECT_EQ(ReadFile(folder + "b.wav"), "RIFF");
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
