#include "control/decoder/stream/FrameStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameSize.h"
#include "control/decoder/stream/LeadingId3v2Tag.h"

namespace aurion {

namespace {

constexpr uint32_t HeaderBytes = 4;
constexpr size_t SearchWindowBytes = 512;
// How far a resynchronisation looks for a header: several of the largest frames.
constexpr uint64_t ResyncSearchBytes = 16 * 1024;

// The sync search: 11-bit sync for the first header (MPEG-2.5 included; the
// reserved version is refused by ReadableFrameBytes); later headers must repeat
// the sync, the version bits and the sampling frequency (bits 31..19 and 11..10),
// and whether the mode is single channel. The stored pattern also keeps the mode bits.
constexpr uint32_t FirstSyncMask = 0xFFE00000;
constexpr uint32_t SyncPatternMask = 0xFFF80CC0;
constexpr uint32_t MatchMask = 0xFFF80C00;

// The ID3v1 record that ends many files.
constexpr uint64_t Id3v1Bytes = 128;

[[nodiscard]] bool SameStream(uint32_t pattern, bool singleChannel, uint32_t word) {
    return (word & MatchMask) == (pattern & MatchMask) &&
           (HeaderMode(word) == SingleChannelMode) == singleChannel;
}

[[nodiscard]] bool ReadExactly(int fd, void* target, size_t count, uint64_t offset) {
    return ReadFileAt(fd, target, count, offset) == count;
}

}  // namespace

FrameStream::~FrameStream() { Close(); }

void FrameStream::Open(const std::string& fileName) {
    Close();
    m_fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    m_readAhead.Reset();
    m_bodyBytes = 0;
    m_wordIndex = 0;
    m_bitIndex = 0;
    m_syncPattern = 0;
    m_singleChannel = false;
    m_currentFrame = -1;
    m_highestFrame = -1;
    m_firstFrameOffset = 0;
    m_position = 0;
    m_fileSize = 0;
    m_streamEnd = 0;
    if (m_fd < 0) {
        return;
    }
    struct stat status {};
    if (fstat(m_fd, &status) == 0 && status.st_size > 0) {
        m_fileSize = static_cast<uint64_t>(status.st_size);
    }
    m_streamEnd = m_fileSize;
    std::array<uint8_t, 3> tag{};
    if (m_fileSize >= Id3v1Bytes &&
        ReadExactly(m_fd, tag.data(), tag.size(), m_fileSize - Id3v1Bytes) &&
        tag == std::array<uint8_t, 3>{'T', 'A', 'G'}) {
        m_streamEnd -= Id3v1Bytes;
    }
    SkipId3v2Tag();
}

void FrameStream::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        m_readAhead.Reset();
    }
}

// Candidates are taken one byte apart, as a byte-by-byte search would, but from a
// window read in one go, so that long runs of junk cost few reads.
bool FrameStream::ReadHeaderWord(uint32_t& word, bool matchFirst) {
    if (m_fd < 0) {
        return false;
    }
    std::array<uint8_t, SearchWindowBytes> window{};
    for (;;) {
        const size_t got = m_readAhead.Read(m_fd, window.data(), window.size(), m_position);
        if (got < HeaderBytes) {
            return false;
        }
        for (size_t i = 0; i + HeaderBytes <= got; ++i) {
            const uint32_t candidate = (uint32_t{window[i]} << 24) |
                                       (uint32_t{window[i + 1]} << 16) |
                                       (uint32_t{window[i + 2]} << 8) | window[i + 3];
            const bool synced = matchFirst ? MatchesPattern(candidate)
                                           : (candidate & FirstSyncMask) == FirstSyncMask;
            if (!synced || ReadableFrameBytes(candidate) == 0) {
                continue;
            }
            const uint64_t offset = m_position + i;
            if (!matchFirst) {
                if (!ConfirmFirstHeader(candidate, offset)) {
                    continue;
                }
                m_firstFrameOffset = offset;
            }
            m_position = offset + HeaderBytes;
            word = candidate;
            ++m_currentFrame;
            m_highestFrame = std::max(m_highestFrame, m_currentFrame);
            return true;
        }
        m_position += got - (HeaderBytes - 1);
    }
}

void FrameStream::SetSyncPattern(uint32_t headerWord) {
    m_syncPattern = headerWord & SyncPatternMask;
    m_singleChannel = HeaderMode(headerWord) == SingleChannelMode;
}

bool FrameStream::ReadFrameBody(uint32_t byteCount) {
    if (m_fd < 0 || byteCount > BufferBytes) {
        return false;
    }
    if (byteCount % 4 != 0) {
        m_buffer[byteCount / 4] = 0;
    }
    if (m_readAhead.Read(m_fd, m_buffer.data(), byteCount, m_position) != byteCount) {
        return false;
    }
    m_position += byteCount;
    m_bodyBytes = byteCount;
    SwapBody();
    return true;
}

bool FrameStream::LoadBody(std::span<const uint8_t> bytes) {
    if (bytes.size() > BufferBytes) {
        return false;
    }
    if (bytes.size() % 4 != 0) {
        m_buffer[bytes.size() / 4] = 0;
    }
    if (!bytes.empty()) {
        std::memcpy(m_buffer.data(), bytes.data(), bytes.size());
    }
    m_bodyBytes = static_cast<uint32_t>(bytes.size());
    SwapBody();
    return true;
}

// The words past the body hold an earlier frame's bytes (or none): a read that
// runs over the end of the body gets zeros instead, whatever a frame's fields say.
void FrameStream::GetBytes(std::span<uint8_t> bytes) {
    if (m_bitIndex % 8 != 0) {
        for (uint8_t& byte : bytes) {
            byte = static_cast<uint8_t>(GetBits(8));
        }
        return;
    }
    // The body is read up to its last whole word, as GetBits reads it.
    const size_t bodyEnd = (m_bodyBytes + 3) / 4 * 4;
    size_t next = m_wordIndex * 4 + m_bitIndex / 8;
    const size_t copied = std::min(bytes.size(), bodyEnd > next ? bodyEnd - next : 0);
    size_t i = 0;
    // Byte by byte up to a word, then whole words back in file order, then the rest.
    for (; i < copied && next % 4 != 0; ++i, ++next) {
        bytes[i] = static_cast<uint8_t>(m_buffer[next / 4] >> (24 - 8 * (next % 4)));
    }
    for (; i + 4 <= copied; i += 4, next += 4) {
        uint32_t word = m_buffer[next / 4];
        if constexpr (std::endian::native == std::endian::little) {
            word = __builtin_bswap32(word);
        }
        std::memcpy(&bytes[i], &word, sizeof word);
    }
    for (; i < copied; ++i, ++next) {
        bytes[i] = static_cast<uint8_t>(m_buffer[next / 4] >> (24 - 8 * (next % 4)));
    }
    std::fill(bytes.begin() + static_cast<ptrdiff_t>(copied), bytes.end(), uint8_t{0});
    m_wordIndex = next / 4;
    m_bitIndex = static_cast<unsigned>(next % 4) * 8;
}

uint32_t FrameStream::BitsRead() const {
    return static_cast<uint32_t>(m_wordIndex * 32 + m_bitIndex);
}

uint32_t FrameStream::FileSize() const {
    return static_cast<uint32_t>(
        std::min<uint64_t>(m_fileSize, std::numeric_limits<uint32_t>::max()));
}

uint64_t FrameStream::StreamBytes() const {
    return m_streamEnd > m_firstFrameOffset ? m_streamEnd - m_firstFrameOffset : 0;
}

bool FrameStream::SeekFixed(int32_t frame, uint32_t bodySize) {
    if (m_fd < 0 || frame < 0) {
        return false;
    }
    m_position = m_firstFrameOffset + static_cast<uint64_t>(frame) * (bodySize + HeaderBytes);
    m_currentFrame = frame - 1;
    return true;
}

bool FrameStream::SeekVariable(int32_t frame, uint32_t unpaddedBodySize, FrameHeader& header) {
    if (m_fd < 0 || frame < 0) {
        return false;
    }
    const std::span<const uint32_t> table = header.PaddingTable();
    const uint64_t unpaddedFrame = uint64_t{unpaddedBodySize} + HeaderBytes;
    Crc16* crc = nullptr;
    if (m_highestFrame < frame) {
        uint64_t padded = 0;
        if (m_highestFrame >= 0) {
            if (static_cast<size_t>(m_highestFrame) >= table.size()) {
                return false;
            }
            padded = table[static_cast<size_t>(m_highestFrame)];
        }
        m_position =
            m_firstFrameOffset + padded + unpaddedFrame * static_cast<uint64_t>(m_highestFrame + 1);
        m_currentFrame = m_highestFrame;
        do {
            if (!header.ReadNext(*this, crc)) {
                return false;
            }
        } while (m_highestFrame < frame);
        return true;
    }
    uint64_t padded = 0;
    if (frame > 0) {
        if (static_cast<size_t>(frame - 1) >= table.size()) {
            return false;
        }
        padded = table[static_cast<size_t>(frame - 1)];
    }
    m_position = m_firstFrameOffset + padded + unpaddedFrame * static_cast<uint64_t>(frame);
    m_currentFrame = frame - 1;
    return header.ReadNext(*this, crc);
}

bool FrameStream::SeekToOffset(int32_t frame, uint64_t offset) {
    if (m_fd < 0 || frame < 0 || offset >= m_fileSize) {
        return false;
    }
    m_position = offset;
    m_currentFrame = frame - 1;
    return true;
}

void FrameStream::RestartAfterHeaderFrame() {
    m_firstFrameOffset = m_position;
    m_currentFrame = -1;
    m_highestFrame = -1;
}

std::optional<uint64_t> FrameStream::FindConfirmedHeader(uint64_t from) const {
    if (m_fd < 0 || m_syncPattern == 0) {
        return std::nullopt;
    }
    std::array<uint8_t, SearchWindowBytes> window{};
    const uint64_t limit = from + ResyncSearchBytes;
    for (uint64_t at = from; at < limit && at < m_fileSize;) {
        const size_t got = ReadFileAt(m_fd, window.data(), window.size(), at);
        if (got < HeaderBytes) {
            return std::nullopt;
        }
        for (size_t i = 0; i + HeaderBytes <= got; ++i) {
            const uint32_t candidate = (uint32_t{window[i]} << 24) |
                                       (uint32_t{window[i + 1]} << 16) |
                                       (uint32_t{window[i + 2]} << 8) | window[i + 3];
            if (MatchesPattern(candidate) && ReadableFrameBytes(candidate) != 0 &&
                ConfirmFirstHeader(candidate, at + i)) {
                return at + i;
            }
        }
        at += got - (HeaderBytes - 1);
    }
    return std::nullopt;
}

bool FrameStream::ReadBytesAt(uint64_t offset, std::span<uint8_t> bytes) const {
    return m_fd >= 0 && ReadExactly(m_fd, bytes.data(), bytes.size(), offset);
}

bool FrameStream::MatchesPattern(uint32_t word) const {
    return SameStream(m_syncPattern, m_singleChannel, word);
}

// A first header counts only when the frame it announces is followed by another
// header of the same stream, or by the end of the file (or only a trailing ID3v1
// record): junk that happens to contain a sync word cannot lock the stream.
bool FrameStream::ConfirmFirstHeader(uint32_t word, uint64_t offset) const {
    const uint64_t next = offset + ReadableFrameBytes(word);
    // An MPEG-2.5 header (11-bit sync, more easily met by chance) always needs
    // the next header.
    if (next == m_fileSize && !HeaderMpeg25(word)) {
        return true;
    }
    uint32_t following = 0;
    if (!ReadWordAt(next, following)) {
        return false;
    }
    if (SameStream(word & SyncPatternMask, HeaderMode(word) == SingleChannelMode, following) &&
        ReadableFrameBytes(following) != 0) {
        return true;
    }
    constexpr uint32_t TagMarker = 0x54414700;  // "TAG"
    return next + Id3v1Bytes == m_fileSize && (following & 0xFFFFFF00) == TagMarker;
}

bool FrameStream::ReadWordAt(uint64_t offset, uint32_t& word) const {
    std::array<uint8_t, HeaderBytes> bytes{};
    if (m_fd < 0 || !ReadExactly(m_fd, bytes.data(), bytes.size(), offset)) {
        return false;
    }
    word = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
    return true;
}

// A tag whose size runs past the end of the file is not taken as one: the search
// then starts at byte 0 as for any other leading data.
void FrameStream::SkipId3v2Tag() { m_position = LeadingId3v2TagBytes(m_fd, m_fileSize); }

void FrameStream::SwapBody() {
    const size_t words = (m_bodyBytes + 3) / 4;
    if constexpr (std::endian::native == std::endian::little) {
        for (size_t i = 0; i < words; ++i) {
            m_buffer[i] = __builtin_bswap32(m_buffer[i]);
        }
    }
    m_wordIndex = 0;
    m_bitIndex = 0;
}

}  // namespace aurion
