// The five text fields of an ID3v1 tag as the program shows and edits them.
#pragma once

#include <QString>

namespace trackdeck::tags {

struct TagFields {
    QString Artist;
    QString Title;
    QString Album;
    QString Comment;
    QString Year;
};

// The texts of the file's tag through the shared tag editor, freed of the NUL
// padding other programs write; false, with empty fields, when the file has no tag
// or cannot be read.
[[nodiscard]] bool LoadCleanTag(const QString& path, TagFields& fields);

}  // namespace trackdeck::tags
