// The program's own list of ID3v1 genre names (numbers 0 to 147).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace trackdeck::tags {

inline constexpr size_t GenreNameCount = 148;
extern const std::array<std::string_view, GenreNameCount> GenreNames;

}  // namespace trackdeck::tags
