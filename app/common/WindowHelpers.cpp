#include "app/common/WindowHelpers.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "app/common/ControlEventPump.h"

namespace trackdeck {

void CenterForm(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    // Rounding halves to even, as the computation has always done.
    auto round = [](double value) { return static_cast<int>(std::nearbyint(value)); };
    const int top = round(area.height() * 0.95) / 2 - size.height() / 2;
    const int left = area.width() / 2 - size.width() / 2;
    window.move(area.left() + left, area.top() + top);
}

void MakeTopmost(QWidget& window) {
    const QPoint position = window.pos();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.move(position);
    LetPendingEventsRun();
}

}  // namespace trackdeck
