#include "app/tags/TagRecord.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "app/tags/CodePageText.h"
#include "app/tags/TagCodePage.h"
#include "app/tags/TagText.h"

namespace trackdeck::tags {

namespace {

// The field as bytes of the tag code page, exactly `width` of them: a character
// outside the code page is "?", and a character of two UTF-16 units still fills one byte.
std::string FieldBytes(const QString& text, int width) {
    std::string bytes = CodePageBytes(SpaceOut(text, width), TagCodePage());
    bytes.resize(static_cast<std::size_t>(width), ' ');
    return bytes;
}

}  // namespace

std::optional<std::uintmax_t> FileLength(const QString& path) {
    std::error_code error;
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    const std::uintmax_t length = std::filesystem::file_size(file, error);
    if (error) return std::nullopt;
    return length;
}

TagBytes BuildTagRecord(const QString& title, const QString& artist, const QString& album,
                        const QString& year, const QString& comment, uint8_t genre) {
    TagBytes bytes{'T', 'A', 'G'};
    for (const auto& [text, field] :
         {std::pair{&title, TitleField}, std::pair{&artist, ArtistField},
          std::pair{&album, AlbumField}, std::pair{&year, YearField},
          std::pair{&comment, CommentField}}) {
        const std::string fieldBytes = FieldBytes(*text, field.Width);
        std::copy(fieldBytes.begin(), fieldBytes.end(), bytes.begin() + field.Offset);
    }
    bytes[GenreOffset] = static_cast<char>(genre);
    return bytes;
}

bool WriteTagRecord(const QString& path, const TagBytes& record, bool overwrite) {
    const std::optional<std::uintmax_t> length = FileLength(path);
    if (!length || (overwrite && *length < TagSize)) return false;
    std::fstream file(QFile::encodeName(path).toStdString(),
                      std::ios::in | std::ios::out | std::ios::binary);
    if (!file) return false;
    const std::uintmax_t position = overwrite ? *length - TagSize : *length;
    file.seekp(static_cast<std::streamoff>(position));
    file.write(record.data(), static_cast<std::streamsize>(record.size()));
    file.flush();
    return static_cast<bool>(file);
}

QString TextFromTagBytes(const char* bytes, std::size_t count) {
    return TextFromCodePage(bytes, count, TagCodePage());
}

}  // namespace trackdeck::tags
