// The one routine through which the program writes a tag: the five text fields
// replace whatever the file held (an empty field becomes blanks), the genre byte of
// an existing tag is kept and a new tag gets 255. The tag ending the file is
// overwritten, otherwise one is appended, so a file never carries two. Shows no
// message: a file that cannot be examined or written stays unchanged, and the result
// says so for the callers that must not lose an edit silently.
#pragma once

#include <QString>

#include "app/tags/TagFields.h"

namespace trackdeck::tags {

// True when the tag was written.
bool StoreTag(const QString& path, const TagFields& fields);

}  // namespace trackdeck::tags
