#include "tests/support/MpegFrameBuilder.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace aurion::test {

namespace {

// kbit/s by [lsf][layer - 1][index] (ISO/IEC 11172-3 and 13818-3, bitrate_index).
constexpr std::array<std::array<std::array<uint32_t, 16>, 3>, 2> Kbps = {{
    {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}}},
    {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}},
}};

constexpr std::array<uint32_t, 3> Mpeg1Hz = {44100, 48000, 32000};

}  // namespace

uint32_t HeaderWord(const HeaderFields& f) {
    const uint32_t layerBits = (4 - f.Layer) & 3;
    return 0xFFE00000u | ((f.VersionBits & 3) << 19) | (layerBits << 17) |
           ((f.Checksum ? 0u : 1u) << 16) | ((f.BitrateIndex & 15) << 12) |
           ((f.FrequencyIndex & 3) << 10) | ((f.Padding & 1) << 9) | ((f.Private & 1) << 8) |
           ((f.Mode & 3) << 6) | ((f.ModeExtension & 3) << 4) | ((f.Copyright & 1) << 3) |
           ((f.Original & 1) << 2) | (f.Emphasis & 3);
}

uint32_t FrameSize(const HeaderFields& f) {
    if (f.Layer < 1 || f.Layer > 3 || f.FrequencyIndex > 2 || f.VersionBits == 1) {
        return 0;
    }
    const bool lsf = f.VersionBits != 3;
    const uint32_t kbps = Kbps[lsf ? 1 : 0][f.Layer - 1][f.BitrateIndex & 15];
    if (kbps == 0) {
        return 0;
    }
    uint32_t hz = Mpeg1Hz[f.FrequencyIndex];
    if (f.VersionBits == 2) {
        hz /= 2;
    } else if (f.VersionBits == 0) {
        hz /= 4;
    }
    if (f.Layer == 1) {
        return (12000 * kbps / hz + f.Padding) * 4;
    }
    const uint32_t samples = (lsf && f.Layer == 3) ? 576 : 1152;
    return samples / 8 * 1000 * kbps / hz + f.Padding;
}

Bytes MakeFrame(const HeaderFields& fields, std::span<const uint8_t> body, uint16_t checksum) {
    Bytes frame;
    AppendBigEndian32(frame, HeaderWord(fields));
    if (fields.Checksum) {
        frame.push_back(static_cast<uint8_t>(checksum >> 8));
        frame.push_back(static_cast<uint8_t>(checksum));
    }
    const uint32_t size = FrameSize(fields);
    if (size == 0) {
        AppendBytes(frame, body);
        return frame;
    }
    const size_t room = size > frame.size() ? size - frame.size() : 0;
    AppendBytes(frame, body.first(std::min(room, body.size())));
    frame.resize(size, 0);
    return frame;
}

Bytes MakeIndexedFrame(const HeaderFields& fields, uint32_t index) {
    Bytes body;
    AppendBigEndian32(body, index);
    return MakeFrame(fields, body);
}

void AppendBytes(Bytes& to, std::span<const uint8_t> bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

void AppendBigEndian32(Bytes& to, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        to.push_back(static_cast<uint8_t>(value >> shift));
    }
}

uint32_t BigEndian32(std::span<const uint8_t> bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

Bytes Junk(size_t count, uint32_t seed) {
    Bytes junk(count);
    uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : junk) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return junk;
}

Bytes Id3v2Tag(uint32_t bodySize, bool footer) {
    Bytes tag = {'I', 'D', '3', 4, 0, static_cast<uint8_t>(footer ? 0x10 : 0)};
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag.push_back(static_cast<uint8_t>((bodySize >> shift) & 0x7F));
    }
    tag.resize(tag.size() + bodySize + (footer ? 10 : 0), 0);
    return tag;
}

Bytes Id3v1Tag(const std::string& title) {
    Bytes tag(128, 0);
    tag[0] = 'T';
    tag[1] = 'A';
    tag[2] = 'G';
    std::copy_n(title.begin(), std::min<size_t>(title.size(), 30), tag.begin() + 3);
    return tag;
}

TempFile::TempFile(std::span<const uint8_t> contents) {
    std::string pattern = "/tmp/trackdeck-mpeg-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return;
    }
    m_path = pattern;
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = write(fd, contents.data() + done, contents.size() - done);
        if (wrote <= 0) {
            break;
        }
        done += static_cast<size_t>(wrote);
    }
    close(fd);
}

TempFile::~TempFile() {
    if (!m_path.empty()) {
        std::remove(m_path.c_str());
    }
}

}  // namespace aurion::test
