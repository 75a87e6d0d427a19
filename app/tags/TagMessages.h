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

}  // namespace trackdeck::tags
