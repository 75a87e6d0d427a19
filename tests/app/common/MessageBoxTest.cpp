#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "app/common/MessageService.h"
#include "app/files/FileOperations.h"
#include "app/files/NewOrdner.h"
#include "tests/app/PaneTestSupport.h"

namespace trackdeck::test {
namespace {

// What a message box showed while it waited for its answer.
struct SeenBox {
    QString Text;
    QStringList Buttons;
    QWidget* Parent = nullptr;
    bool OnTop = false;
};

// Runs `open`, which shows a message box and waits for it, and presses the box's
// button `press` once it is shown; a picture of the box goes to TRACKDECK_PICTURE_DIR
// under `picture` when that names a folder.
SeenBox Answering(const QString& press, const std::function<void()>& open,
                  const char* picture = nullptr) {
    SeenBox seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box == nullptr || !box->isVisible()) continue;
            seen.Text = box->text();
            seen.Parent = box->parentWidget();
            seen.OnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            for (QAbstractButton* button : box->buttons()) seen.Buttons << button->text();
            const char* folder = std::getenv("TRACKDECK_PICTURE_DIR");
            if (folder != nullptr && picture != nullptr)
                box->grab().save(QString(folder) + "/" + picture);
            bool pressed = false;
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() != press) continue;
                button->click();
                pressed = true;
            }
            // A box without the button is closed all the same: the test fails, not hangs.
            if (!pressed) box->reject();
            poll.stop();
            return;
        }
    });
    poll.start();
    open();
    return seen;
}

// The program's own message boxes instead of the test's recorder, for one test.
class RealMessageBoxes {
public:
    explicit RealMessageBoxes(const QString& caption)
        : m_recorder(InstallMessageService(MessageBoxService(caption))) {}
    ~RealMessageBoxes() { InstallMessageService(std::move(m_recorder)); }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

private:
    MessageService m_recorder;
};

using MessageBoxes = PaneTest;

TEST_F(MessageBoxes, QuestionsAndMessagesHaveGermanButtonsAndAnswerByThem) {
    const RealMessageBoxes boxes("Veltrano Trackdeck");
    Answer answer = Answer::Yes;
    SeenBox seen = Answering(
        "Nein", [&] { answer = Ask("a.mp3 löschen ?", MessageKind::Exclamation, Answer::Yes); },
        "question.png");
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(seen.Text, "a.mp3 löschen ?");
    seen.Buttons.sort();
    EXPECT_EQ(seen.Buttons, QStringList({"Ja", "Nein"}));

    seen = Answering("Ja", [&] { answer = Ask("Weiter ?", MessageKind::Question, Answer::No); });
    EXPECT_EQ(answer, Answer::Yes);

    seen = Answering("OK", [] { ShowMessage("Kein TAG vorhanden...   ", MessageKind::Exclamation); });
    EXPECT_EQ(seen.Buttons, QStringList{"OK"});
}

TEST_F(MessageBoxes, AFolderThatCannotBeMadeIsSaidWithItsReasonAboveTheNewFolderDialog) {
    const QString folder = MakeFolder("music");
    WriteFile(folder + "notes", "a file");
    auto form = StartWith(folder, MakeFolder("other"), 1);
    const DeckControls ui(*form);
    ui.Command7->click();
    files::NewOrdner* dialog = form->FileOperationSet().NewFolderDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialog->activateWindow();
    QApplication::setActiveWindow(dialog);
    QTest::keyClicks(dialog->Text1, "notes/Live");

    const RealMessageBoxes boxes(m_state.Caption);
    const SeenBox seen =
        Answering("OK", [&] { dialog->Command2->click(); }, "failure-message.png");
    EXPECT_EQ(seen.Text, "Pfad " + folder +
                             "notes/Live konnte nicht erstellt werden.\nGrund: Ist kein Verzeichnis");
    EXPECT_EQ(seen.Buttons, QStringList{"OK"});
    EXPECT_EQ(seen.Parent, dialog) << "the window the user works in";
    EXPECT_TRUE(seen.OnTop) << "above the dialog, which stays on top";
    EXPECT_FALSE(dialog->isVisible());
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
