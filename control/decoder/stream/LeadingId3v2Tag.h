// An ID3v2 tag at the very start of a file, which most MP3 files carry: both the
// stream reader and the control's tag probe step over it by its declared size to
// where the first frame header should stand.
#pragma once

#include <cstdint>

namespace aurion {

// The bytes the tag at offset 0 occupies (header, body and footer), or 0 when the
// file does not start with one. A tag whose size runs past fileSize is not taken
// as one. The file position is not moved.
[[nodiscard]] uint64_t LeadingId3v2TagBytes(int fileDescriptor, uint64_t fileSize);

}  // namespace aurion
