// Tag fields read from the parts of a file name: "01 - Interpret - Titel.mp3" with
// the pattern Nr, Interpret, Titel and the separator " - " gives the artist
// "Interpret" and the title "Titel". Fields the pattern does not name keep the
// values of the file's own tag.
#pragma once

#include <QString>
#include <QStringList>

#include "app/tags/TagFields.h"

namespace trackdeck::names {

using tags::TagFields;

// Splits `name` (without extension) into its parts and fills the fields the
// pattern names, starting from `start`. Every part ends in a separator, the last
// one too; an empty separator makes every named field empty, a pattern entry with
// no part left gets the empty text.
[[nodiscard]] TagFields ParseName(const QString& name, const QString& separator,
                                  const QStringList& pattern, TagFields start);

// The fields of the file's tag (cleaned; empty without a tag) with the pattern's
// fields taken from the file's long name without its four-character extension.
[[nodiscard]] TagFields ParseFileName(const QString& path, const QString& separator,
                                      const QStringList& pattern);

}  // namespace trackdeck::names
