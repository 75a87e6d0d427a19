// Whether an MPEG audio frame header stands at a given offset of a file (byte 0,
// or where a leading ID3v2 tag ends). Nothing is searched: the tag access treats a
// file that has anything else there as no MPEG file. MPEG-2.5 (11-bit sync) is
// accepted here although the stream reader does not decode it.
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

// Reads the 4 bytes at offset (the file position is not moved).
[[nodiscard]] bool ProbeFileHeader(int fileDescriptor, uint64_t offset = 0);
[[nodiscard]] bool ProbeFileHeader(int fileDescriptor, ProbedHeader& fields, uint64_t offset = 0);

}  // namespace aurion
