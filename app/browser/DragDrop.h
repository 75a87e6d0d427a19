// Dragging the marked files of one pane's list onto the other list, which copies or
// moves them into that pane's folder (DragDropAction) through the file operations,
// with their questions. Only while DragDropActive is on; a drop on the list the drag
// came from, or anywhere else, does nothing. A press on a marked entry keeps the
// marks until the button is released, so several files can be dragged at once.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "app/common/ActivePane.h"
#include "app/common/AppState.h"

class QDrag;
class QDropEvent;
class QMouseEvent;

namespace trackdeck::browser {

// What a drop does: the file operations above the panes, with their questions.
struct DropActions {
    std::function<void()> Copy;
    std::function<void()> Move;
};

class DragDrop : public QObject {
public:
    DragDrop(PaneLists lists, AppState& state, DropActions drop, QObject* parent);

    // The type of the drag's data: the number of the pane it came from.
    static constexpr char MimeType[] = "application/x-trackdeck-pane";

    // Runs a drag to its end; by default QDrag::exec. Tests replace it to play a
    // drag's course through the widgets' own drag events.
    using DragRunner = std::function<void(QDrag& drag)>;
    void SetDragRunner(DragRunner runner) { m_runner = std::move(runner); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] int PaneOf(QObject* viewport) const;
    bool Press(int pane, QMouseEvent& event);
    bool Moved(int pane, QMouseEvent& event);
    bool Released(int pane);
    void StartDrag(int pane);
    // The pane a drag over `pane`'s list comes from, when a drop there would act; else 0.
    [[nodiscard]] int DropSource(int pane, const QDropEvent& event) const;
    void Dropped(int pane, QDropEvent& event);

    PaneLists m_lists;
    AppState& m_state;
    DropActions m_drop;
    DragRunner m_runner;
    int m_pressPane = 0;
    QPoint m_pressPosition;
    int m_heldRow = -1;  // a marked entry pressed: its marks wait for the release
    bool m_dragging = false;
};

}  // namespace trackdeck::browser
