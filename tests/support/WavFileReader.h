// Reads a file whole and takes apart the RIFF/WAVE files the control writes:
// the fixed 46-byte layout (RIFF, "fmt " of 18 bytes, "data") with its fields as
// they stand, and the 16-bit samples after it. Nothing is checked here: tests
// compare the fields themselves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace aurion::test {

[[nodiscard]] std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

[[nodiscard]] uint16_t LittleEndian16(const std::vector<uint8_t>& bytes, size_t offset);
[[nodiscard]] uint32_t LittleEndian32(const std::vector<uint8_t>& bytes, size_t offset);
[[nodiscard]] std::string FourCCAt(const std::vector<uint8_t>& bytes, size_t offset);

struct WavFile {
    std::vector<uint8_t> Bytes;
    std::string Riff, Wave, Fmt, Data;  // the four chunk tags
    uint32_t RiffSize = 0, FmtSize = 0, DataSize = 0;
    uint16_t FormatTag = 0, Channels = 0, BlockAlign = 0, BitsPerSample = 0, ExtraBytes = 0;
    uint32_t SampleRate = 0, BytesPerSecond = 0;
    std::vector<int16_t> Samples;  // everything after offset 46, interleaved
};

// Empty when the file cannot be read or is shorter than the 46-byte header.
[[nodiscard]] std::optional<WavFile> ReadWavFile(const std::string& path);

}  // namespace aurion::test
