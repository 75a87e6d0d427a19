#include "app/browser/DragIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace trackdeck::browser {

namespace {

constexpr int Size = 32;        // logical pixels
constexpr qreal Density = 2.0;  // drawn for high-DPI screens
const QColor Sheet(0xe8, 0xec, 0xf0);
const QColor Outline(0x20, 0x24, 0x28);
const QColor Green(0x30, 0xe0, 0x48);
const QColor Grey(0x8a, 0x90, 0x96);

QPixmap Canvas() {
    QPixmap pixmap(Size * Density, Size * Density);
    pixmap.setDevicePixelRatio(Density);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A file sheet with a folded corner and a note on it: what is being dragged.
void DrawSheet(QPainter& painter, const QRectF& box, const QColor& note) {
    const qreal fold = box.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(box.topLeft());
    sheet.lineTo(box.right() - fold, box.top());
    sheet.lineTo(box.right(), box.top() + fold);
    sheet.lineTo(box.bottomRight());
    sheet.lineTo(box.bottomLeft());
    sheet.closeSubpath();
    painter.setPen(QPen(Outline, 1.2));
    painter.setBrush(Sheet);
    painter.drawPath(sheet);
    painter.drawLine(QPointF(box.right() - fold, box.top()),
                     QPointF(box.right() - fold, box.top() + fold));
    painter.drawLine(QPointF(box.right() - fold, box.top() + fold),
                     QPointF(box.right(), box.top() + fold));
    // An eighth note.
    const QPointF head(box.left() + box.width() * 0.38, box.bottom() - box.height() * 0.28);
    painter.setPen(QPen(note, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(note);
    painter.drawEllipse(head, box.width() * 0.13, box.width() * 0.1);
    const QPointF stemTop(head.x() + box.width() * 0.12, box.top() + box.height() * 0.3);
    painter.drawLine(QPointF(head.x() + box.width() * 0.12, head.y()), stemTop);
    painter.drawLine(stemTop, stemTop + QPointF(box.width() * 0.16, box.height() * 0.12));
}

// A round badge at the lower right corner.
QRectF Badge() { return {Size * 0.5, Size * 0.5, Size * 0.46, Size * 0.46}; }

}  // namespace

QPixmap NeutralDragIcon() {
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSheet(painter, QRectF(3, 2, 19, 24), Grey);
    // No entry: a grey ring with a bar, as long as there is nowhere to drop.
    const QRectF badge = Badge();
    painter.setPen(QPen(Outline, 1.0));
    painter.setBrush(QColor(0x3a, 0x3e, 0x44));
    painter.drawEllipse(badge);
    painter.setPen(QPen(Sheet, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = badge.adjusted(3.5, 3.5, -3.5, -3.5);
    painter.drawEllipse(ring);
    painter.drawLine(QPointF(ring.left() + 1.8, ring.bottom() - 1.8),
                     QPointF(ring.right() - 1.8, ring.top() + 1.8));
    return pixmap;
}

QPixmap DropDragIcon() {
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSheet(painter, QRectF(3, 2, 19, 24), QColor(0x1c, 0x8a, 0x2c));
    // A green badge with an arrow pointing in: let go and the files go here.
    const QRectF badge = Badge();
    painter.setPen(QPen(Outline, 1.0));
    painter.setBrush(Green);
    painter.drawEllipse(badge);
    painter.setPen(QPen(Outline, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c = badge.center();
    const qreal r = badge.width() * 0.26;
    painter.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    painter.drawLine(QPointF(c.x() - r * 0.8, c.y() + r * 0.2), QPointF(c.x(), c.y() + r));
    painter.drawLine(QPointF(c.x() + r * 0.8, c.y() + r * 0.2), QPointF(c.x(), c.y() + r));
    return pixmap;
}

QCursor DropTargetPointer() {
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // An arrow pointer with a small green target below it: this list takes the drop.
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 19);
    arrow.lineTo(5.5, 14.5);
    arrow.lineTo(9, 22);
    arrow.lineTo(12, 20.5);
    arrow.lineTo(8.5, 13.5);
    arrow.lineTo(14.5, 13.5);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    const QPointF centre(22, 23);
    painter.setPen(QPen(Outline, 1.0));
    painter.setBrush(Green);
    painter.drawEllipse(centre, 8, 8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Outline, 1.6));
    painter.drawEllipse(centre, 4.5, 4.5);
    painter.setBrush(Outline);
    painter.drawEllipse(centre, 1.5, 1.5);
    return QCursor(pixmap, 1, 1);
}

}  // namespace trackdeck::browser
