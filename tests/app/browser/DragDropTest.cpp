#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

#include "app/browser/DragDrop.h"
#include "tests/app/PaneTestSupport.h"

namespace trackdeck::test {
namespace {

// The mouse in a list's viewport, as the window system delivers it.
void Mouse(QListWidget& list, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &event);
}

QPoint On(const QListWidget& list, int row) { return list.visualItemRect(list.item(row)).center(); }

// Presses on the row, moves well past the drag distance and lets go.
void PressMoveRelease(QListWidget& list, int row) {
    Mouse(list, QEvent::MouseButtonPress, On(list, row), Qt::LeftButton);
    Mouse(list, QEvent::MouseMove, On(list, row) + QPoint(0, 40), Qt::LeftButton);
    Mouse(list, QEvent::MouseButtonRelease, On(list, row) + QPoint(0, 40), Qt::NoButton);
}

struct DragCourse {
    int Drags = 0;
    bool EnterAccepted = false;
    bool DropAccepted = false;
    bool IconsSet = false;
};

class DragDropTest : public PaneTest {
protected:
    // Every drag enters `target` and is dropped there, through its own drag events.
    void DropOn(frmDeck& form, QListWidget& target) {
        form.DragDropSet().SetDragRunner([this, &target](QDrag& drag) {
            ++m_course.Drags;
            m_course.IconsSet = !drag.dragCursor(Qt::IgnoreAction).isNull() &&
                                !drag.dragCursor(drag.defaultAction()).isNull();
            const QPoint at(10, 10);
            QDragEnterEvent enter(at, drag.supportedActions(), drag.mimeData(), Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(target.viewport(), &enter);
            m_course.EnterAccepted = enter.isAccepted();
            QDropEvent drop(at, drag.supportedActions(), drag.mimeData(), Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(target.viewport(), &drop);
            m_course.DropAccepted = drop.isAccepted();
        });
    }

    DragCourse m_course;
};

TEST_F(DragDropTest, WithDragAndDropOffAPressOnlySelects) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(left + "a.mp3", "a");
    auto form = StartWith(left, right, 1, {.Copy = false});
    const DeckControls ui(*form);
    DropOn(*form, *ui.List2);
    PressMoveRelease(*ui.List1, 0);
    EXPECT_EQ(m_course.Drags, 0);
    EXPECT_TRUE(ui.List1->item(0)->isSelected());
    EXPECT_TRUE(FolderContents(right).isEmpty());
    Close(form);
}

TEST_F(DragDropTest, ADropOnTheOtherListCopiesEveryMarkedFileAndAPressOnAMarkedOneKeepsTheMarks) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) WriteFile(left + name, name);
    auto form = StartWith(left, right, 1, {.Copy = false});
    const DeckControls ui(*form);
    m_state.DragDropActive = true;
    DropOn(*form, *ui.List2);
    Activate(*form, 1);
    Mark(*ui.List1, {"a.mp3", "c.mp3"});
    PressMoveRelease(*ui.List1, 2);
    EXPECT_EQ(m_course.Drags, 1);
    EXPECT_TRUE(m_course.IconsSet);
    EXPECT_TRUE(m_course.EnterAccepted) << "over the other list the drop icon shows";
    EXPECT_TRUE(m_course.DropAccepted);
    ASSERT_TRUE(WaitFor([&] { return FolderContents(right).size() == 2; }, 2000));
    EXPECT_EQ(FolderContents(right), QStringList({"a.mp3", "c.mp3"}));
    EXPECT_EQ(Entries(*ui.List2), QStringList({"a.mp3", "c.mp3"}));
    EXPECT_EQ(FolderContents(left).size(), 3);

    // A click on one of several marked entries, with no drag, marks it alone.
    Mark(*ui.List1, {"a.mp3", "b.mp3"});
    Mouse(*ui.List1, QEvent::MouseButtonPress, On(*ui.List1, 1), Qt::LeftButton);
    EXPECT_EQ(ui.List1->selectedItems().size(), 2);
    Mouse(*ui.List1, QEvent::MouseButtonRelease, On(*ui.List1, 1), Qt::NoButton);
    EXPECT_EQ(ui.List1->selectedItems().size(), 1);
    EXPECT_TRUE(ui.List1->item(1)->isSelected());
    EXPECT_EQ(m_course.Drags, 1);
    Close(form);
}

TEST_F(DragDropTest, ADropWithTheMoveActionAsksTheQuestionOfTheBewegenButton) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(right + "b.mp3", "b");
    auto form = StartWith(left, right, 2);
    const DeckControls ui(*form);
    m_state.DragDropActive = true;
    m_state.DragDropAction = 2;
    DropOn(*form, *ui.List1);
    Activate(*form, 2);
    m_answers = {Answer::Yes};
    PressMoveRelease(*ui.List2, 0);
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(left + "b.mp3"); }, 2000));
    EXPECT_EQ(MessageTexts(), QStringList{"b.mp3 nach " + left + " umbewegen ?"});
    EXPECT_FALSE(QFile::exists(right + "b.mp3"));
    EXPECT_EQ(Entries(*ui.List1), QStringList{"b.mp3"});
    EXPECT_TRUE(Entries(*ui.List2).isEmpty());
    Close(form);
}

TEST_F(DragDropTest, ADropBackOnTheSameListOrAPressBesideTheEntriesDoesNothing) {
    const QString left = MakeFolder("left");
    const QString right = MakeFolder("right");
    WriteFile(left + "a.mp3", "a");
    auto form = StartWith(left, right, 1);
    const DeckControls ui(*form);
    m_state.DragDropActive = true;
    DropOn(*form, *ui.List1);
    Activate(*form, 1);
    Mark(*ui.List1, {"a.mp3"});
    PressMoveRelease(*ui.List1, 0);
    EXPECT_EQ(m_course.Drags, 1);
    EXPECT_FALSE(m_course.EnterAccepted) << "over its own list the neutral icon shows";
    EXPECT_FALSE(m_course.DropAccepted);
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(FolderContents(left), QStringList{"a.mp3"});
    EXPECT_TRUE(FolderContents(right).isEmpty());

    // Below the last entry: the press marks nothing, so no drag starts.
    const QPoint below(10, ui.List1->viewport()->height() - 5);
    Mouse(*ui.List1, QEvent::MouseButtonPress, below, Qt::LeftButton);
    Mouse(*ui.List1, QEvent::MouseMove, below - QPoint(0, 40), Qt::LeftButton);
    Mouse(*ui.List1, QEvent::MouseButtonRelease, below - QPoint(0, 40), Qt::NoButton);
    EXPECT_EQ(m_course.Drags, 1);
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
