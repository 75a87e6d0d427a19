#include "app/names/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace trackdeck::names {

WindowDrag::WindowDrag(QWidget& window) : QObject(&window), m_window(window) {
    window.installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != &m_window || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                                 type != QEvent::MouseButtonRelease))
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) m_grab = mouse->globalPosition().toPoint();
            break;
        case QEvent::MouseMove:
            if (m_grab && (mouse->buttons() & Qt::LeftButton)) {
                const QPoint now = mouse->globalPosition().toPoint();
                m_window.move(m_window.pos() + now - *m_grab);
                m_grab = now;
            }
            break;
        case QEvent::MouseButtonRelease:
            m_grab.reset();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace trackdeck::names
