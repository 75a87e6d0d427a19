// Where the ID3v1 record lies in a file and how its bytes meet the program's text.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace trackdeck::tags {

// The ID3v1 record: "TAG", title 30, artist 30, album 30, year 4, comment 30, genre 1.
inline constexpr std::size_t TagSize = 128;
using TagBytes = std::array<char, TagSize>;

struct TagField {
    std::size_t Offset;
    int Width;
};
inline constexpr TagField TitleField{3, 30};
inline constexpr TagField ArtistField{33, 30};
inline constexpr TagField AlbumField{63, 30};
inline constexpr TagField YearField{93, 4};
inline constexpr TagField CommentField{97, 30};
inline constexpr std::size_t GenreOffset = 127;

// The file's length, or nothing on a file error.
[[nodiscard]] std::optional<std::uintmax_t> FileLength(const QString& path);

// The 128 bytes of a record, text fields cut or blank-filled to their widths, in the
// tag code page.
[[nodiscard]] TagBytes BuildTagRecord(const QString& title, const QString& artist,
                                      const QString& album, const QString& year,
                                      const QString& comment, uint8_t genre);

// Writes the record over the file's last 128 bytes (`overwrite`) or after its last
// byte. False when the file cannot be opened or written.
bool WriteTagRecord(const QString& path, const TagBytes& record, bool overwrite);

// Bytes of the tag code page to text, one character per byte (NULs included).
[[nodiscard]] QString TextFromTagBytes(const char* bytes, std::size_t count);

}  // namespace trackdeck::tags
