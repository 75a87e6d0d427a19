#include "app/player/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace trackdeck::pictures {

namespace {

constexpr qreal Density = 2.0;

QPixmap Canvas(QSize size) {
    QPixmap pixmap(size * Density);
    pixmap.setDevicePixelRatio(Density);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

const QColor Accent(0x35, 0xe0, 0x4a);

void DrawBase(QPainter& painter, QRectF area, bool pressed) {
    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0, pressed ? QColor(0x18, 0x18, 0x18) : QColor(0x4a, 0x4d, 0x52));
    shade.setColorAt(1, pressed ? QColor(0x30, 0x30, 0x30) : QColor(0x1c, 0x1d, 0x20));
    painter.setPen(QPen(pressed ? Accent.darker(150) : QColor(0x0a, 0x0a, 0x0a), 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (!pressed) {
        painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
        painter.drawLine(area.topLeft() + QPointF(5, 1.5), area.topRight() + QPointF(-5, 1.5));
    }
}

void DrawSymbol(QPainter& painter, Button button, QRectF box) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Accent);
    switch (button) {
        case Button::Play: {
            QPainterPath triangle;
            triangle.moveTo(box.left() + box.width() * 0.2, box.top());
            triangle.lineTo(box.right(), box.center().y());
            triangle.lineTo(box.left() + box.width() * 0.2, box.bottom());
            triangle.closeSubpath();
            painter.drawPath(triangle);
            break;
        }
        case Button::Pause: {
            const qreal bar = box.width() * 0.32;
            painter.drawRoundedRect(
                QRectF(box.left() + box.width() * 0.08, box.top(), bar, box.height()), 1, 1);
            painter.drawRoundedRect(
                QRectF(box.right() - box.width() * 0.08 - bar, box.top(), bar, box.height()), 1, 1);
            break;
        }
        case Button::Stop:
            painter.drawRoundedRect(box.adjusted(box.width() * 0.05, box.height() * 0.05,
                                                 -box.width() * 0.05, -box.height() * 0.05),
                                    1.5, 1.5);
            break;
        case Button::Search: {
            const qreal r = box.width() * 0.32;
            const QPointF centre(box.left() + r + 1, box.top() + r + 1);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Accent, 2.2, Qt::SolidLine, Qt::RoundCap));
            painter.drawEllipse(centre, r, r);
            painter.drawLine(centre + QPointF(r * 0.72, r * 0.72), box.bottomRight());
            break;
        }
    }
}

}  // namespace

QPixmap ButtonPicture(Button button, bool pressed, QSize size) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, size.width(), size.height());
    DrawBase(painter, area, pressed);
    const qreal side = std::min(area.width(), area.height()) * 0.42;
    QRectF box(0, 0, side, side);
    box.moveCenter(area.center() + (pressed ? QPointF(0.5, 0.5) : QPointF()));
    DrawSymbol(painter, button, box);
    return pixmap;
}

QPixmap KnobPicture(bool horizontal, QSize size) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(area.topLeft(), horizontal ? area.bottomLeft() : area.topRight());
    shade.setColorAt(0, QColor(0xd8, 0xdb, 0xde));
    shade.setColorAt(1, QColor(0x7c, 0x80, 0x86));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(area, 3, 3);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int i = -1; i <= 1; ++i) {
        if (horizontal) {
            const qreal x = area.center().x() + i * 3;
            painter.drawLine(QPointF(x, area.top() + 4), QPointF(x, area.bottom() - 4));
        } else {
            const qreal y = area.center().y() + i * 3;
            painter.drawLine(QPointF(area.left() + 4, y), QPointF(area.right() - 4, y));
        }
    }
    return pixmap;
}

QPixmap LevelGradient(QSize size) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    QLinearGradient level(0, size.height(), 0, 0);
    level.setColorAt(0.0, QColor(0x10, 0xb0, 0x20));
    level.setColorAt(0.6, QColor(0xe0, 0xe0, 0x20));
    level.setColorAt(1.0, QColor(0xe0, 0x20, 0x20));
    painter.fillRect(QRectF(0, 0, size.width(), size.height()), level);
    // Segment lines, as a meter shows them.
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
    for (int y = 3; y < size.height(); y += 4) painter.drawLine(0, y, size.width(), y);
    return pixmap;
}

}  // namespace trackdeck::pictures
