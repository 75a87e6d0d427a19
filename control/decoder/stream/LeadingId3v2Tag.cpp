#include "control/decoder/stream/LeadingId3v2Tag.h"

#include <unistd.h>

#include <array>
#include <cerrno>

namespace aurion {

namespace {

// ID3v2 (id3.org, ID3 tag version 2.4.0, clause 3.1): "ID3", two version bytes,
// flags, and a 28-bit syncsafe size that excludes the 10-byte header and footer.
constexpr size_t Id3v2HeaderBytes = 10;
constexpr uint8_t Id3v2FooterFlag = 0x10;

bool ReadHeader(int fd, std::array<uint8_t, Id3v2HeaderBytes>& header) {
    size_t done = 0;
    while (done < header.size()) {
        const ssize_t got =
            pread(fd, header.data() + done, header.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

uint64_t LeadingId3v2TagBytes(int fileDescriptor, uint64_t fileSize) {
    std::array<uint8_t, Id3v2HeaderBytes> tag{};
    if (fileDescriptor < 0 || !ReadHeader(fileDescriptor, tag)) return 0;
    if (tag[0] != 'I' || tag[1] != 'D' || tag[2] != '3' || tag[3] == 0xFF || tag[4] == 0xFF) {
        return 0;
    }
    if (((tag[6] | tag[7] | tag[8] | tag[9]) & 0x80) != 0) return 0;
    uint64_t size =
        (uint64_t{tag[6]} << 21) | (uint64_t{tag[7]} << 14) | (uint64_t{tag[8]} << 7) | tag[9];
    size += Id3v2HeaderBytes;
    if ((tag[5] & Id3v2FooterFlag) != 0) size += Id3v2HeaderBytes;
    return size <= fileSize ? size : 0;
}

}  // namespace aurion
