// Whether a file starts with an MPEG audio frame header at byte 0. Leading data is
// not skipped: the tag access treats a file whose first byte is not a header as no
// MPEG file. MPEG-2.5 (11-bit sync) is accepted here although the stream reader
// does not decode it.
#pragma once

#include <cstdint>

namespace aurion {

// The fields of the probed header, as they stand in the file.
struct ProbedHeader {
    uint32_t VersionBits = 0;  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5 (1 is reserved)
    uint32_t LayerBits = 0;    // 3 Layer I, 2 Layer II, 1 Layer III, 0 reserved
    uint32_t Protection = 0;   // 1: no checksum follows the header
    uint32_t BitrateIndex = 0;
    uint32_t FrequencyIndex = 0;
    uint32_t Padding = 0;
    uint32_t Private = 0;
    uint32_t Mode = 0;
    uint32_t ModeExtension = 0;
    uint32_t Copyright = 0;
    uint32_t Original = 0;
    uint32_t Emphasis = 0;
};

// Reads the first 4 bytes (offset 0, the file position is not moved).
[[nodiscard]] bool ProbeFileHeader(int fileDescriptor);
[[nodiscard]] bool ProbeFileHeader(int fileDescriptor, ProbedHeader& fields);

}  // namespace aurion
