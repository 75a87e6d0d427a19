// Moves a frameless tool window by the distance the mouse moves while the left
// button is held on its background, as the tag tools' windows have always moved.
#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

namespace trackdeck::names {

class WindowDrag : public QObject {
public:
    // Watches the window's background; the drag object belongs to the window.
    explicit WindowDrag(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::optional<QPoint> m_grab;
};

}  // namespace trackdeck::names
