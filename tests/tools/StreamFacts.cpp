#include "tests/tools/StreamFacts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace aurion::test {

namespace {

// Bit rates in kbit/s by bit-rate index 1..14: ISO/IEC 11172-3, Table 3-B.1 (MPEG-1)
// and ISO/IEC 13818-3, Table B.1 (low sampling frequencies), per layer.
constexpr int Mpeg1BitRates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
};
constexpr int LsfBitRates[3][15] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};
constexpr int Mpeg1Frequencies[3] = {44100, 48000, 32000};

// The control's milliseconds per frame by layer and frequency index at the MPEG-1 rates.
constexpr float MsPerFrameLayerI[3] = {8.707483f, 8.0f, 12.0f};
constexpr float MsPerFrameLayerIIandIII[3] = {26.12245f, 24.0f, 36.0f};

}  // namespace

std::optional<StreamFacts> FactsFromHeader(const std::array<uint8_t, 4>& header,
                                           uint64_t fileSize) {
    if (header[0] != 0xFF || (header[1] & 0xF0) != 0xF0) return std::nullopt;
    const bool mpeg1 = (header[1] & 0x08) != 0;
    const int layerBits = (header[1] >> 1) & 3;
    const int bitrateIndex = header[2] >> 4;
    const int frequencyIndex = (header[2] >> 2) & 3;
    if (layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || frequencyIndex == 3) {
        return std::nullopt;
    }
    StreamFacts facts;
    facts.Layer = 4 - layerBits;
    facts.MpegVersion = mpeg1 ? 1 : 2;
    facts.HasChecksums = (header[1] & 1) == 0;
    facts.BitRate = 1000 * (mpeg1 ? Mpeg1BitRates : LsfBitRates)[facts.Layer - 1][bitrateIndex];
    facts.SampleFrequency = Mpeg1Frequencies[frequencyIndex] / (mpeg1 ? 1 : 2);
    const int mode = header[3] >> 6;
    facts.MpegMode = mode + 1;
    facts.Channels = mode == 3 ? 1 : 2;
    facts.IsCopyrighted = (header[3] & 0x08) != 0;
    facts.IsOriginal = (header[3] & 0x04) != 0;

    // The frame size the control's stream reader divides by: the first frame's size
    // less its padding bit, so a padded Layer I frame (whose padding slot has four
    // bytes) counts three bytes more than an unpadded one.
    const bool padded = (header[2] & 0x02) != 0;
    uint64_t frameSize = 0;
    if (facts.Layer == 1) {
        const uint64_t slots = uint64_t(facts.BitRate) * 12 / uint64_t(facts.SampleFrequency);
        frameSize = 4 * (slots + (padded ? 1 : 0));
    } else {
        frameSize = uint64_t(facts.BitRate) * 144 / uint64_t(facts.SampleFrequency);
        if (!mpeg1 && facts.Layer == 3) frameSize >>= 1;
        frameSize += padded ? 1 : 0;
    }
    frameSize -= padded ? 1 : 0;
    facts.FrameCount = static_cast<int32_t>(fileSize / std::max<uint64_t>(frameSize, 1));
    facts.MsPerFrame =
        (facts.Layer == 1 ? MsPerFrameLayerI : MsPerFrameLayerIIandIII)[frequencyIndex];
    // LSF Layers I and II keep 384 and 1152 samples per frame at half the rate.
    if (!mpeg1 && facts.Layer != 3) facts.MsPerFrame *= 2.0f;
    facts.TotalTime = static_cast<int32_t>(facts.MsPerFrame * static_cast<float>(facts.FrameCount));
    return facts;
}

int64_t CountFrames(const std::string& path, uint64_t headerOffset) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    int64_t frames = 0;
    uint64_t offset = headerOffset;
    while (offset + 4 <= bytes.size()) {
        const std::array<uint8_t, 4> header{bytes[offset], bytes[offset + 1], bytes[offset + 2],
                                            bytes[offset + 3]};
        const std::optional<StreamFacts> facts = FactsFromHeader(header, 0);
        if (!facts) break;
        uint64_t size = facts->Layer == 1
                            ? 4 * (uint64_t(facts->BitRate) * 12 / uint64_t(facts->SampleFrequency))
                            : uint64_t(facts->BitRate) * 144 / uint64_t(facts->SampleFrequency) /
                                  (facts->MpegVersion == 2 && facts->Layer == 3 ? 2 : 1);
        if ((header[2] & 0x02) != 0) size += facts->Layer == 1 ? 4 : 1;
        if (offset + size > bytes.size()) break;
        ++frames;
        offset += size;
    }
    return frames;
}

std::optional<StreamFacts> FactsOfFile(const std::string& path, uint64_t headerOffset) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(headerOffset));
    std::array<uint8_t, 4> header{};
    if (!file.read(reinterpret_cast<char*>(header.data()), 4)) return std::nullopt;
    return FactsFromHeader(header, size);
}

}  // namespace aurion::test
