// The hint beside the tag fields that the file's ID3v2 tag, which other players
// show, says something else than its ID3v1 tag.
#pragma once

#include <QLabel>
#include <QString>

#include "app/tags/Id3v2Values.h"
#include "app/tags/TagFields.h"

namespace trackdeck::tags {

// True when ID3v2 holds an artist, title, album or year that the ID3v1 field does
// not. A value the ID3v1 field cannot hold in full counts as the same when the field
// holds its beginning; a value that ID3v2 leaves empty differs from nothing.
[[nodiscard]] bool Id3v2Differs(const Id3v2Values& id3v2, const TagFields& id3v1);

// "ID3v2:" and the values it holds, one a line.
[[nodiscard]] QString Id3v2ToolTip(const Id3v2Values& id3v2);

// Shows the hint, with the ID3v2 values as its tool tip, when the file's ID3v2 tag
// differs from `id3v1`, and hides it otherwise.
void ShowOtherTagHint(QLabel& hint, const QString& path, const TagFields& id3v1);

}  // namespace trackdeck::tags
