#include <QDir>
#include <QFile>
#include <QTest>

#include "app/pathlist/PathList.h"
#include "app/pathlist/VerzListe.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

class PathList : public PlayerTest {
protected:
    void TearDown() override {
        if (m_form) Close(m_form);
    }
    // The context-menu item of the main window, as the user picks it.
    void Pick(const char* item) {
        for (QAction* action : DeckControls(*m_form).Verzeichnis->actions())
            if (action->text() == item) action->trigger();
    }
    void RememberIn(int pane, const QString& folder) {
        m_form->PaneEventSet().FolderChanged(pane, folder);
        Pick("Aktuellen Pfad merken");
    }
    pathlist::VerzListe& Window() { return m_form->PathListWindow(); }
    QString ListFile() const { return ProgramFolder() + "Trackdeck.lst"; }

    std::unique_ptr<frmDeck> m_form;
};

TEST_F(PathList, TheSameFolderTwiceGivesTheMessageWhileAFolderDifferingInCaseIsAnother) {
    const QString musik = MakeFolder("Musik");
    const QString lower = MakeFolder("musik");
    ASSERT_TRUE(QFile::link(musik, lower + "../MUSIK"));
    m_form = StartIn(musik, false);
    RememberIn(1, musik);
    ASSERT_TRUE(Window().isVisible());
    EXPECT_EQ(Window().windowTitle(), "Verzeichnisliste");
    RememberIn(1, lower + "../MUSIK/");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Pfad  " + m_state.PathA + "  ist bereits aufgelistet.");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Information);
    RememberIn(1, lower);
    EXPECT_EQ(m_messages.size(), 1u) << "on Linux musik/ is a folder of its own";
    EXPECT_EQ(Entries(*Window().List1), QStringList({musik, lower}));
    EXPECT_EQ(ReadFile(ListFile()), (musik + "\r\n" + lower + "\r\n").toUtf8());
}

TEST_F(PathList, ADeletedFolderLeavesTheListButStaysInTheFileUntilItIsRewritten) {
    const QString a = MakeFolder("a");
    const QString gone = MakeFolder("gone");
    const QString c = MakeFolder("c");
    WriteFile(ListFile(), (a + "\r\n" + gone + "\r\n\r\n" + c + "\r\n").toUtf8());
    QDir(gone).removeRecursively();
    m_form = StartIn(a, false);
    Pick("Pfad-Liste zeigen");
    EXPECT_EQ(Entries(*Window().List1), QStringList({a, c}));
    EXPECT_TRUE(ReadFile(ListFile()).contains(gone.toUtf8()));

    Window().List1->setCurrentRow(0);
    QTest::keyClick(Window().List1, Qt::Key_Delete);
    EXPECT_EQ(Entries(*Window().List1), QStringList{c});
    EXPECT_EQ(ReadFile(ListFile()), (c + "\r\n\r\n").toUtf8());
}

TEST_F(PathList, RemovingAllAsksDeletesTheFileAndClosesAndTheNextFolderStartsAFreshFile) {
    const QString a = MakeFolder("a");
    const QString b = MakeFolder("b");
    WriteFile(ListFile(), (a + "\r\n").toUtf8());
    m_form = StartIn(b, false);
    Pick("Pfad-Liste zeigen");
    m_answers = {Answer::No};
    Window().DelAll->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Wirklich alle Einträge löschen ?");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Question);
    EXPECT_TRUE(QFile::exists(ListFile()));
    EXPECT_TRUE(Window().isVisible());

    m_answers = {Answer::Yes};
    Window().DelAll->trigger();
    EXPECT_FALSE(QFile::exists(ListFile()));
    EXPECT_FALSE(Window().isVisible());

    Pick("Aktuellen Pfad merken");
    EXPECT_EQ(Entries(*Window().List1), QStringList{b});
    EXPECT_EQ(ReadFile(ListFile()), (b + "\r\n").toUtf8());
}

TEST_F(PathList, AClickWhileTheRightPaneIsActiveMovesTheRightPaneOnly) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    const QString target = MakeFolder("target");
    WriteFile(target + "song.mp3", {});
    WriteFile(ListFile(), (target + "\r\n").toUtf8());
    WriteSettings("[Directories]\nLastDirA=" + left.toUtf8() + "\nLastDirB=" + right.toUtf8() +
                  "\nLastOrdner=2\n");
    m_form = Start();
    Pick("Pfad-Liste zeigen");
    QListWidget* list = Window().List1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(m_state.PathB, target);
    const DeckControls ui(*m_form);
    EXPECT_EQ(ui.Dir2->Path(), target);
    EXPECT_EQ(Entries(*ui.List2), QStringList{"song.mp3"});
    EXPECT_EQ(m_state.PathA, left);
}

TEST_F(PathList, AFolderWithAnOddNameIsFoundAgainAndOneWithALineEndIsNotWritten) {
    const QString odd = MakeFolder(" Über ; #1 ✓ ");
    const QString broken = MakeFolder("two\nlines");
    m_form = StartIn(odd, false);
    Pick("Pfad-Liste zeigen");
    EXPECT_TRUE(Entries(*Window().List1).isEmpty());
    EXPECT_FALSE(QFile::exists(ListFile())) << "showing creates no file";
    RememberIn(1, odd);
    RememberIn(1, broken);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Exclamation);
    Window().close();
    Pick("Pfad-Liste zeigen");
    EXPECT_EQ(Entries(*Window().List1), QStringList{odd});
}

TEST_F(PathList, StandsBesideTheMainWindowAndItsListFollowsTheWindowsSize) {
    const QString a = MakeFolder("a");
    WriteFile(ListFile(), (a + "\r\n").toUtf8());
    m_form = StartIn(a, false);
    Pick("Pfad-Liste zeigen");
    pathlist::VerzListe& window = Window();
    EXPECT_EQ(m_form->frameGeometry().right() + 1, window.frameGeometry().left());
    EXPECT_EQ(window.frameGeometry().center().y(), m_form->frameGeometry().center().y());
    window.resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(window.List1->geometry(), QRect(0, 0, 400, 500));
}

}  // namespace
}  // namespace trackdeck::test
