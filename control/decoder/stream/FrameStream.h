// The open MPEG audio file: a buffer holding exactly one frame body, a bit reader
// over it, the header sync search, the frame counters and positioning to a frame.
// The body is stored as big-endian 32-bit words (byte-swapped in place after each
// read) so that bit 31 of a word is the next bit of the stream. The search accepts
// only headers whose frame fits the buffer (ReadableFrameBytes); a first header must
// also be confirmed by the next one. An ID3v2 tag at the start is skipped by its size.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "control/decoder/stream/ReadAhead.h"

namespace aurion {

class FrameHeader;

class FrameStream {
public:
    static constexpr size_t BufferBytes = 1732;  // 433 words: the largest frame body
    static constexpr size_t BufferWords = BufferBytes / 4;

    FrameStream() = default;
    ~FrameStream();
    FrameStream(const FrameStream&) = delete;
    FrameStream& operator=(const FrameStream&) = delete;

    // A file that cannot be opened leaves the stream invalid; the first read then fails.
    void Open(const std::string& fileName);
    void Close();
    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }

    // The sync search. On success `word` holds the header big-endian (first byte in
    // bits 31..24) and CurrentFrame has advanced.
    bool ReadHeaderWord(uint32_t& word, bool matchFirst);
    void SetSyncPattern(uint32_t headerWord);
    // Reads exactly byteCount (<= BufferBytes) bytes, swaps, resets the bit reader.
    bool ReadFrameBody(uint32_t byteCount);
    // Loads a body from memory instead of the file (size checked like a read).
    bool LoadBody(std::span<const uint8_t> bytes);
    // Next n bits, most significant first (1 <= n <= 32, also across a word
    // boundary). Bits beyond the end of the body read as 0. Defined here: the layer
    // decoders call it for nearly every field and sample code.
    uint32_t GetBits(unsigned n) {
        const size_t bodyWords = (m_bodyBytes + 3) / 4;
        if (m_wordIndex >= bodyWords || n == 0) {
            return 0;
        }
        n = n < 32 ? n : 32;
        const uint32_t word = m_buffer[m_wordIndex];
        const unsigned available = 32 - m_bitIndex;
        if (n < available) {
            m_bitIndex += n;
            return (word >> (available - n)) & LowBits(n);
        }
        const unsigned rest = n - available;
        ++m_wordIndex;
        m_bitIndex = rest;
        const uint32_t high = word & LowBits(available);
        if (rest == 0) {
            return high;
        }
        const uint32_t next = m_wordIndex < bodyWords ? m_buffer[m_wordIndex] : 0;
        return (high << rest) | (next >> (32 - rest));
    }
    // The next bytes.size() bytes, exactly as that many GetBits(8) calls give them
    // (zeros past the body), copied in one pass when the reader is on a byte.
    void GetBytes(std::span<uint8_t> bytes);
    // Bits taken from the body since it was loaded.
    [[nodiscard]] uint32_t BitsRead() const;
    [[nodiscard]] uint32_t FileSize() const;
    // Bytes from the first frame's header to the end of the file, less a trailing
    // ID3v1 record: what the frames of the stream take up.
    [[nodiscard]] uint64_t StreamBytes() const;

    // Positions are counted from FirstFrameOffset(). SeekFixed leaves the target for
    // the next ReadNext; SeekVariable loads it through header.ReadNext.
    bool SeekFixed(int32_t frame, uint32_t bodySize);
    bool SeekVariable(int32_t frame, uint32_t unpaddedBodySize, FrameHeader& header);
    // Places the stream at the header of `frame`, which starts at `offset` (a recorded
    // frame start); the next ReadNext loads that frame.
    bool SeekToOffset(int32_t frame, uint64_t offset);
    // The frame just read was a header frame, not audio: frame counting and seek
    // positions start afresh at the next byte.
    void RestartAfterHeaderFrame();
    // The first header of this stream at or after `from` (within a few frames' bytes)
    // that the next frame's header confirms, as after the sync search's first header;
    // for resynchronising at a position that need not be a frame start. Does not
    // move the stream.
    [[nodiscard]] std::optional<uint64_t> FindConfirmedHeader(uint64_t from) const;
    // Reads bytes at a file offset without moving the stream (a frame's raw bytes).
    [[nodiscard]] bool ReadBytesAt(uint64_t offset, std::span<uint8_t> bytes) const;

    [[nodiscard]] int32_t CurrentFrame() const { return m_currentFrame; }
    [[nodiscard]] int32_t HighestFrame() const { return m_highestFrame; }
    [[nodiscard]] uint32_t BodyBytes() const { return m_bodyBytes; }
    // File offset where the first accepted header starts (seek positions count from it).
    [[nodiscard]] uint64_t FirstFrameOffset() const { return m_firstFrameOffset; }
    // File offset of the next byte the stream reads.
    [[nodiscard]] uint64_t Position() const { return m_position; }

private:
    [[nodiscard]] bool MatchesPattern(uint32_t word) const;
    [[nodiscard]] bool ConfirmFirstHeader(uint32_t word, uint64_t offset) const;
    [[nodiscard]] bool ReadWordAt(uint64_t offset, uint32_t& word) const;
    void SkipId3v2Tag();
    void SwapBody();

    // The low n bits set (n = 0..32).
    static uint32_t LowBits(unsigned n) { return n < 32 ? (1u << n) - 1u : 0xFFFFFFFFu; }

    int m_fd = -1;
    ReadAhead m_readAhead;  // the header search and the bodies, read in order
    std::array<uint32_t, BufferWords> m_buffer{};
    uint32_t m_bodyBytes = 0;
    size_t m_wordIndex = 0;
    unsigned m_bitIndex = 0;
    uint32_t m_syncPattern = 0;
    bool m_singleChannel = false;
    int32_t m_currentFrame = -1;
    int32_t m_highestFrame = -1;
    uint64_t m_firstFrameOffset = 0;
    uint64_t m_position = 0;
    uint64_t m_fileSize = 0;
    uint64_t m_streamEnd = 0;  // the file's size, less a trailing ID3v1 record
};

}  // namespace aurion
