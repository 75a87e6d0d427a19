// File names built from tag text. A built name never names a sub-folder or holds a
// NUL: tag text such as "AC/DC" must not move a file into a folder "AC".
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace trackdeck::names {

// The track number text: two digits below 10 ("01" to "09"), then 10, 11, ...
[[nodiscard]] QString NumberText(int number);

// The pattern's values joined by " - "; an empty value adds nothing, except as the
// first, which the name then is.
[[nodiscard]] QString BuildNameFromTag(const QString& artist, const QString& title,
                                       const QString& album, int number,
                                       const QStringList& pattern);

// Removes "?", ",", ":", the double quote, "/" and NUL, then the blanks around.
[[nodiscard]] QString CleanFileName(QString name);

// The name field's key filter: ">", "\", "/", ".", "*", the double quote and every
// control character (Enter included) are discarded; Backspace is let through.
[[nodiscard]] bool IsDiscardedNameKey(QChar key);

// The text without the characters the key filter discards (for pasted text).
[[nodiscard]] QString WithoutDiscardedKeys(QString text);

}  // namespace trackdeck::names
