#include "app/search/ElidedPath.h"

#include <QApplication>
#include <QStyle>

namespace trackdeck::search {

namespace {

const QString Ellipsis = QString::fromUtf8("…");

QString Joined(const QStringList& parts, qsizetype head, qsizetype tail) {
    const QStringList front = parts.mid(0, head);
    const QStringList back = parts.mid(parts.size() - tail);
    return front.join('/') + '/' + Ellipsis + '/' + back.join('/');
}

}  // namespace

QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width) return path;
    // "/home/x/a.mp3" splits into "", "home", "x", "a.mp3": the empty first part is the root.
    const QStringList parts = path.split('/');
    if (parts.size() < 3) return metrics.elidedText(path, Qt::ElideMiddle, width);
    qsizetype head = 1;
    qsizetype tail = 1;
    const QString shortest = Joined(parts, head, tail);
    if (metrics.horizontalAdvance(shortest) > width) {
        const QString prefix = shortest.left(shortest.size() - parts.back().size());
        return prefix + metrics.elidedText(parts.back(), Qt::ElideMiddle,
                                           width - metrics.horizontalAdvance(prefix));
    }
    // Folders come back one at a time, by turns from the file's side and the root's,
    // while the path still fits.
    bool fileSide = true;
    bool full[2] = {false, false};  // the file's side, the root's side
    while (head + tail < parts.size() - 1 && !(full[0] && full[1])) {
        const int side = fileSide ? 0 : 1;
        if (!full[side]) {
            const qsizetype nextHead = fileSide ? head : head + 1;
            const qsizetype nextTail = fileSide ? tail + 1 : tail;
            if (metrics.horizontalAdvance(Joined(parts, nextHead, nextTail)) <= width) {
                head = nextHead;
                tail = nextTail;
            } else {
                full[side] = true;
            }
        }
        fileSide = !fileSide;
    }
    return Joined(parts, head, tail);
}

QString ElidedPathDelegate::ShownText(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    QStyleOptionViewItem shown(option);
    initStyleOption(&shown, index);
    return shown.text;
}

QSize ElidedPathDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    // Never wider than the list: the text is shortened instead.
    return {1, QStyledItemDelegate::sizeHint(option, index).height()};
}

void ElidedPathDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QWidget* view = option->widget;
    const QStyle* style = view != nullptr ? view->style() : QApplication::style();
    // The margins the style leaves on each side of an entry's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    option->text = ElidedPath(option->text, option->fontMetrics, option->rect.width() - 2 * margin);
    option->textElideMode = Qt::ElideNone;
}

}  // namespace trackdeck::search
