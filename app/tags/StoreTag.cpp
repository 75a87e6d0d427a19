#include "app/tags/StoreTag.h"

#include "app/tags/MP3TagEditor.h"
#include "app/tags/TagRecord.h"

namespace trackdeck::tags {

void StoreTag(const QString& path, const QString& artist, const QString& title,
              const QString& album, const QString& comment, const QString& year) {
    MP3TagEditor& editor = SharedTagEditor();
    (void)editor.LoadMP3(path);
    const auto genre = static_cast<uint8_t>(editor.GenreNumber() & 0xFF);
    const TagBytes record = BuildTagRecord(title, artist, album, year, comment, genre);
    (void)WriteTagRecord(path, record, editor.TagExists());
}

}  // namespace trackdeck::tags
