#include <QComboBox>
#include <QTest>

#include "app/shell/Options.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

// "Калинка" in Windows-1251; in Windows-1252 the same bytes read "Êàëèíêà".
const QByteArray KalinkaBytes("\xCA\xE0\xEB\xE8\xED\xEA\xE0");

class TagCodePage : public PlayerTest {
protected:
    // Chooses the code page in the options dialog as the user does, with the keys.
    static void Choose(frmDeck& form, const char* setting) {
        form.ShowOptions();
        QComboBox* combo = form.OptionsDialog()->Combo1;
        const int wanted = combo->findData(QString(setting));
        ASSERT_GE(wanted, 0);
        while (combo->currentIndex() != wanted) {
            const int before = combo->currentIndex();
            QTest::keyClick(combo, combo->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(combo->currentIndex(), before);
        }
    }
    // Types the text as a keyboard of its script does (QTest's key clicks know only ASCII).
    static void Type(QWidget* field, const QString& text) {
        for (const QChar character : text) {
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    [[nodiscard]] QByteArray LastRecord(const QString& path) const {
        return ReadFile(path).right(128);
    }
};

TEST_F(TagCodePage, ASettingsFileWithoutTheChoiceReadsWindows1252AndTheChoiceIsKept) {
    const QString folder = MakeFolder("choice");
    WriteMp3(folder + "a.mp3", 4, TagRecord(KalinkaBytes, "", "", "", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    EXPECT_EQ(ui.Text1->text(), QString::fromUtf8("Êàëèíêà"));
    form->ShowOptions();
    EXPECT_EQ(form->OptionsDialog()->Combo1->currentData().toString(), "1252");
    EXPECT_EQ(form->OptionsDialog()->Frame4->title(), "ID3v1-Zeichentabelle");

    Choose(*form, "1251");
    EXPECT_EQ(Setting("Options", "ID3v1CodePage"), "1251");
    EXPECT_EQ(ui.Text1->text(), QString::fromUtf8("Калинка")) << "the tag shown is read again";
    Close(form);

    WriteSettings("[Directories]\nLastDirA=" + folder.toUtf8() +
                  "\nLastOrdner=1\n[Options]\nID3v1CodePage=1251\n");
    form = Start();
    ASSERT_TRUE(form);
    const DeckControls again(*form);
    again.List1->setCurrentRow(0);
    EXPECT_EQ(again.Text1->text(), QString::fromUtf8("Калинка"));
    form->ShowOptions();
    EXPECT_EQ(form->OptionsDialog()->Combo1->currentData().toString(), "1251");
    if (const char* pictures = std::getenv("TRACKDECK_PICTURE_DIR"))
        form->OptionsDialog()->grab().save(QString(pictures) + "/options-code-page.png");
    Close(form);
}

TEST_F(TagCodePage, ACharacterThePageCannotHoldIsSaidBeforeTheTagIsWritten) {
    const QString folder = MakeFolder("unstorable");
    WriteMp3(folder + "a.mp3", 4, TagRecord("Old", "Artist", "", "1999", ""));
    const QByteArray before = ReadFile(folder + "a.mp3");
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ui.Text1->selectAll();
    Type(ui.Text1, QString::fromUtf8("Ja Калинка"));

    m_answers = {Answer::No};
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Question);
    EXPECT_TRUE(m_messages[0].Text.contains(QString::fromUtf8("Feld „Titel“")));
    EXPECT_TRUE(m_messages[0].Text.contains(QString::fromUtf8("„К“ (U+041A)")));
    EXPECT_TRUE(m_messages[0].Text.contains("Windows-1252"));
    EXPECT_EQ(ReadFile(folder + "a.mp3"), before) << "Nein writes nothing";
    EXPECT_TRUE(m_state.TagModified) << "the edit stays pending";

    m_answers = {Answer::Yes};
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    EXPECT_EQ(m_messages.size(), 2U);
    EXPECT_EQ(LastRecord(folder + "a.mp3").mid(3, 30), "Ja ???????" + QByteArray(20, ' '));
    EXPECT_FALSE(m_state.TagModified);
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
