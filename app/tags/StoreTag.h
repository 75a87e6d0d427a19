// The one routine through which the program writes a tag: the five text fields
// replace whatever the file held (an empty field becomes blanks), the genre byte of
// an existing tag is kept and a new tag gets 255. The tag ending the file is
// overwritten, otherwise one is appended, so a file never carries two. Reports
// nothing: a file that cannot be opened stays unchanged. Note the argument order,
// artist before title.
#pragma once

#include <QString>

namespace trackdeck::tags {

void StoreTag(const QString& path, const QString& artist, const QString& title,
              const QString& album, const QString& comment, const QString& year);

}  // namespace trackdeck::tags
