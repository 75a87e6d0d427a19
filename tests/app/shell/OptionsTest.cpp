#include <QTest>

#include "app/shell/Options.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using OptionsDialog = AppTest;

TEST_F(OptionsDialog, AClickOnOptionenOpensItShowingTheFlags) {
    WriteSettings("[Confirm]\nKopieren=0\n[DragDrop]\nAktion=2\n");
    auto form = Start();
    ASSERT_TRUE(form);
    const DeckControls ui(*form);
    QTest::mouseClick(ui.Label12, Qt::LeftButton);
    Options* options = form->OptionsDialog();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(options->windowTitle(), "Optionen");
    EXPECT_FALSE(options->Check6->isChecked());
    EXPECT_TRUE(options->Check1->isChecked());
    EXPECT_TRUE(options->Check5->isChecked());
    EXPECT_FALSE(options->Check4->isChecked());
    EXPECT_TRUE(options->Option2->isChecked());
    EXPECT_EQ(options->Check8->text(), "Drag && Drop aktivieren");
    EXPECT_EQ(options->Frame3->title(), "Drag && Drop");
}

TEST_F(OptionsDialog, EachBoxWritesItsKeyAtOnceAndShowsItAfterARestart) {
    auto form = Start();
    ASSERT_TRUE(form);
    form->ShowOptions();
    Options* options = form->OptionsDialog();
    struct Box {
        QCheckBox* Check;
        const char* Section;
        const char* Key;
        bool AppState::*Flag;
    };
    const Box boxes[] = {
        {options->Check6, "Confirm", "Kopieren", &AppState::ConfirmCopy},
        {options->Check3, "Confirm", "Decodieren", &AppState::ConfirmDecode},
        {options->Check2, "Confirm", "Bewegen", &AppState::ConfirmMove},
        {options->Check1, "Confirm", "Loeschen", &AppState::ConfirmDelete},
        {options->Check5, "Player", "DirPlay", &AppState::DirPlay},
        {options->Check4, "Player", "KlickPlay", &AppState::ClickPlay},
        {options->Check8, "DragDrop", "Aktiv", &AppState::DragDropActive},
    };
    for (const Box& box : boxes) {
        const bool before = box.Check->isChecked();
        QTest::mouseClick(box.Check, Qt::LeftButton);
        EXPECT_EQ(Setting(box.Section, box.Key), before ? "0" : "1") << box.Key;
        EXPECT_EQ(m_state.*box.Flag, !before) << box.Key;
    }
    QTest::mouseClick(options->Option2, Qt::LeftButton);
    EXPECT_EQ(Setting("DragDrop", "Aktion"), "2");
    EXPECT_EQ(m_state.DragDropAction, 2);
    Close(form);

    form = Start();
    ASSERT_TRUE(form);
    form->ShowOptions();
    options = form->OptionsDialog();
    EXPECT_TRUE(options->Check6->isChecked() == false && options->Check1->isChecked() == false);
    EXPECT_FALSE(options->Check5->isChecked());
    EXPECT_TRUE(options->Check4->isChecked());
    EXPECT_TRUE(options->Check8->isChecked());
    EXPECT_TRUE(options->Option2->isChecked());
    if (const char* folder = std::getenv("TRACKDECK_PICTURE_DIR")) {
        options->grab().save(QString(folder) + "/options.png");
    }
}

}  // namespace
}  // namespace trackdeck::test
