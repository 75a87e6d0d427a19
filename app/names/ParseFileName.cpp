#include "app/names/ParseFileName.h"

#include "app/common/PathHelpers.h"
#include "app/names/PatternFields.h"

namespace trackdeck::names {

TagFields ParseName(const QString& name, const QString& separator, const QStringList& pattern,
                    TagFields start) {
    QString rest = name + separator;
    qsizetype length = 0;
    for (const QString& entry : pattern) {
        // Not found only once the name is used up: the length then takes nothing.
        const qsizetype found = rest.indexOf(separator);
        if (found >= 0) length = found;
        const QString part = rest.left(length);
        if (entry == FieldArtist) start.Artist = part;
        if (entry == FieldTitle) start.Title = part;
        if (entry == FieldAlbum) start.Album = part;
        if (rest.size() >= length + separator.size()) rest.remove(0, length + separator.size());
    }
    return start;
}

TagFields ParseFileName(const QString& path, const QString& separator, const QStringList& pattern) {
    TagFields fields;
    (void)tags::LoadCleanTag(path, fields);
    QString name = FileNameOf(LongName(path).value_or(path));
    name.chop(4);  // the extension with its dot
    return ParseName(name, separator, pattern, fields);
}

}  // namespace trackdeck::names
