#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>

#include "app/common/PathHelpers.h"
#include "app/common/Twips.h"
#include "app/shell/ApplySettings.h"
#include "app/shell/Options.h"
#include "platform/registry/Registry.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/LoadedLibrary.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/ScratchFileSystem.h"

namespace trackdeck::test {
namespace {

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

QColor TextColour(const QListWidget& list) { return list.palette().color(QPalette::Text); }

ino_t Inode(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

const char* const ControlClassKey =
    "Software\\Classes\\CLSID\\{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}\\InprocServer32";

using StartUp = AppTest;

TEST_F(StartUp, WithoutASettingsFileEveryKeyTakesItsDefault) {
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_state.PathA, ProgramFolder());
    EXPECT_EQ(m_state.PathB, "/");
    EXPECT_EQ(ui.Dir1->Path(), ProgramFolder());
    EXPECT_EQ(ui.File2->Path(), "/");
    EXPECT_EQ(ui.Drive2->Drive(), "/");
    EXPECT_EQ(m_state.ActivePane, 1);
    EXPECT_EQ(TextColour(*ui.List1), QColor(0x00FF00));
    EXPECT_EQ(TextColour(*ui.List2), QColor(0xC0C0C0));
    EXPECT_TRUE(m_state.ConfirmDelete && m_state.ConfirmCopy && m_state.ConfirmMove &&
                m_state.ConfirmDecode);
    EXPECT_FALSE(m_state.ClickPlay);
    EXPECT_TRUE(m_state.DirPlay);
    EXPECT_EQ(form->Player().VolumeKnobTop(), 1000);
    EXPECT_EQ(ui.Picture8->y(), Twips(1000));
    EXPECT_EQ(ui.Text10->text(), "86 %") << "Int(122 - 21.9 - 295 / 22.5)";
    EXPECT_FALSE(m_state.DragDropActive);
    EXPECT_EQ(m_state.DragDropAction, 1);
    EXPECT_TRUE(m_state.SearchSubDirs && m_state.SearchFileNames && m_state.SearchTags);
    EXPECT_TRUE(m_state.PlayerThreadEnded);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Veltrano Trackdeck");
    EXPECT_EQ(form->size(), QSize(Twips(9530), Twips(9690)));
}

TEST_F(StartUp, AnyOtherValueTurnsOnUnlessOneOffAndOffUnlessZeroOn) {
    WriteSettings(
        "[Confirm]\nLoeschen=yes\nKopieren=0\nBewegen=1\nDecodieren=\n"
        "[Player]\nKlickPlay=yes\nDirPlay=0\nVolume=1500abc\n"
        "[DragDrop]\nAktiv=1\nAktion=x\n[Search]\nSubDirs=no\n"
        "[Directories]\nLastOrdner=3\n");
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    EXPECT_FALSE(m_state.ConfirmDelete);
    EXPECT_FALSE(m_state.ConfirmCopy);
    EXPECT_TRUE(m_state.ConfirmMove);
    EXPECT_TRUE(m_state.ConfirmDecode) << "the empty text keeps the default";
    EXPECT_TRUE(m_state.ClickPlay);
    EXPECT_FALSE(m_state.DirPlay);
    EXPECT_EQ(form->Player().VolumeKnobTop(), 1500);
    EXPECT_TRUE(m_state.DragDropActive);
    EXPECT_EQ(m_state.DragDropAction, 2);
    EXPECT_FALSE(m_state.SearchSubDirs);
    EXPECT_EQ(m_state.ActivePane, 2) << "LastOrdner=3 makes the right pane active";
    EXPECT_EQ(TextColour(*ui.List2), QColor(0x00FF00));
}

TEST_F(StartUp, StoredFoldersAreFoundAgainAndGoneOnesFallBack) {
    const QString music = MakeFolder(QString::fromUtf8("Grüße/日本"));
    WriteFile(music + "b.MP3", "x");
    WriteFile(music + "A.wav", "x");
    WriteFile(music + "c.mp3", "x");
    WriteFile(music + "notes.txt", "x");
    WriteSettings(("[Directories]\nLastDirA=" + music + "\nLastDirB=/no/such/folder/\n").toUtf8());
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    EXPECT_EQ(m_state.PathA, music);
    EXPECT_EQ(Entries(*ui.List1), (QStringList{"A.wav", "b.MP3", "c.mp3"}));
    EXPECT_EQ(m_state.PathB, "/");
    Close(form);
    EXPECT_EQ(Setting("Directories", "LastDirA"), music) << "UTF-8 paths survive a restart";
    EXPECT_EQ(Setting("Directories", "LastDirB"), "/");
    EXPECT_EQ(Setting("Directories", "LastOrdner"), "1");
    EXPECT_EQ(Setting("Player", "Volume"), "1000");
}

TEST_F(StartUp, AFileArgumentOpensTheRightPaneAtItsFolderAndMakesItActive) {
    const QString album = MakeFolder("A long folder name");
    WriteFile(album + "song.mp3", "x");
    auto form = Start(album + "song.mp3");
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    EXPECT_EQ(m_state.PathB, album);
    EXPECT_EQ(m_state.ActivePane, 2);
    EXPECT_EQ(Entries(*ui.List2), QStringList{"song.mp3"});
    EXPECT_EQ(Setting("Directories", "LastDirB"), album);
    EXPECT_EQ(Setting("Directories", "LastOrdner"), "2");
}

TEST_F(StartUp, AFolderArgumentOpensThatFolder) {
    const QString album = MakeFolder("Album");
    for (const QString& argument : {album, album.chopped(1)}) {
        auto form = Start(argument);
        ASSERT_TRUE(form);
        EXPECT_EQ(m_state.PathB, album) << argument.toStdString();
        EXPECT_EQ(m_state.ActivePane, 2);
    }
}

TEST_F(StartUp, TheRootArgumentLeavesTheRootAndAMissingFileGivesIt) {
    auto form = Start("/");
    ASSERT_TRUE(form);
    EXPECT_EQ(m_state.PathB, "/");
    form.reset();
    form = Start("/no/such/file.mp3");
    ASSERT_TRUE(form);
    EXPECT_EQ(Setting("Directories", "LastDirB"), "/");
}

TEST_F(StartUp, AMissingSupportFileIsNamedAndNoWindowShown) {
    QFile::remove(ProgramFolder() + "Trackdeck.bin");
    EXPECT_FALSE(Start());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Die Datei Trackdeck.bin wurde nicht gefunden.   ");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Exclamation);
    m_messages.clear();
    QFile::remove(ProgramFolder() + "Trackdeck.dll");
    EXPECT_FALSE(Start());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Die Datei Trackdeck.dll wurde nicht gefunden.   ");
}

TEST_F(StartUp, TheFirstStartInstallsAndRegistersTheControlAndRunsTheInstalledFile) {
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    const QString installed = SystemFolder() + "Aurion.ocx";
    EXPECT_EQ(ReadFile(installed), ReadFile(ProgramFolder() + "Trackdeck.bin"));
    EXPECT_EQ(platform::registry::GetValue(ControlClassKey, ""), installed.toStdString());
    EXPECT_TRUE(ui.Aurion1->Started());
    EXPECT_TRUE(aurion::test::LoadedInThisProcess(installed.toStdString()));
}

// Neither the installation nor the host touch the control file or the registry again.
TEST_F(StartUp, ASecondStartNeitherCopiesNorRegisters) {
    auto form = Start();
    ASSERT_TRUE(form);
    Close(form);
    const std::string installed = (SystemFolder() + "Aurion.ocx").toStdString();
    const std::string registry = std::getenv("TRACKDECK_REGISTRY");
    const ino_t control = Inode(installed);
    const ino_t registryFile = Inode(registry);
    form = Start();
    ASSERT_TRUE(form);
    EXPECT_EQ(Inode(installed), control) << "copied again";
    EXPECT_EQ(Inode(registry), registryFile) << "registered again";
    EXPECT_TRUE(DeckControls(*form).Aurion1->Started());
}

// Where nothing can be installed the player still works, with the program's own control.
TEST_F(StartUp, WithoutAnInstalledControlTheShippedOneRuns) {
    QDir(SystemFolder()).removeRecursively();
    WriteFile(SystemFolder().chopped(1), "a file where the system folder should be");
    auto form = Start();
    ASSERT_TRUE(form);
    EXPECT_EQ(platform::registry::GetValue(ControlClassKey, ""),
              (ProgramFolder() + "Trackdeck.bin").toStdString());
    EXPECT_TRUE(DeckControls(*form).Aurion1->Started());
}

TEST_F(StartUp, AnOutdatedInstalledControlIsReplacedAndRegistered) {
    QDir().mkpath(SystemFolder());
    WriteFile(SystemFolder() + "Aurion.ocx", "an old control");
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    EXPECT_EQ(ReadFile(SystemFolder() + "Aurion.ocx"), ReadFile(ProgramFolder() + "Trackdeck.bin"));
    EXPECT_TRUE(platform::registry::KeyExists(ControlClassKey));
    EXPECT_TRUE(ui.Aurion1->Started());
}

TEST_F(StartUp, TheWindowsShowTheProgramsIconInEverySize) {
    auto form = Start();
    ASSERT_TRUE(form);
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_EQ(QGuiApplication::desktopFileName(), "de.veltrano.trackdeck");
}

// An installed program's folder cannot be written: the user's files go to the
// user's configuration folder. Root may write any folder, so the test's folder lies
// on a file system mounted read-only.
TEST_F(StartUp, AReadOnlyProgramFolderKeepsTheSettingsAndThePathListInTheUsersFolder) {
    aurion::test::ScratchFileSystem installed(1 << 20);
    if (!installed.Mounted()) GTEST_SKIP() << "cannot mount a file system: " << installed.Problem();
    ASSERT_TRUE(installed.MakeReadOnly());
    const QString config = MakeFolder("config");
    platform::test::ScopedVariable xdg("XDG_CONFIG_HOME", config.toStdString());
    FillAppState(m_state, QString::fromStdString(installed.Folder()), SystemFolder());
    EXPECT_TRUE(m_state.ProgramFolderReadOnly);
    EXPECT_EQ(m_state.SettingsFile.toStdString(), (config + "trackdeck/Trackdeck.ini").toStdString());
    EXPECT_EQ(m_state.PathListFile.toStdString(), (config + "trackdeck/Trackdeck.lst").toStdString());
    EXPECT_TRUE(QFileInfo(config + "trackdeck").isDir());
    FillAppState(m_state, ProgramFolder(), SystemFolder());
    EXPECT_FALSE(m_state.ProgramFolderReadOnly);
    EXPECT_EQ(m_state.SettingsFile.toStdString(), (ProgramFolder() + "Trackdeck.ini").toStdString());
    EXPECT_EQ(m_state.PathListFile.toStdString(), (ProgramFolder() + "Trackdeck.lst").toStdString());
}

TEST_F(StartUp, ClosingWithUnsavedTagFieldsSavesThem) {
    const QString folder = MakeFolder("tagged");
    WriteFile(folder + "a.mp3", QByteArray(400, '\x55'));
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    ui.Text7->setText(folder + "a.mp3");
    ui.Text5->setText("Artist");
    ui.Text1->setText("Title");
    ui.Text2->setText("Album");
    ui.Text8->setText("Comment");
    ui.Text6->setText("1999");
    m_state.TagModified = true;
    Close(form);
    const QByteArray bytes = ReadFile(folder + "a.mp3");
    ASSERT_EQ(bytes.size(), 528);
    EXPECT_EQ(bytes.mid(400, 3), "TAG");
    EXPECT_EQ(bytes.mid(403, 5), "Title");
    EXPECT_EQ(bytes.mid(433, 6), "Artist");
    EXPECT_EQ(bytes.mid(493, 4), "1999");
    EXPECT_EQ(bytes.mid(497, 7), "Comment");
}

TEST_F(StartUp, TheLayoutPlacesEveryControlByItsName) {
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    struct Row {
        const char* Name;
        QString Caption;
        int Left, Top, Width, Height;
    };
    const Row rows[] = {
        {"Drive1", "", 90, 675, 2415, 315},
        {"Dir1", "", 90, 1155, 2415, 2505},
        {"Text5", "", 2970, 690, 3375, 300},
        {"Text6", "", 2970, 2310, 570, 300},
        {"Drive2", "", 6810, 675, 2655, 315},
        {"List1", "", 90, 3735, 4635, 5520},
        {"List2", "", 4770, 3735, 4695, 5520},
        {"Command9", "TAG > Dateiname", 90, 9330, 1485, 285},
        {"Command8", "Löschen", 7920, 9330, 1530, 285},
        {"Command7", "Verzeichnis", 6330, 9330, 1545, 285},
    };
    for (const Row& row : rows) {
        auto* widget = form->findChild<QWidget*>(row.Name);
        ASSERT_NE(widget, nullptr) << row.Name;
        EXPECT_EQ(widget->geometry(), TwipsRect(row.Left, row.Top, row.Width, row.Height))
            << row.Name;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), row.Caption);
        }
    }
    EXPECT_EQ(form->findChild<QLabel*>("Label3")->text(), "Ordner A:");
    EXPECT_EQ(form->findChild<QLabel*>("Label12")->text(), "OPTIONEN");
    EXPECT_FALSE(ui.Command2->isVisible());
    EXPECT_TRUE(ui.Picture3->isVisible());
    EXPECT_EQ(ui.Text12->text(), "");
    EXPECT_EQ(ui.Text6->text(), "") << "the sample year is emptied at load";
    EXPECT_EQ(ui.Menu->actions().size(), 14);
    EXPECT_EQ(ui.Verzeichnis->actions().size(), 4);
}

}  // namespace
}  // namespace trackdeck::test
