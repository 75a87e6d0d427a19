#include "tests/support/WavFileReader.h"

#include <fstream>
#include <iterator>

namespace aurion::test {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint16_t LittleEndian16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

uint32_t LittleEndian32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint32_t>(LittleEndian16(bytes, offset)) |
           (static_cast<uint32_t>(LittleEndian16(bytes, offset + 2)) << 16);
}

std::string FourCCAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + 4));
}

std::optional<WavFile> ReadWavFile(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() < 46) {
        return std::nullopt;
    }
    WavFile wav;
    const std::vector<uint8_t>& b = *bytes;
    wav.Riff = FourCCAt(b, 0);
    wav.RiffSize = LittleEndian32(b, 4);
    wav.Wave = FourCCAt(b, 8);
    wav.Fmt = FourCCAt(b, 12);
    wav.FmtSize = LittleEndian32(b, 16);
    wav.FormatTag = LittleEndian16(b, 20);
    wav.Channels = LittleEndian16(b, 22);
    wav.SampleRate = LittleEndian32(b, 24);
    wav.BytesPerSecond = LittleEndian32(b, 28);
    wav.BlockAlign = LittleEndian16(b, 32);
    wav.BitsPerSample = LittleEndian16(b, 34);
    wav.ExtraBytes = LittleEndian16(b, 36);
    wav.Data = FourCCAt(b, 38);
    wav.DataSize = LittleEndian32(b, 42);
    for (size_t i = 46; i + 1 < b.size(); i += 2) {
        wav.Samples.push_back(static_cast<int16_t>(LittleEndian16(b, i)));
    }
    wav.Bytes = std::move(*bytes);
    return wav;
}

}  // namespace aurion::test
