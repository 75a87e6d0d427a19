// A character of a tag edit that the tag code page cannot hold: it would reach the
// file as "?", so the user is asked before the tag is written.
#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "app/tags/TagCodePage.h"
#include "app/tags/TagFields.h"

namespace trackdeck::tags {

struct UnstorableCharacter {
    QString Field;  // the field's caption, "Titel"
    char32_t Character = 0;
};

// The first such character, the fields taken in the order of the tag area.
[[nodiscard]] std::optional<UnstorableCharacter> FirstUnstorableCharacter(const TagFields& fields,
                                                                          CodePage page);

// True when the fields can be written: every character fits the tag code page, or
// the user, told which does not, chose to write it as "?".
[[nodiscard]] bool AcceptUnstorableCharacters(const TagFields& fields);

// The same for the tags of several files (path, fields), asked once for all.
[[nodiscard]] bool AcceptUnstorableCharacters(
    const std::vector<std::pair<QString, TagFields>>& tags);

}  // namespace trackdeck::tags
