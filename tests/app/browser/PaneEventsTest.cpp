#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

using PaneEvents = PlayerTest;

TEST_F(PaneEvents, WithBothPanesOnOneFolderF5InOneShowsADeletionInBoth) {
    const QString folder = MakeFolder("same");
    WriteFile(folder + "a.mp3", {});
    WriteFile(folder + "b.mp3", {});
    WriteSettings("[Directories]\nLastDirA=" + folder.toUtf8() + "\nLastDirB=" + folder.toUtf8() +
                  "\n");
    auto form = Start();
    const DeckControls ui(*form);
    ASSERT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "b.mp3"}));
    QFile::remove(folder + "a.mp3");
    QTest::keyClick(ui.List1, Qt::Key_F5);
    EXPECT_EQ(Entries(*ui.List1), QStringList{"b.mp3"});
    EXPECT_EQ(Entries(*ui.List2), QStringList{"b.mp3"});
    Close(form);
}

TEST_F(PaneEvents, GivingOneListTheFocusRereadsTheOtherAndMakesItsPaneActive) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteSettings("[Directories]\nLastDirA=" + left.toUtf8() + "\nLastDirB=" + right.toUtf8() +
                  "\nLastOrdner=2\n");
    auto form = Start();
    const DeckControls ui(*form);
    form->activateWindow();
    QApplication::setActiveWindow(form.get());
    WriteFile(right + "copied.mp3", {});
    EXPECT_TRUE(Entries(*ui.List2).isEmpty());
    ui.List1->setFocus();
    ASSERT_TRUE(WaitFor([&] { return m_state.ActivePane == 1; }, 2000));
    EXPECT_EQ(Entries(*ui.List2), QStringList{"copied.mp3"});
    EXPECT_EQ(ui.List1->palette().color(QPalette::Text), m_state.ActiveListColor);
    EXPECT_EQ(ui.List2->palette().color(QPalette::Text), m_state.InactiveListColor);
    Close(form);
}

TEST_F(PaneEvents, TheRightButtonOnTheInactiveListLeavesTheActivePaneAndOpensItsMenu) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(left + "a.mp3", {});
    WriteFile(right + "b.wav", {});
    WriteSettings("[Directories]\nLastDirA=" + left.toUtf8() + "\nLastDirB=" + right.toUtf8() +
                  "\nLastOrdner=1\n");
    auto form = Start();
    const DeckControls ui(*form);
    // Only in an active window does a click move the focus, which makes a list's pane active.
    form->activateWindow();
    QApplication::setActiveWindow(form.get());
    ui.List1->setFocus();
    ASSERT_TRUE(WaitFor([&] { return m_state.ActivePane == 1 && ui.List1->hasFocus(); }, 2000));

    ClickEntry(*ui.List2, 0, Qt::RightButton);
    EXPECT_TRUE(ui.Verzeichnis->isVisible()) << "the active pane has nothing selected";
    EXPECT_FALSE(ui.Menu->isVisible());
    EXPECT_EQ(m_state.ActivePane, 1);
    EXPECT_TRUE(ui.List2->selectedItems().isEmpty()) << "the right button selects nothing";
    ui.Verzeichnis->close();

    ui.List1->item(0)->setSelected(true);
    ClickEntry(*ui.List2, 0, Qt::RightButton);
    EXPECT_TRUE(ui.Menu->isVisible()) << "the active pane's marked file counts";
    EXPECT_EQ(m_state.ActivePane, 1);
    EXPECT_TRUE(ui.List1->item(0)->isSelected()) << "the active pane's marks stay";
    EXPECT_EQ(m_state.SelectedMp3Count, 1);
    EXPECT_EQ(m_state.SelectedWavCount, 0);
    QStringList items;
    for (const QAction* action : ui.Menu->actions())
        items.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(items, QStringList({"Aktuellen Pfad merken", "Pfad-Liste zeigen", "-",
                                  "ID3-TAG > Dateiname", "Dateiname > ID3-TAG", "-", "Kopieren",
                                  "Umbewegen", "-", "Decodieren", "-", "Löschen", "-",
                                  "Letzte Stapelaktion rückgängig\tStrg+Z"}));
    ui.Menu->close();

    ClickEntry(*ui.List2, 0);
    EXPECT_EQ(m_state.ActivePane, 2) << "the left button makes the list's pane active";
    Close(form);
}

TEST_F(PaneEvents, AfterContinuousPlayHasEndedAClickLoadsTheEntryAndTheNameFieldRenamesExactlyIt) {
    const QString folder = MakeFolder("album");
    const QStringList names{"01 - Alpha - Eins", "02 - Beta - Zwei", "03 - Gamma - Drei",
                            "04 - Delta - Vier"};
    for (const QString& name : names)
        WriteMp3(folder + name + ".mp3", 4,
                 TagRecord(name.section(" - ", 2).toUtf8(), "", "", "", ""));
    const QByteArray first = ReadFile(folder + names[0] + ".mp3");
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ClickEntry(*ui.List1, 2);
    ASSERT_TRUE(WaitFor([&] {
        return m_state.PlayerThreadEnded && m_state.CurrentFile == folder + names[3] + ".mp3";
    })) << "played to the folder's end";

    ClickEntry(*ui.List1, 0);
    EXPECT_EQ(m_state.CurrentFile, folder + names[0] + ".mp3");
    EXPECT_EQ(ui.Text7->text(), m_state.CurrentFile);
    EXPECT_EQ(ui.Text12->text(), names[0]);
    EXPECT_EQ(ui.Text1->text(), "Eins");
    EXPECT_FALSE(m_state.PlayerThreadEnded) << "click-to-play plays it";

    ui.Text12->end(false);
    QTest::keyClicks(ui.Text12, " X");
    QTest::keyClick(ui.Text12, Qt::Key_Return);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              QStringList(
                  {names[0] + " X.mp3", names[1] + ".mp3", names[2] + ".mp3", names[3] + ".mp3"}));
    EXPECT_EQ(ReadFile(folder + names[0] + " X.mp3"), first);
    Close(form);
}

TEST_F(PaneEvents, AClickOnTheHighlightedEntryLoadsItAgain) {
    const QString folder = MakeFolder("again");
    WriteMp3(folder + "a.mp3", 4);
    WriteMp3(folder + "b.mp3", 4);
    auto form = StartIn(folder, true, false);
    const DeckControls ui(*form);
    ClickEntry(*ui.List1, 0);
    ASSERT_TRUE(WaitFor([&] { return m_state.PlayerThreadEnded && m_audio.CapturedBytes() > 0; }));
    const uintmax_t heard = m_audio.CapturedBytes();
    ui.Text12->setText("typed");

    ClickEntry(*ui.List1, 0);
    EXPECT_EQ(ui.Text12->text(), "a");
    EXPECT_FALSE(m_state.PlayerThreadEnded) << "click-to-play plays it again";
    ASSERT_TRUE(
        WaitFor([&] { return m_state.PlayerThreadEnded && m_audio.CapturedBytes() > heard; }));
    Close(form);
}

TEST_F(PaneEvents, PlusSelectsEveryEntryAndMinusRereadsTheList) {
    const QString folder = MakeFolder("keys");
    for (const char* name : {"a.mp3", "b.MP3", "c.wav"}) WriteFile(folder + name, {});
    WriteFile(folder + "notes.txt", {});
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ASSERT_EQ(Entries(*ui.List1), QStringList({"a.mp3", "b.MP3", "c.wav"}));
    QTest::keyClick(ui.List1, '+');
    EXPECT_EQ(ui.List1->selectedItems().size(), 3);
    QTest::keyClick(ui.List1, '-');
    EXPECT_TRUE(ui.List1->selectedItems().isEmpty());
    EXPECT_EQ(ui.List1->count(), 3);
    Close(form);
}

TEST_F(PaneEvents, MovingThroughTheListWithTheKeysShowsEachFileInTurn) {
    const QString folder = MakeFolder("walk");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Erster", "Artist A", "Album", "1999", "eins"));
    WriteMp3(folder + "b.mp3", 4, TagRecord(QByteArray("Zwei\0xx", 7), "Artist B", "", "7", ""));
    WriteMp3(folder + "c.mp3", 4);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    EXPECT_EQ(ui.Text1->text(), "Erster");
    EXPECT_EQ(ui.Text5->text(), "Artist A");
    EXPECT_EQ(ui.Text2->text(), "Album");
    EXPECT_EQ(ui.Text6->text(), "1999");
    EXPECT_EQ(ui.Text8->text(), "eins");
    EXPECT_TRUE(ui.Text5->isEnabled() && ui.Text6->isEnabled() && ui.Text9->isEnabled());

    QTest::keyClick(ui.List1, Qt::Key_Down);
    EXPECT_EQ(m_state.CurrentFile, folder + "b.mp3");
    EXPECT_EQ(ui.Text1->text(), "Zwei") << "cut at the first NUL";
    EXPECT_EQ(ui.Text6->text(), "") << "a one-character year is not shown";
    EXPECT_EQ(ui.Text8->text(), "");

    QTest::keyClick(ui.List1, Qt::Key_End);
    EXPECT_EQ(m_state.CurrentFile, folder + "c.mp3");
    EXPECT_EQ(m_state.CurrentIndex, 2);
    for (QLineEdit* field : {ui.Text1, ui.Text2, ui.Text5, ui.Text6, ui.Text8})
        EXPECT_TRUE(field->text().isEmpty()) << "a file without a tag leaves the fields empty";
    EXPECT_TRUE(ui.Text5->isEnabled()) << "enabled fields stay enabled";
    Close(form);
}

TEST_F(PaneEvents, AClickOnAWavEntryStopsPlaybackAndLoadsNothing) {
    const QString folder = MakeFolder("wav");
    WriteMp3(folder + "a.mp3", 120);
    WriteFile(folder + "b.wav", QByteArray(100, '\0'));
    auto form = StartIn(folder, true);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(WaitFor([&] { return !ui.Text4->text().isEmpty(); }));
    ui.Text12->setText("kept?");
    ui.List1->setCurrentRow(1);
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "the click waited for the player";
    EXPECT_TRUE(m_state.CurrentFile.isEmpty());
    for (QLineEdit* field : {ui.Text1, ui.Text3, ui.Text4, ui.Text7, ui.Text9, ui.Text12})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    const uintmax_t heard = m_audio.CapturedBytes();
    EXPECT_LT(heard, 120u * 1152 * 4);
    Settle();
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "nothing started after the stop";
    EXPECT_EQ(m_audio.CapturedBytes(), heard);
    Close(form);
}

TEST_F(PaneEvents, AFolderChangeInTheActivePaneResetsTheTagAreaAndListsTheNewFolder) {
    const QString folder = MakeFolder("top");
    QDir().mkpath(folder + "sub");
    WriteFile(folder + "sub/inner.mp3", {});
    WriteMp3(folder + "outer.mp3", 4, TagRecord("Titel", "Artist", "", "", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_EQ(ui.Text1->text(), "Titel");
    QTreeWidgetItem* sub = ui.Dir1->findItems("sub", Qt::MatchRecursive).value(0);
    ASSERT_NE(sub, nullptr);
    emit ui.Dir1->itemActivated(sub, 0);
    ASSERT_TRUE(WaitFor([&] { return m_state.PathA == folder + "sub/"; }, 2000));
    EXPECT_EQ(Entries(*ui.List1), QStringList{"inner.mp3"});
    EXPECT_EQ(ui.Dir1->Path(), folder + "sub/");
    EXPECT_TRUE(m_state.CurrentFile.isEmpty());
    EXPECT_TRUE(ui.Text1->text().isEmpty());
    EXPECT_TRUE(ui.Text7->text().isEmpty());
    Close(form);
}

TEST_F(PaneEvents, ADriveThatCannotBeReadIsReportedAndThePaneStaysWhereItWas) {
    const QString folder = MakeFolder("here");
    WriteFile(folder + "a.mp3", {});
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    const int before = ui.Drive1->currentIndex();
    const QString gone = MakeFolder("unplugged");
    QDir(gone).removeRecursively();
    ui.Drive1->SetDrive(gone);
    emit ui.Drive1->activated(ui.Drive1->currentIndex());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].Text.contains(gone));
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Exclamation);
    EXPECT_EQ(ui.Drive1->currentIndex(), before);
    EXPECT_EQ(m_state.PathA, folder);
    EXPECT_EQ(ui.Dir1->Path(), folder);
    EXPECT_EQ(Entries(*ui.List1), QStringList{"a.mp3"});
    Close(form);
}

TEST_F(PaneEvents, TheMouseOverTheListsHidesTheInsertHintAndOverTheBackgroundBoth) {
    const QString folder = MakeFolder("hints");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    auto moveOver = [](QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    auto showBoth = [&] {
        ui.Text13->show();
        ui.Text14->show();
    };
    showBoth();
    moveOver(ui.Dir1->viewport());
    EXPECT_TRUE(ui.Text13->isVisible() && ui.Text14->isVisible()) << "the left tree";
    for (QListWidget* list : {ui.List1, ui.List2}) {
        showBoth();
        moveOver(list->viewport());
        EXPECT_FALSE(ui.Text13->isVisible());
        EXPECT_TRUE(ui.Text14->isVisible());
    }
    for (QWidget* widget : {ui.Dir2->viewport(), form->centralWidget()}) {
        showBoth();
        moveOver(widget);
        EXPECT_FALSE(ui.Text13->isVisible());
        EXPECT_FALSE(ui.Text14->isVisible());
    }
    Close(form);
}

TEST_F(PaneEvents, ADoubleClickAndTheDeleteKeysServeTheirContextMenuItems) {
    const QString folder = MakeFolder("items");
    WriteFile(folder + "a.mp3", {});
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    auto item = [&ui](const char* text) {
        for (QAction* action : ui.Menu->actions())
            if (action->text() == QString::fromUtf8(text)) return action;
        return static_cast<QAction*>(nullptr);
    };
    int namesFromTags = 0;
    int deletes = 0;
    QObject::connect(item("ID3-TAG > Dateiname"), &QAction::triggered, [&] { ++namesFromTags; });
    QObject::connect(item("Löschen"), &QAction::triggered, [&] { ++deletes; });
    const QPoint onEntry = ui.List1->visualItemRect(ui.List1->item(0)).center();
    QTest::mouseClick(ui.List1->viewport(), Qt::LeftButton, {}, onEntry);
    QTest::mouseDClick(ui.List1->viewport(), Qt::LeftButton, {}, onEntry);
    EXPECT_EQ(namesFromTags, 1);
    QTest::keyClick(ui.List1, Qt::Key_Delete);
    EXPECT_EQ(deletes, 1);
    QTest::keyClick(ui.List1, Qt::Key_Backspace);
    EXPECT_EQ(deletes, 2);
    EXPECT_EQ(namesFromTags, 1);
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
