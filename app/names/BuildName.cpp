#include "app/names/BuildName.h"

#include "app/names/PatternFields.h"

namespace trackdeck::names {

namespace {

constexpr char16_t Backspace = 8;

QString TrimmedBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}

}  // namespace

QString NumberText(int number) {
    const QString digits = QString::number(number);
    return number < 10 ? "0" + digits : digits;
}

QString BuildNameFromTag(const QString& artist, const QString& title, const QString& album,
                         int number, const QStringList& pattern) {
    QString name;
    for (const QString& entry : pattern) {
        QString value;
        if (entry == FieldArtist) value = artist;
        if (entry == FieldTitle) value = title;
        if (entry == FieldAlbum) value = album;
        if (entry == FieldNumber) value = NumberText(number);
        if (name.isEmpty())
            name = value;
        else if (!value.isEmpty())
            name += DefaultSeparator + value;
    }
    return name;
}

QString CleanFileName(QString name) {
    for (const QChar removed : {u'?', u',', u':', u'"', u'/', u'\0'}) name.remove(removed);
    return TrimmedBlanks(name);
}

bool IsDiscardedNameKey(QChar key) {
    if (key.unicode() == Backspace) return false;
    if (key.unicode() < 32) return true;
    return QStringLiteral(">\\/.*\"").contains(key);
}

QString WithoutDiscardedKeys(QString text) {
    text.removeIf([](QChar c) { return IsDiscardedNameKey(c) || c.unicode() == Backspace; });
    return text;
}

}  // namespace trackdeck::names
