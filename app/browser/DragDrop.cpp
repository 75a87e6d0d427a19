#include "app/browser/DragDrop.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>

#include "app/browser/DragIcons.h"

namespace trackdeck::browser {

DragDrop::DragDrop(PaneLists lists, AppState& state, DropActions drop, QObject* parent)
    : QObject(parent), m_lists(lists), m_state(state), m_drop(std::move(drop)) {
    for (int pane : {1, 2}) {
        QListWidget* list = m_lists.Of(pane);
        list->setAcceptDrops(true);
        list->viewport()->setAcceptDrops(true);
        list->viewport()->installEventFilter(this);
    }
}

int DragDrop::PaneOf(QObject* viewport) const {
    if (viewport == m_lists.List1->viewport()) return 1;
    if (viewport == m_lists.List2->viewport()) return 2;
    return 0;
}

bool DragDrop::Press(int pane, QMouseEvent& event) {
    m_pressPane = 0;
    m_heldRow = -1;
    // The right button belongs to the context menus.
    if (!m_state.DragDropActive || event.button() == Qt::RightButton) return false;
    m_pressPane = pane;
    m_pressPosition = event.position().toPoint();
    QListWidget* list = m_lists.Of(pane);
    const QListWidgetItem* item = list->itemAt(m_pressPosition);
    if (item == nullptr || !item->isSelected() || event.modifiers() != Qt::NoModifier ||
        list->selectedItems().size() < 2)
        return false;  // the list selects as always; a drag may follow
    m_heldRow = list->row(item);
    list->setFocus(Qt::MouseFocusReason);
    return true;
}

bool DragDrop::Moved(int pane, QMouseEvent& event) {
    if (m_pressPane != pane || m_dragging || !(event.buttons() & Qt::LeftButton)) return false;
    if ((event.position().toPoint() - m_pressPosition).manhattanLength() <
        QApplication::startDragDistance())
        return m_heldRow >= 0;
    // A drag takes the marked entries from a marked one: a press beside the entries
    // starts the list's own marking instead.
    const QListWidgetItem* pressed = m_lists.Of(pane)->itemAt(m_pressPosition);
    if (pressed == nullptr || !pressed->isSelected()) return false;
    StartDrag(pane);
    return true;
}

bool DragDrop::Released(int pane) {
    const int heldRow = std::exchange(m_heldRow, -1);
    m_pressPane = 0;
    if (m_state.DragDropActive) m_lists.Of(OtherPane(pane))->viewport()->unsetCursor();
    if (heldRow < 0 || m_dragging) return false;
    // A plain click on a marked entry: now it alone is marked.
    QListWidget* list = m_lists.Of(pane);
    list->setCurrentRow(heldRow, QItemSelectionModel::ClearAndSelect);
    return true;
}

void DragDrop::StartDrag(int pane) {
    QListWidget* list = m_lists.Of(pane);
    QListWidget* other = m_lists.Of(OtherPane(pane));
    const Qt::DropAction action = m_state.DragDropAction == 2 ? Qt::MoveAction : Qt::CopyAction;
    auto* data = new QMimeData;
    data->setData(MimeType, QByteArray::number(pane));
    QDrag drag(list);
    drag.setMimeData(data);
    drag.setDragCursor(NeutralDragIcon(), Qt::IgnoreAction);
    drag.setDragCursor(DropDragIcon(), action);
    other->viewport()->setCursor(DropTargetPointer());
    m_dragging = true;
    if (m_runner)
        m_runner(drag);
    else
        drag.exec(action, action);
    m_dragging = false;
    m_heldRow = -1;
    m_pressPane = 0;
    // The drag took the button's release: the list is told, so it stops selecting.
    QMouseEvent release(QEvent::MouseButtonRelease, m_pressPosition,
                        list->viewport()->mapToGlobal(m_pressPosition), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
    other->viewport()->unsetCursor();
}

int DragDrop::DropSource(int pane, const QDropEvent& event) const {
    const QMimeData* data = event.mimeData();
    if (!m_state.DragDropActive || data == nullptr || !data->hasFormat(MimeType)) return 0;
    const int source = data->data(MimeType).toInt();
    // Only a drag from the other list, which is the active pane's, drops here.
    if (source == pane || source != m_state.ActivePane) return 0;
    return source;
}

void DragDrop::Dropped(int pane, QDropEvent& event) {
    if (DropSource(pane, event) == 0) {
        event.ignore();
        return;
    }
    event.acceptProposedAction();
    // The operation asks its questions once the drag has ended.
    const bool move = m_state.DragDropAction == 2;
    QMetaObject::invokeMethod(
        this, [this, move] { move ? m_drop.Move() : m_drop.Copy(); }, Qt::QueuedConnection);
}

bool DragDrop::eventFilter(QObject* watched, QEvent* event) {
    const int pane = PaneOf(watched);
    if (pane == 0) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            return Press(pane, *static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return Moved(pane, *static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return Released(pane);
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto& drag = *static_cast<QDropEvent*>(event);
            // Accepted, the drag shows the drop icon; ignored, the neutral one.
            if (DropSource(pane, drag) != 0)
                drag.acceptProposedAction();
            else
                drag.ignore();
            return true;
        }
        case QEvent::DragLeave:
            return true;
        case QEvent::Drop:
            Dropped(pane, *static_cast<QDropEvent*>(event));
            return true;
        default:
            return false;
    }
}

}  // namespace trackdeck::browser
