// The ID3v1 record: the last 128 bytes of an MPEG audio file, "TAG" followed by
// fixed-width single-byte text fields (no terminators) and one genre byte.
#pragma once

#include <cstddef>

namespace aurion::id3v1 {

struct Field {
    size_t Offset;
    size_t Width;
};

inline constexpr size_t RecordBytes = 128;
inline constexpr Field Marker{0, 3};
inline constexpr Field Title{3, 30};
inline constexpr Field Artist{33, 30};
inline constexpr Field Album{63, 30};
inline constexpr Field Year{93, 4};
inline constexpr Field Comment{97, 30};
inline constexpr size_t GenreOffset = 127;

inline constexpr char MarkerText[] = "TAG";
// What fills a text field after its text when the control writes it.
inline constexpr char Padding = ' ';

}  // namespace aurion::id3v1
