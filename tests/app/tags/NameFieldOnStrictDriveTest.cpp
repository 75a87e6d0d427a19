#include <QDir>
#include <QTest>

#include "tests/app/PlayerTestSupport.h"
#include "tests/app/StrictDrive.h"

namespace trackdeck::test {
namespace {

using NameFieldOnStrictDrive = PlayerTest;

TEST_F(NameFieldOnStrictDrive, ANameTheDriveRefusesIsFittedOnYesAndLeftAloneOnCancel) {
    const QString folder = MakeFolder("stick");
    WriteMp3(folder + "song.mp3", 4);
    const QByteArray content = ReadFile(folder + "song.mp3");
    const PretendStrictDrive drive(folder);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);

    ui.List1->setCurrentRow(0);
    ui.Text12->setText("Live: 1999");
    m_answers = {Answer::Cancel};
    QTest::keyClick(ui.Text12, Qt::Key_Return);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"song.mp3"});

    ui.List1->setCurrentRow(0);
    ui.Text12->setText("Live: 1999");
    m_answers = {Answer::Yes};
    QTest::keyClick(ui.Text12, Qt::Key_Return);
    EXPECT_EQ(m_messages.size(), 2U);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Live_ 1999.mp3"});
    EXPECT_EQ(ReadFile(folder + "Live_ 1999.mp3"), content);
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
