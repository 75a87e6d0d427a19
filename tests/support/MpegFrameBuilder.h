// Builds synthetic MPEG audio frames and files from bytes for tests: a header word
// from its fields, a frame of the size its header implies with a chosen body, ID3
// tags, and a temporary file that removes itself. Frame sizes are computed here from
// the standards' own numbers, independently of the decoder's tables.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace aurion::test {

using Bytes = std::vector<uint8_t>;

// Header fields as they stand in the file (ISO/IEC 11172-3, clause 2.4.2.3).
struct HeaderFields {
    uint32_t VersionBits = 3;  // 3 MPEG-1, 2 MPEG-2 LSF, 0 MPEG-2.5, 1 reserved
    uint32_t Layer = 3;        // 1..3; 0 writes the reserved layer code
    bool Checksum = false;     // protection bit 0: a 16-bit checksum follows the header
    uint32_t BitrateIndex = 9;
    uint32_t FrequencyIndex = 0;
    uint32_t Padding = 0;
    uint32_t Private = 0;
    uint32_t Mode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    uint32_t ModeExtension = 0;
    uint32_t Copyright = 0;
    uint32_t Original = 0;
    uint32_t Emphasis = 0;
};

// The 32-bit header, first file byte in bits 31..24.
[[nodiscard]] uint32_t HeaderWord(const HeaderFields& fields);
// Frame size in bytes (header included) the fields imply; 0 for free format,
// index 15, the reserved layer or the reserved frequency.
[[nodiscard]] uint32_t FrameSize(const HeaderFields& fields);
// Header, checksum word (when Checksum), then body, zero-filled to FrameSize
// (the body is cut when longer). A frame size of 0 gives the header (and checksum)
// followed by the body as it is.
[[nodiscard]] Bytes MakeFrame(const HeaderFields& fields, std::span<const uint8_t> body = {},
                              uint16_t checksum = 0);
// A frame whose body starts with `index` as 4 big-endian bytes.
[[nodiscard]] Bytes MakeIndexedFrame(const HeaderFields& fields, uint32_t index);

void AppendBytes(Bytes& to, std::span<const uint8_t> bytes);
void AppendBigEndian32(Bytes& to, uint32_t value);
[[nodiscard]] uint32_t BigEndian32(std::span<const uint8_t> bytes);  // first 4 bytes
// `count` bytes of deterministic pseudo-random junk from `seed`.
[[nodiscard]] Bytes Junk(size_t count, uint32_t seed);
// ID3v2 tag header ("ID3", version 4.0) announcing bodySize bytes, followed by that
// many zero bytes, and 10 more for a footer when `footer` is set.
[[nodiscard]] Bytes Id3v2Tag(uint32_t bodySize, bool footer = false);
// A 128-byte ID3v1 record: "TAG" and the title, the rest zero.
[[nodiscard]] Bytes Id3v1Tag(const std::string& title = "Title");

// A file in the temporary folder with the given contents, removed on destruction.
class TempFile {
public:
    explicit TempFile(std::span<const uint8_t> contents);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace aurion::test
