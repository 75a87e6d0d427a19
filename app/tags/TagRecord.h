// Where the ID3v1 record lies in a file and how its bytes meet the program's text.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace trackdeck::tags {

inline constexpr std::size_t TagSize = 128;
using TagBytes = std::array<char, TagSize>;

// The file's length, or nothing on a file error.
[[nodiscard]] std::optional<std::uintmax_t> FileLength(const QString& path);

// The 128 bytes of a record, text fields cut or blank-filled to their widths.
[[nodiscard]] TagBytes BuildTagRecord(const QString& title, const QString& artist,
                                      const QString& album, const QString& year,
                                      const QString& comment, uint8_t genre);

// Writes the record over the file's last 128 bytes (`overwrite`) or after its last
// byte. False when the file cannot be opened or written.
bool WriteTagRecord(const QString& path, const TagBytes& record, bool overwrite);

// Windows-1252 bytes to text, one character per byte (NULs included).
[[nodiscard]] QString TextFromTagBytes(const char* bytes, std::size_t count);

}  // namespace trackdeck::tags
