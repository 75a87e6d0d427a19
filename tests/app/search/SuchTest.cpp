#include <QDir>
#include <QTest>
#include <QTimer>

#include "app/common/Twips.h"
#include "app/search/FileSearch.h"
#include "app/search/Such.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

class Search : public PlayerTest {
protected:
    // The program with pane A on `folder` and the search options given, and the
    // search window opened by the search button.
    search::Such& OpenSearch(const QString& folder, const char* fileNames, const char* tags,
                             const char* subDirs) {
        WriteSettings("[Directories]\nLastDirA=" + folder.toUtf8() +
                      "\nLastOrdner=1\n[Search]\nFileNames=" + fileNames + "\nID3TAGs=" + tags +
                      "\nSubDirs=" + subDirs + "\n");
        m_form = Start();
        emit DeckControls(*m_form).Image10->clicked();
        return *m_form->SearchWindow();
    }
    void Find(search::Such& window, const QString& term) {
        window.Text1->setText(term);
        QTest::mouseClick(window.Command1, Qt::LeftButton);
    }
    void Audio(const QString& path, const QByteArray& tag = {}) const {
        WriteFile(path, QByteArray(300, '\x55') + tag);
    }
    void TearDown() override {
        if (m_form) Close(m_form);
    }

    std::unique_ptr<frmDeck> m_form;
};

TEST_F(Search, AHitInASubFolderIsListedBeforeTheFoldersOwnHits) {
    const QString top = MakeFolder("music");
    QDir().mkpath(top + "Alpha/Inner");
    QDir().mkpath(top + "beta");
    for (const char* name : {"sun 1.mp3", "Alpha/sun 2.mp3", "Alpha/Inner/Sun 3.mp3",
                             "beta/SUN 4.mp3", "beta/moon.mp3", "sun.txt"})
        Audio(top + name);
    search::Such& window = OpenSearch(top, "1", "0", "1");
    EXPECT_EQ(window.Label3->text(), top);
    EXPECT_TRUE(window.Check3->isChecked());
    Find(window, "sun");
    EXPECT_EQ(Entries(*window.lstFoundFiles),
              QStringList({top + "beta/SUN 4.mp3", top + "Alpha/Inner/Sun 3.mp3",
                           top + "Alpha/sun 2.mp3", top + "sun 1.mp3"}));
    EXPECT_EQ(window.windowTitle(), "MP3-Dateien suchen");
    EXPECT_EQ(window.height(), Twips(search::Such::ResultsHeight - search::Such::FrameHeight));

    window.Check3->click();
    EXPECT_EQ(Setting("Search", "SubDirs"), "0");
    EXPECT_FALSE(m_state.SearchSubDirs);
    Find(window, "sun");
    EXPECT_EQ(Entries(*window.lstFoundFiles), QStringList{top + "sun 1.mp3"});
    Find(window, "mp3");
    EXPECT_EQ(Entries(*window.lstFoundFiles),
              QStringList{"Keine entsprechenden Dateien gefunden."});
}

TEST_F(Search, WithBothOptionsOffTheMessageSwitchesOnFileNamesAndTheSearchRuns) {
    const QString top = MakeFolder("off");
    Audio(top + "Morning Sun.mp3");
    search::Such& window = OpenSearch(top, "0", "0", "0");
    ASSERT_FALSE(window.Check1->isChecked());
    Find(window, "");
    EXPECT_TRUE(m_messages.empty()) << "an empty term does nothing";
    Find(window, "SUN");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Mindestens eine der beiden Optionen muss ausgewählt sein...   ");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Exclamation);
    EXPECT_TRUE(window.Check1->isChecked());
    EXPECT_TRUE(m_state.SearchFileNames);
    EXPECT_EQ(Setting("Search", "FileNames"), "1");
    EXPECT_EQ(Entries(*window.lstFoundFiles), QStringList{top + "Morning Sun.mp3"});
}

TEST_F(Search, WithTagsOnlyATaggedFileIsFoundByArtistAndAnUntaggedOneNever) {
    const QString top = MakeFolder("tags");
    Audio(top + "one.mp3", TagRecord("Title", "Sunny Day", "", "", ""));
    Audio(top + "sunny.mp3");
    search::Such& window = OpenSearch(top, "0", "1", "1");
    Find(window, "sunny");
    EXPECT_EQ(Entries(*window.lstFoundFiles), QStringList{top + "one.mp3"});
    EXPECT_EQ(window.Text2->text(), "Sunny Day");
    EXPECT_EQ(window.Text3->text(), "Title");
}

TEST_F(Search, AClickOnAResultShowsTheFileInTheActivePaneBesideTheSearchWindow) {
    const QString top = MakeFolder("click");
    const QString other = MakeFolder("other");
    QDir().mkpath(top + "deep");
    Audio(top + "deep/a.mp3");
    Audio(top + "deep/Hit.mp3", TagRecord("Found", "Artist", "", "", ""));
    Audio(top + "deep/hit.mp3");
    WriteSettings("[Directories]\nLastDirA=" + other.toUtf8() + "\nLastDirB=" + top.toUtf8() +
                  "\nLastOrdner=2\n[Search]\nFileNames=1\nID3TAGs=0\nSubDirs=1\n");
    m_form = Start();
    const DeckControls ui(*m_form);
    emit ui.Image10->clicked();
    search::Such& window = *m_form->SearchWindow();
    Find(window, "hit");
    ASSERT_EQ(Entries(*window.lstFoundFiles),
              QStringList({top + "deep/Hit.mp3", top + "deep/hit.mp3"}));

    QTest::mouseClick(window.lstFoundFiles->viewport(), Qt::LeftButton, {},
                      window.lstFoundFiles->visualItemRect(window.lstFoundFiles->item(0)).center());
    EXPECT_EQ(m_state.PathB, top + "deep/");
    EXPECT_EQ(m_state.PathA, other) << "only the active pane moves";
    EXPECT_EQ(window.Label3->text(), top + "deep/");
    const QList<QListWidgetItem*> selected = ui.List2->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(), "Hit.mp3") << "the file itself, not its namesake in case";
    EXPECT_EQ(m_state.CurrentFile, top + "deep/Hit.mp3");
    EXPECT_EQ(ui.Text1->text(), "Found") << "the file shows as if clicked";
    EXPECT_EQ(m_form->frameGeometry().right() + 1, window.frameGeometry().left());

    Find(window, "nothing");
    QTest::mouseClick(window.lstFoundFiles->viewport(), Qt::LeftButton, {},
                      window.lstFoundFiles->visualItemRect(window.lstFoundFiles->item(0)).center());
    EXPECT_EQ(m_state.PathB, top + "deep/") << "the line saying so leads nowhere";
}

TEST_F(Search, EscapeStopsARunningSearchKeepingWhatItFound) {
    const QString top = MakeFolder("many");
    for (int i = 0; i < 600; ++i) Audio(top + QString("hit %1.mp3").arg(i, 4, 10, QChar('0')));
    search::Such& window = OpenSearch(top, "1", "1", "0");
    QString titleWhileRunning;
    int foundWhileRunning = -1;
    QTimer::singleShot(0, &window, [&] {
        titleWhileRunning = window.windowTitle();
        foundWhileRunning = window.lstFoundFiles->count();
        QTest::keyClick(window.Text1, Qt::Key_Escape);
    });
    Find(window, "hit");
    EXPECT_EQ(titleWhileRunning, "Bitte warten...") << "window events ran during the walk";
    EXPECT_GT(foundWhileRunning, 0) << "results show as they are found";
    const int found = window.lstFoundFiles->count();
    EXPECT_GE(found, foundWhileRunning);
    EXPECT_LT(found, 600);
    EXPECT_TRUE(window.lstFoundFiles->item(0)->text().startsWith(top + "hit "));
    EXPECT_FALSE(window.Search().Running());
    EXPECT_EQ(window.windowTitle(), "MP3-Dateien suchen");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Search, TheFolderLabelFollowsTheActivePanesFolder) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteSettings("[Directories]\nLastDirA=" + left.toUtf8() + "\nLastDirB=" + right.toUtf8() +
                  "\nLastOrdner=1\n");
    m_form = Start();
    emit DeckControls(*m_form).Image10->clicked();
    search::Such& window = *m_form->SearchWindow();
    ASSERT_EQ(window.Label3->text(), left);
    m_form->PaneEventSet().ListFocused(2);
    EXPECT_EQ(window.Label3->text(), right);
    QDir().mkpath(right + "sub");
    m_form->PaneEventSet().FolderChanged(2, right + "sub");
    EXPECT_EQ(window.Label3->text(), right + "sub/");
    m_form->PaneEventSet().FolderChanged(1, right);
    EXPECT_EQ(window.Label3->text(), right + "sub/") << "the inactive pane is not searched";
}

}  // namespace
}  // namespace trackdeck::test
