#include "control/decoder/stream/VbrHeader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "control/decoder/stream/FrameSize.h"

namespace aurion {

namespace {

constexpr uint32_t HeaderBytes = 4;
constexpr uint32_t ChecksumBytes = 2;
constexpr uint32_t LowestBitrateIndex = 1;

// Xing/Info record: tag, flags, then the fields the flags announce.
constexpr uint32_t XingFramesFlag = 1;
constexpr uint32_t XingBytesFlag = 2;
constexpr uint32_t XingTocFlag = 4;
constexpr uint32_t XingQualityFlag = 8;
constexpr size_t XingTocEntries = 100;

// lame's record after the Xing/Info record: the delay and padding, 12 bits each,
// start 21 bytes in.
constexpr size_t LameRecordBytes = 24;
constexpr size_t LameGapOffset = 21;
// The decoder's own delay, which the encoder's delay does not include: the
// synthesis filterbank and the IMDCT overlap of Layer III.
constexpr uint32_t DecoderDelay = 529;

// VBRI record: always 32 bytes after the header.
constexpr size_t VbriOffset = HeaderBytes + 32;
constexpr size_t VbriFixedBytes = 26;
constexpr size_t VbriMaxEntryBytes = 4;

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    [[nodiscard]] bool Has(size_t offset, size_t count) const {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    [[nodiscard]] bool TagAt(size_t offset, std::string_view tag) const {
        return Has(offset, tag.size()) &&
               std::memcmp(m_bytes.data() + offset, tag.data(), tag.size()) == 0;
    }
    // Big-endian, count <= 4 bytes; the caller has checked Has().
    [[nodiscard]] uint32_t Uint(size_t offset, size_t count) const {
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) {
            value = (value << 8) | m_bytes[offset + i];
        }
        return value;
    }

private:
    std::span<const uint8_t> m_bytes;
};

// The most frames the file can hold: every frame at the lowest bit rate.
[[nodiscard]] uint64_t MostFrames(uint32_t headerWord, uint64_t streamBytes) {
    const uint32_t smallest =
        FrameBytes(3, HeaderVersion(headerWord), LowestBitrateIndex,
                   HeaderFrequencyIndex(headerWord), 0, HeaderMpeg25(headerWord));
    return smallest == 0 ? 0 : streamBytes / smallest;
}

[[nodiscard]] uint32_t PlausibleFrames(uint32_t frames, uint32_t headerWord, uint64_t streamBytes) {
    return frames > 0 && frames <= MostFrames(headerWord, streamBytes) ? frames : 0;
}

[[nodiscard]] std::optional<EncoderGap> ParseLameGap(const ByteReader& reader, size_t offset,
                                                     uint32_t frames, uint32_t headerWord) {
    const bool lameLike = reader.TagAt(offset, "LAME") || reader.TagAt(offset, "Lav");
    if (!lameLike || !reader.Has(offset, LameRecordBytes) || frames == 0) {
        return std::nullopt;
    }
    const uint32_t bits = reader.Uint(offset + LameGapOffset, 3);
    const EncoderGap gap{bits >> 12, bits & 0xFFF};
    // The trimmed signal must keep at least one sample.
    const uint64_t total = uint64_t{frames} * Layer3SamplesPerFrame(headerWord);
    const uint64_t dropped = uint64_t{gap.Delay} + DecoderDelay +
                             (gap.Padding > DecoderDelay ? gap.Padding - DecoderDelay : 0);
    if (dropped >= total) {
        return std::nullopt;
    }
    return gap;
}

[[nodiscard]] VbrHeader ParseXing(const ByteReader& reader, size_t offset, uint32_t headerWord,
                                  uint64_t streamBytes) {
    VbrHeader result;
    size_t at = offset + 4;
    if (!reader.Has(at, 4)) {
        return result;
    }
    const uint32_t flags = reader.Uint(at, 4);
    at += 4;
    if ((flags & XingFramesFlag) != 0) {
        if (!reader.Has(at, 4)) return result;
        result.Frames = PlausibleFrames(reader.Uint(at, 4), headerWord, streamBytes);
        at += 4;
    }
    if ((flags & XingBytesFlag) != 0) {
        if (!reader.Has(at, 4)) return result;
        const uint32_t bytes = reader.Uint(at, 4);
        result.Bytes = bytes <= streamBytes ? bytes : 0;
        at += 4;
    }
    if ((flags & XingTocFlag) != 0) {
        if (!reader.Has(at, XingTocEntries)) return result;
        std::vector<uint32_t> toc(XingTocEntries);
        for (size_t i = 0; i < XingTocEntries; ++i) {
            toc[i] = reader.Uint(at + i, 1);
        }
        if (result.Bytes != 0 && std::is_sorted(toc.begin(), toc.end())) {
            result.Toc = std::move(toc);
        }
        at += XingTocEntries;
    }
    if ((flags & XingQualityFlag) != 0) {
        at += 4;
    }
    result.Gap = ParseLameGap(reader, at, result.Frames, headerWord);
    return result;
}

[[nodiscard]] VbrHeader ParseVbri(const ByteReader& reader, uint32_t headerWord,
                                  uint64_t streamBytes) {
    VbrHeader result;
    if (!reader.Has(VbriOffset, VbriFixedBytes)) {
        return result;
    }
    const uint32_t bytes = reader.Uint(VbriOffset + 10, 4);
    result.Frames = PlausibleFrames(reader.Uint(VbriOffset + 14, 4), headerWord, streamBytes);
    result.Bytes = bytes <= streamBytes ? bytes : 0;
    const uint32_t entries = reader.Uint(VbriOffset + 18, 2);
    const uint32_t scale = reader.Uint(VbriOffset + 20, 2);
    const uint32_t entryBytes = reader.Uint(VbriOffset + 22, 2);
    const uint32_t framesPerEntry = reader.Uint(VbriOffset + 24, 2);
    const size_t tocAt = VbriOffset + VbriFixedBytes;
    if (result.Bytes == 0 || entries == 0 || framesPerEntry == 0 || entryBytes == 0 ||
        entryBytes > VbriMaxEntryBytes || !reader.Has(tocAt, size_t{entries} * entryBytes)) {
        return result;
    }
    // The stretches together must lie within the stream. A scaled entry is summed
    // unwrapped: one that does not fit 32 bits cannot be true of the file.
    std::vector<uint32_t> toc(entries);
    uint64_t sum = 0;
    for (size_t i = 0; i < entries; ++i) {
        const uint64_t stretch =
            uint64_t{reader.Uint(tocAt + i * entryBytes, entryBytes)} * std::max(scale, 1u);
        sum += stretch;
        if (sum > result.Bytes) {
            return result;
        }
        toc[i] = static_cast<uint32_t>(stretch);  // at most Bytes, a 32-bit field
    }
    result.Toc = std::move(toc);
    result.FramesPerTocEntry = framesPerEntry;
    return result;
}

}  // namespace

uint32_t Layer3SamplesPerFrame(uint32_t headerWord) {
    return HeaderVersion(headerWord) == 1 ? 1152 : 576;
}

std::optional<VbrHeader> ParseVbrHeader(std::span<const uint8_t> frame, uint32_t headerWord,
                                        uint64_t streamBytes) {
    if (HeaderLayer(headerWord) != 3) {
        return std::nullopt;
    }
    const ByteReader reader(frame);
    const size_t xingOffset = HeaderBytes +
                              (HeaderNoChecksum(headerWord) == 0 ? ChecksumBytes : 0) +
                              SideInfoBytes(HeaderVersion(headerWord), HeaderMode(headerWord));
    if (reader.TagAt(xingOffset, "Xing") || reader.TagAt(xingOffset, "Info")) {
        return ParseXing(reader, xingOffset, headerWord, streamBytes);
    }
    if (reader.TagAt(VbriOffset, "VBRI")) {
        return ParseVbri(reader, headerWord, streamBytes);
    }
    return std::nullopt;
}

}  // namespace aurion
