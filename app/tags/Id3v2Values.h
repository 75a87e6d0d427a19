// The ID3v2 tag that many files carry besides their ID3v1 tag, and which other
// players show instead. Read only, through TagLib; the program never writes it.
#pragma once

#include <QString>
#include <optional>

namespace trackdeck::tags {

struct Id3v2Values {
    QString Artist;
    QString Title;
    QString Album;
    QString Year;  // empty when the tag holds none
};

// The values of the file's ID3v2 tag; nothing when it has none or cannot be read.
[[nodiscard]] std::optional<Id3v2Values> ReadId3v2(const QString& path);

}  // namespace trackdeck::tags
