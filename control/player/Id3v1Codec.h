// The 128-byte ID3v1 record read into a TagRecord and built from one, as the
// control reads and writes it: fields taken up to their first zero byte with
// trailing blanks removed, written padded with blanks; genre bytes above 79 read
// as the control's "Unknown" and are never written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "control/player/Id3v1Layout.h"
#include "control/player/TagRecord.h"

namespace aurion {

using Id3v1Bytes = std::array<uint8_t, id3v1::RecordBytes>;

// Whether the bytes begin with the marker "TAG" (at least 3 bytes needed).
[[nodiscard]] bool StartsWithTagMarker(std::span<const uint8_t> bytes);

// Empty when the bytes are no tag. The file path is left empty.
[[nodiscard]] std::optional<TagRecord> ReadId3v1(const Id3v1Bytes& bytes);

// The record's genre outside 0..79 is written as 0.
[[nodiscard]] Id3v1Bytes BuildId3v1(const TagRecord& record);

}  // namespace aurion
