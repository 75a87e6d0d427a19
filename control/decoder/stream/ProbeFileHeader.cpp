#include "control/decoder/stream/ProbeFileHeader.h"

#include <unistd.h>

#include <array>

namespace aurion {

bool ProbeFileHeader(int fileDescriptor, ProbedHeader& fields, uint64_t offset) {
    std::array<uint8_t, 4> bytes{};
    if (fileDescriptor < 0 ||
        pread(fileDescriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset)) != 4) {
        return false;
    }
    // 11-bit sync, so that MPEG-2.5 counts as MPEG; version code 01 is reserved.
    const uint32_t versionBits = (bytes[1] >> 3) & 3u;
    if (bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0 || versionBits == 1) {
        return false;
    }
    fields.VersionBits = versionBits;
    fields.LayerBits = (bytes[1] >> 1) & 3u;
    fields.Protection = bytes[1] & 1u;
    fields.BitrateIndex = bytes[2] >> 4;
    fields.FrequencyIndex = (bytes[2] >> 2) & 3u;
    fields.Padding = (bytes[2] >> 1) & 1u;
    fields.Private = bytes[2] & 1u;
    fields.Mode = bytes[3] >> 6;
    fields.ModeExtension = (bytes[3] >> 4) & 3u;
    fields.Copyright = (bytes[3] >> 3) & 1u;
    fields.Original = (bytes[3] >> 2) & 1u;
    fields.Emphasis = bytes[3] & 3u;
    return true;
}

bool ProbeFileHeader(int fileDescriptor, uint64_t offset) {
    ProbedHeader fields;
    return ProbeFileHeader(fileDescriptor, fields, offset);
}

}  // namespace aurion
