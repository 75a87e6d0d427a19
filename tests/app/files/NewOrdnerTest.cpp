#include <QDir>
#include <QTest>

#include "app/files/FileOperations.h"
#include "app/files/NewOrdner.h"
#include "tests/app/PaneTestSupport.h"

namespace trackdeck::test {
namespace {

using NewOrdnerTest = PaneTest;

files::NewOrdner& Open(frmDeck& form) {
    const DeckControls ui(form);
    ui.Command7->click();
    return *form.FileOperationSet().NewFolderDialog();
}

TEST_F(NewOrdnerTest, ThreeTypedLevelsAreMadeBelowTheActiveFolderAndBothTreesShowThem) {
    const QString folder = MakeFolder("music");
    auto form = StartWith(folder, folder, 2);
    const DeckControls ui(*form);
    files::NewOrdner& dialog = Open(*form);
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), "Neuer Ordner");
    EXPECT_EQ(dialog.Label1->text(), "Ordner erstellen:");
    EXPECT_EQ(dialog.Command2->text(), "OK");
    EXPECT_EQ(dialog.Command1->text(), "Abbrechen");
    EXPECT_TRUE(dialog.Text1->text().isEmpty());

    dialog.Command2->click();
    EXPECT_TRUE(dialog.isVisible()) << "an empty name keeps the dialog open";

    QTest::keyClicks(dialog.Text1, "Rock/Bands/Live");
    QTest::keyClick(dialog.Text1, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(QDir(folder + "Rock/Bands/Live").exists());
    EXPECT_TRUE(m_messages.empty());
    for (browser::FolderTree* tree : {ui.Dir1, ui.Dir2})
        EXPECT_FALSE(tree->findItems("Rock", Qt::MatchRecursive).isEmpty())
            << tree->objectName().toStdString();
    Close(form);
}

TEST_F(NewOrdnerTest, AnExistingFolderIsFineAndAFileInTheWayIsNamedInTheMessage) {
    const QString folder = MakeFolder("music");
    (void)MakeFolder("music/Jazz");
    WriteFile(folder + "notes", "a file");
    auto form = StartWith(folder, MakeFolder("other"), 1);
    files::NewOrdner* dialog = &Open(*form);
    QTest::keyClicks(dialog->Text1, "Jazz");
    dialog->Command2->click();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(dialog->isVisible());

    dialog = &Open(*form);
    EXPECT_TRUE(dialog->Text1->text().isEmpty()) << "emptied on every opening";
    QTest::keyClicks(dialog->Text1, "notes/Live");
    dialog->Command2->click();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Pfad " + folder + "notes/Live konnte nicht erstellt werden.");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Plain);
    EXPECT_FALSE(dialog->isVisible()) << "closed whether made or not";

    dialog = &Open(*form);
    QTest::keyClicks(dialog->Text1, "never");
    dialog->Command1->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QDir(folder + "never").exists());
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
