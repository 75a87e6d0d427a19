// The control's genre names: numbers 0 to 79 are the ID3v1 genre list, 80 is the
// control's own "Unknown", which every genre byte above 79 reads as.
#pragma once

#include <cstdint>
#include <string_view>

namespace aurion {

inline constexpr int32_t GenreNameCount = 81;
inline constexpr int32_t UnknownGenre = 80;
// The genres that an ID3v1 record holds: 0 to 79.
inline constexpr int32_t ListedGenreCount = 80;

// The name of a number in 0..80; the empty text for any other number.
[[nodiscard]] std::string_view GenreName(int32_t genre);

}  // namespace aurion
