// The texts the tag area shows in its message boxes.
#pragma once

#include <QString>

namespace trackdeck::tags {

inline const QString NothingSelectedInName =
    QString::fromUtf8("Im Dateinamen muss etwas ausgewählt sein.");

// A tag edit that could not be written (a read-only, missing or locked file).
inline QString TagNotWritten(const QString& path) {
    return "Der TAG konnte nicht in die Datei " + path + " geschrieben werden.";
}

// A character of the edit that the chosen ID3v1 code page cannot hold; "Ja" writes
// it as "?".
// „ж“ (U+0436)
inline QString ShownCharacter(char32_t character) {
    return QString::fromUtf8("„%1“ (U+%2)")
        .arg(QString::fromUcs4(&character, 1),
             QString::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, '0'));
}

inline QString CharacterNotInCodePage(const QString& field, char32_t character,
                                      const QString& codePage) {
    return QString::fromUtf8(
               "Das Feld „%1“ enthält das Zeichen %2, das die Zeichentabelle %3 "
               "nicht speichern kann. Es würde als „?“ geschrieben.\n\n"
               "Den TAG trotzdem so schreiben?")
        .arg(field, ShownCharacter(character), codePage);
}

// The same for the tags of several files, `files` of which hold such characters.
inline QString CharactersNotInCodePage(int files, const QString& fileName, const QString& field,
                                       char32_t character, const QString& codePage) {
    return QString::fromUtf8(
               "Zeichen, die die Zeichentabelle %2 nicht speichern kann, stehen in "
               "%1 der neuen TAGs, zuerst %3 im Feld „%4“ von %5. Sie würden als "
               "„?“ geschrieben.\n\nDie TAGs trotzdem so schreiben?")
        .arg(QString::number(files), codePage, ShownCharacter(character), field, fileName);
}

}  // namespace trackdeck::tags
