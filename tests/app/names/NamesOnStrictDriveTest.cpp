#include <QDir>
#include <QTest>

#include "app/names/NamesFromTags.h"
#include "tests/app/StrictDrive.h"
#include "tests/app/names/TagToolsTestSupport.h"

namespace trackdeck::test {
namespace {

using NamesOnStrictDrive = TagToolsTest;

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

TEST_F(NamesOnStrictDrive, BuiltNamesAreAskedAboutOnceBeforeAnyRenameAndCancelKeepsTheWindow) {
    const QString folder = MakeFolder("stick");
    WriteMp3(folder + "x1.mp3", 4, TagRecord("T", "A", "", "", ""));
    WriteMp3(folder + "x2.mp3", 4, TagRecord("Dig Me Out", "Sleater*Kinney", "", "", ""));
    const QByteArray second = ReadFile(folder + "x2.mp3");
    const PretendStrictDrive drive(folder);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::Rename* window = OpenNamesFromTags(*form, ui, {0, 1});
    ASSERT_NE(window, nullptr);

    m_answers = {Answer::Cancel};
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_TRUE(m_messages[0].Text.contains(
        QString::fromUtf8("Sleater*Kinney - Dig Me Out.mp3  →  Sleater_Kinney - Dig Me Out.mp3")));
    EXPECT_FALSE(m_messages[0].Text.contains("A - T.mp3")) << "only the refused names";
    EXPECT_EQ(Entries(folder), (QStringList{"x1.mp3", "x2.mp3"})) << "not even the name that fits";
    ASSERT_EQ(form->NamesFromTagSet().Window(), window) << "the window stays for another try";

    m_answers = {Answer::Yes};
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(form->NamesFromTagSet().Window(), nullptr);
    EXPECT_EQ(Entries(folder), (QStringList{"A - T.mp3", "Sleater_Kinney - Dig Me Out.mp3"}));
    EXPECT_EQ(ReadFile(folder + "Sleater_Kinney - Dig Me Out.mp3"), second);
    Close(form);
}

TEST_F(NamesOnStrictDrive, ATypedNameTheDriveRefusesIsSkippedOnNo) {
    const QString folder = MakeFolder("stick");
    WriteMp3(folder + "x1.mp3", 4);
    const PretendStrictDrive drive(folder);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    names::Rename* window = OpenNamesFromTags(*form, ui, {0});
    ASSERT_NE(window, nullptr);
    window->Text1->setText("Live? Yes|No");
    m_answers = {Answer::No};
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(form->NamesFromTagSet().Window(), nullptr);
    EXPECT_EQ(Entries(folder), QStringList{"x1.mp3"});
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
