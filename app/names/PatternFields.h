// The field names of a name pattern, as the pattern lists and the texts show them.
// "Nr" stands for the track number: parsing skips its part of the name (the tag has
// no track field), building writes the entry's list position.
#pragma once

#include <QString>
#include <QStringList>

namespace trackdeck::names {

inline const QString FieldArtist = QStringLiteral("Interpret");
inline const QString FieldTitle = QStringLiteral("Titel");
inline const QString FieldAlbum = QStringLiteral("Album");
inline const QString FieldNumber = QStringLiteral("Nr");

// A pattern holds at most this many entries; a further check adds nothing.
inline constexpr int MaxPatternEntries = 4;

// The separator of built names and the default separator of parsing.
inline const QString DefaultSeparator = QStringLiteral(" - ");

// The pattern both windows start with.
[[nodiscard]] inline QStringList DefaultPattern() { return {FieldArtist, FieldTitle}; }

}  // namespace trackdeck::names
