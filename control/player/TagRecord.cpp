#include "control/player/TagRecord.h"

#include "control/player/GenreNames.h"
#include "control/player/Id3v1Layout.h"

namespace aurion {

namespace {

void CopyIfNotEmpty(const std::string& source, std::string& target, size_t width) {
    if (!source.empty()) target = FieldText(source, width);
}

}  // namespace

void MergeTagRecord(const TagRecord& source, TagRecord& target) {
    target.Title = FieldText(source.Title, id3v1::Title.Width);
    CopyIfNotEmpty(source.Artist, target.Artist, id3v1::Artist.Width);
    CopyIfNotEmpty(source.Album, target.Album, id3v1::Album.Width);
    CopyIfNotEmpty(source.Comment, target.Comment, id3v1::Comment.Width);
    CopyIfNotEmpty(source.Year, target.Year, id3v1::Year.Width);
    if (source.Genre != NoGenre) target.Genre = source.Genre;
    if (target.Genre < 0 || target.Genre >= ListedGenreCount) target.Genre = 0;
    target.GenreName = std::string(GenreName(target.Genre));
}

std::string FieldText(std::string_view text, size_t width) {
    text = text.substr(0, text.find('\0'));
    return std::string(text.substr(0, width));
}

}  // namespace aurion
