#include "app/common/SideBySide.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace trackdeck {

namespace {

// Moves the window so that its frame's top left corner lands on `corner`; how
// move() counts the frame differs between platforms, the frame itself does not.
void MoveFrameTo(QWidget& window, const QPoint& corner) {
    window.move(window.pos() + (corner - window.frameGeometry().topLeft()));
}

}  // namespace

void PlaceSideBySide(QWidget& main, QWidget& beside, BesideTop top) {
    const QScreen* screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QRect mainFrame = main.frameGeometry();
    const QRect besideFrame = beside.frameGeometry();
    const int left = area.left() + area.width() / 2 - (mainFrame.width() + besideFrame.width()) / 2;
    MoveFrameTo(main, {left, mainFrame.top()});
    const int besideTop = top == BesideTop::CentredOnMain
                              ? mainFrame.top() + (mainFrame.height() - besideFrame.height()) / 2
                              : besideFrame.top();
    MoveFrameTo(beside, {main.frameGeometry().right() + 1, besideTop});
}

}  // namespace trackdeck
