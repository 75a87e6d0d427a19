#include "app/tags/TagText.h"

namespace trackdeck::tags {

QString SpaceOut(const QString& text, int length) {
    if (length <= 0) return {};
    if (text.size() <= length) return text + QString(length - text.size(), QChar(' '));
    return text.left(length);
}

void CleanTagText(QString& text) {
    while (!text.isEmpty() && text.back() == QChar(0)) text.chop(1);
    const qsizetype firstNul = text.indexOf(QChar(0));
    if (firstNul >= 0) text.truncate(firstNul);
}

}  // namespace trackdeck::tags
