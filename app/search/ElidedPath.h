// Search results are full paths, often wider than their list. A path that does not
// fit is shortened in the middle by whole folders ("/home/…/Album/03 - Titel.mp3"),
// so that the file name and the folders nearest to it and to the root stay readable.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStyledItemDelegate>

namespace trackdeck::search {

// The path as it fits into `width` pixels in the font: unchanged when it fits; else
// the root's side and the file's side with "…" for the folders between, as many of
// them kept as fit, the nearer to the file first; a file name too long even alone
// keeps its beginning and its end.
[[nodiscard]] QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width);

// Draws each entry of a list of paths as ElidedPath shortens it to the entry's width.
class ElidedPathDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The entry's text as the list shows it in the option's rectangle.
    [[nodiscard]] QString ShownText(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace trackdeck::search
