#include "app/tags/TagFields.h"

#include "app/tags/MP3TagEditor.h"
#include "app/tags/TagText.h"

namespace trackdeck::tags {

bool LoadCleanTag(const QString& path, TagFields& fields) {
    MP3TagEditor& editor = SharedTagEditor();
    const bool loaded = editor.LoadMP3(path);
    fields = {editor.Artist(), editor.Title(), editor.Album(), editor.Comment(), editor.Year()};
    for (QString* text :
         {&fields.Artist, &fields.Title, &fields.Album, &fields.Comment, &fields.Year})
        CleanTagText(*text);
    return loaded && editor.TagExists();
}

}  // namespace trackdeck::tags
