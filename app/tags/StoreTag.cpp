#include "app/tags/StoreTag.h"

#include "app/tags/MP3TagEditor.h"
#include "app/tags/TagRecord.h"

namespace trackdeck::tags {

bool StoreTag(const QString& path, const TagFields& fields) {
    MP3TagEditor& editor = SharedTagEditor();
    // A file that cannot be examined might end in a tag all the same: appending
    // another would leave it with two.
    if (!editor.LoadMP3(path)) return false;
    const auto genre = static_cast<uint8_t>(editor.GenreNumber() & 0xFF);
    const TagBytes record = BuildTagRecord(fields.Title, fields.Artist, fields.Album, fields.Year,
                                           fields.Comment, genre);
    return WriteTagRecord(path, record, editor.TagExists());
}

}  // namespace trackdeck::tags
