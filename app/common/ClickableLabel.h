// A label that reports a click of the left mouse button (the "OPTIONEN" label and
// the picture buttons of the main window).
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace trackdeck {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace trackdeck
