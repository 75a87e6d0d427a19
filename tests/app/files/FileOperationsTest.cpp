#include <QAction>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QTest>
#include <cstdlib>

#include "app/files/FileOperations.h"
#include "tests/app/PaneTestSupport.h"

namespace trackdeck::test {
namespace {

QAction* MenuItem(frmDeck& form, const QString& text) {
    const DeckControls ui(form);
    for (QAction* action : ui.Menu->actions())
        if (action->text() == text) return action;
    return nullptr;
}

using FileOperations = PaneTest;

TEST_F(FileOperations, CopyAsksNamingTheCurrentEntryOrTheMarkedFilesAndReplacesAnExistingFile) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(left + "a.mp3", "new a");
    WriteFile(left + "b.mp3", "new b");
    WriteFile(right + "a.mp3", "old a");
    auto form = StartWith(left, right, 1);
    const DeckControls ui(*form);
    Activate(*form, 1);
    Mark(*ui.List1, {"a.mp3"});

    m_answers = {Answer::No};
    ui.Command5->click();
    EXPECT_EQ(MessageTexts(), QStringList{"a.mp3 nach " + right + " kopieren ?"});
    EXPECT_EQ(m_messages.back().Kind, MessageKind::Exclamation);
    EXPECT_EQ(ReadFile(right + "a.mp3"), "old a") << "No copies nothing";

    m_messages.clear();
    Mark(*ui.List1, {"b.mp3", "a.mp3"});
    m_answers = {Answer::Yes};
    ui.Command5->click();
    EXPECT_EQ(MessageTexts(), QStringList{"Markierte Dateien nach " + right + " kopieren ?"});
    EXPECT_EQ(ReadFile(right + "a.mp3"), "new a");
    EXPECT_EQ(ReadFile(right + "b.mp3"), "new b");
    EXPECT_EQ(ReadFile(left + "a.mp3"), "new a");
    EXPECT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "b.mp3"}));
    EXPECT_EQ(FolderContents(right), QStringList({"a.mp3", "b.mp3"}));
    EXPECT_TRUE(ui.Command1->hasFocus()) << "the focus left the lists";
    Close(form);
}

TEST_F(FileOperations, AMoveLeavesAFileWhoseNameIsTakenAndMovesTheOthersShowingBothPanes) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    for (const char* name : {"a.mp3", "b.mp3", "c.wav"}) WriteFile(left + name, name);
    WriteFile(right + "b.mp3", "other b");
    QFile(left + "c.wav").setPermissions(QFile::ReadOwner);
    auto form = StartWith(left, right, 1, {.Move = false});
    const DeckControls ui(*form);
    Mark(*ui.List1, {"a.mp3", "b.mp3", "c.wav"});
    MenuItem(*form, "Umbewegen")->trigger();
    EXPECT_TRUE(m_messages.empty()) << "no question with the confirmation off";
    EXPECT_EQ(ReadFile(left + "b.mp3"), "b.mp3");
    EXPECT_EQ(ReadFile(right + "b.mp3"), "other b");
    EXPECT_EQ(ReadFile(right + "a.mp3"), "a.mp3");
    EXPECT_EQ(ReadFile(right + "c.wav"), "c.wav") << "a read-only file moves too";
    EXPECT_EQ(Entries(*ui.List1), QStringList{"b.mp3"});
    EXPECT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "b.mp3", "c.wav"}));
    EXPECT_TRUE(m_state.CurrentFile.isEmpty());
    Close(form);
}

TEST_F(FileOperations, AMoveToAnotherFileSystemGoesByCopyAndAFailedCopyKeepsTheSource) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(left + "a.mp3", "whole a");
    WriteFile(left + "b.mp3", "whole b");
    auto form = StartWith(left, right, 1, {.Move = false});
    const DeckControls ui(*form);
    files::MoveSteps steps;
    steps.Rename = [](const QString&, const QString&) { return RenameResult::OtherFileSystem; };
    steps.Copy = [](const QString& from, const QString& to) {
        if (from.endsWith("b.mp3")) {
            QFile part(to);  // stops half-way, as on a full disk
            (void)part.open(QIODevice::WriteOnly);
            part.write("who");
            return files::CopyResult::Copied;
        }
        return files::CopyFileNoReplace(from, to);
    };
    form->FileOperationSet().SetMoveSteps(steps);
    Mark(*ui.List1, {"a.mp3", "b.mp3"});
    ui.Command6->click();
    EXPECT_EQ(ReadFile(right + "a.mp3"), "whole a");
    EXPECT_FALSE(QFile::exists(left + "a.mp3"));
    EXPECT_EQ(ReadFile(left + "b.mp3"), "whole b");
    EXPECT_EQ(FolderContents(right), QStringList{"a.mp3"}) << "the short copy is gone";
    EXPECT_EQ(Entries(*ui.List1), QStringList{"b.mp3"});
    EXPECT_EQ(Entries(*ui.List2), QStringList{"a.mp3"});
    Close(form);
}

TEST_F(FileOperations, CopyAndMoveOntoTheSameFolderSayWhyWithConfirmationAndDoNothingWithout) {
    const QString folder = MakeFolder("music");
    const QString other = MakeFolder("Music");  // another folder on a case-sensitive disk
    QFile::link(folder.chopped(1), MakeFolder("links") + "same");
    const QString linked = MakeFolder("links") + "same/";
    WriteFile(folder + "a.mp3", "a");
    auto form = StartWith(folder, linked, 1);
    DeckControls ui(*form);
    Mark(*ui.List1, {"a.mp3"});
    ui.Command5->click();
    ui.Command6->click();
    EXPECT_EQ(MessageTexts(), QStringList({"Dateien können nicht auf sich selbst kopiert "
                                           "werden...   ",
                                           "Quell- und Zielpfad sind gleich...   "}));
    EXPECT_EQ(FolderContents(folder), QStringList{"a.mp3"});
    Close(form);

    m_messages.clear();
    form = StartWith(folder, folder, 1, {.Copy = false, .Move = false});
    ui = DeckControls(*form);
    Mark(*ui.List1, {"a.mp3"});
    ui.Command5->click();
    ui.Command6->click();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(FolderContents(folder), QStringList{"a.mp3"});
    Close(form);

    form = StartWith(folder, other, 1, {.Copy = false});
    ui = DeckControls(*form);
    Mark(*ui.List1, {"a.mp3"});
    ui.Command5->click();
    EXPECT_EQ(FolderContents(other), QStringList{"a.mp3"})
        << "letters alone do not make one folder";
    Close(form);
}

TEST_F(FileOperations, DeleteAsksThenGoesToTheTrashAndBothPanesOnTheFolderShowIt) {
    const QString folder = MakeFolder("same");
    const QString data = MakeFolder("data");
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.toUtf8());
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) WriteFile(folder + name, name);
    QFile(folder + "b.mp3").setPermissions(QFile::ReadOwner);
    auto form = StartWith(folder, folder, 1);
    DeckControls ui(*form);
    Activate(*form, 1);
    Mark(*ui.List1, {"b.mp3"});
    m_answers = {Answer::No};
    QTest::keyClick(ui.List1, Qt::Key_Delete);
    EXPECT_EQ(MessageTexts(), QStringList{"b.mp3 löschen ?"});
    EXPECT_TRUE(QFile::exists(folder + "b.mp3"));

    // The focus comes first: with both panes on one folder it re-reads both lists.
    Activate(*form, 1);
    Mark(*ui.List1, {"b.mp3"});
    m_answers = {Answer::Yes};
    QTest::keyClick(ui.List1, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(folder + "b.mp3")) << "a read-only file goes too";
    EXPECT_EQ(ReadFile(data + "Trash/files/b.mp3"), "b.mp3") << "it can be had back";
    EXPECT_EQ(Entries(*ui.List1), QStringList({"a.mp3", "c.mp3"}));
    EXPECT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "c.mp3"}));
    Close(form);

    m_messages.clear();
    form = StartWith(folder, folder, 2, {.Delete = false});
    ui = DeckControls(*form);
    Activate(*form, 2);
    Mark(*ui.List2, {"a.mp3", "c.mp3"});
    QTest::keyClick(ui.List2, Qt::Key_Backspace);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(FolderContents(folder).isEmpty());
    EXPECT_TRUE(Entries(*ui.List1).isEmpty());
    Close(form);
    if (savedDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedDataHome);
}

TEST_F(FileOperations, CopyWritesAPendingTagEditAndDeleteDiscardsIt) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    const QByteArray tag = TagRecord("Alt", "Artist", "", "1999", "");
    WriteMp3(left + "a.mp3", 4, tag);
    WriteMp3(left + "b.mp3", 4, tag);
    auto form = StartWith(left, right, 1, {.Copy = false, .Delete = false});
    const DeckControls ui(*form);
    for (const char* name : {"a.mp3", "b.mp3"}) {
        Mark(*ui.List1, {name});
        ASSERT_EQ(ui.Text1->text(), "Alt");
        ui.Text1->setText("Neu");
        m_state.TagModified = true;
        ui.Command2->show();
        const bool copy = QString(name) == "a.mp3";
        (copy ? ui.Command5 : ui.Command8)->click();
        EXPECT_FALSE(m_state.TagModified);
        EXPECT_FALSE(ui.Command2->isVisible());
        if (copy) {
            EXPECT_EQ(ReadFile(left + name).right(128).mid(3, 3), "Neu");
            EXPECT_EQ(ReadFile(right + name).right(128).mid(3, 3), "Neu") << "copied with it";
            EXPECT_EQ(ui.Text1->text(), "Neu") << "the fields keep showing the file";
        }
    }
    EXPECT_FALSE(QFile::exists(left + "b.mp3"));
    EXPECT_EQ(ReadFile(left + "a.mp3").right(128), ReadFile(right + "a.mp3").right(128));
    EXPECT_TRUE(m_state.CurrentFile.isEmpty());
    EXPECT_TRUE(ui.Text1->text().isEmpty());
    Close(form);
}

TEST_F(FileOperations, ThePlayingFileIsMovedOnlyAfterThePlayerThreadHasEnded) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteMp3(left + "a.mp3", 120);
    const QByteArray bytes = ReadFile(left + "a.mp3");
    auto form = StartWith(left, right, 1, {.Move = false}, true);
    const DeckControls ui(*form);
    int threadEnds = 0;
    QObject::connect(ui.Aurion1, &player::AurionControl::ThreadEnded, [&] { ++threadEnds; });
    Mark(*ui.List1, {"a.mp3"});
    ASSERT_TRUE(WaitFor([&] { return !ui.Text4->text().isEmpty(); }));
    MenuItem(*form, "Umbewegen")->trigger();
    EXPECT_TRUE(m_state.PlayerThreadEnded);
    EXPECT_EQ(threadEnds, 1);
    EXPECT_EQ(ReadFile(right + "a.mp3"), bytes);
    EXPECT_FALSE(QFile::exists(left + "a.mp3"));
    EXPECT_TRUE(ui.Text4->text().isEmpty());
    const uintmax_t heard = m_audio.CapturedBytes();
    Settle();
    EXPECT_EQ(threadEnds, 1) << "no thread end after the move";
    EXPECT_TRUE(m_state.PlayerThreadEnded) << "nothing started after the move";
    EXPECT_EQ(m_audio.CapturedBytes(), heard);
    Close(form);
}

TEST_F(FileOperations, ALongMoveShowsItsProgressAndAfterCancellingStopsBeforeTheNextFile) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) WriteFile(left + name, name);
    auto form = StartWith(left, right, 1, {.Move = false});
    const DeckControls ui(*form);
    form->FileOperationSet().SetProgressDelay(0);
    QString shown;
    QString title;
    files::MoveSteps steps;
    steps.Rename = [&](const QString& from, const QString& to) {
        if (from.endsWith("b.mp3")) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(window);
                if (progress == nullptr || !progress->isVisible()) continue;
                shown = progress->labelText();
                title = progress->windowTitle();
                if (const char* folder = std::getenv("TRACKDECK_PICTURE_DIR")) {
                    progress->grab().save(QString(folder) + "/move-progress.png");
                }
                progress->cancel();
            }
        }
        return RenameNoReplace(from, to);
    };
    form->FileOperationSet().SetMoveSteps(steps);
    Mark(*ui.List1, {"a.mp3", "b.mp3", "c.mp3"});
    ui.Command6->click();
    EXPECT_EQ(shown, "Bewege 2 von 3: b.mp3");
    EXPECT_EQ(title, m_state.Caption);
    EXPECT_EQ(FolderContents(right), QStringList({"a.mp3", "b.mp3"})) << "the current file ends";
    EXPECT_EQ(FolderContents(left), QStringList{"c.mp3"});
    EXPECT_EQ(Entries(*ui.List1), QStringList{"c.mp3"});
    EXPECT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "b.mp3"}));
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
