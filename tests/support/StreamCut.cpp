#include "tests/support/StreamCut.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace aurion::test {

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Layer III bit rates in kbit/s by version (0 LSF, 1 MPEG-1) and index
// (ISO/IEC 11172-3 and 13818-3).
constexpr int LayerIIIKbps[2][16] = {
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
constexpr int Mpeg1Rates[3] = {44100, 48000, 32000};

// The Xing record of a single-channel MPEG-1 header frame, as lame writes it.
constexpr size_t XingFramesAt = 21 + 8;
constexpr size_t XingBytesAt = XingFramesAt + 4;
constexpr size_t XingTocAt = XingBytesAt + 4;
constexpr size_t XingTocEntries = 100;

// The bytes of the frame whose header starts at `at`; 0 when none starts there.
size_t FrameBytesAt(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 4 > bytes.size() || bytes[at] != 0xFF || (bytes[at + 1] & 0xE0) != 0xE0) return 0;
    const int version = (bytes[at + 1] >> 3) & 1;
    const int kbps = LayerIIIKbps[version][bytes[at + 2] >> 4];
    const int rateIndex = (bytes[at + 2] >> 2) & 3;
    if (kbps == 0 || rateIndex == 3) return 0;
    const int rate = Mpeg1Rates[rateIndex] / (version == 1 ? 1 : 2);
    const int padding = (bytes[at + 2] >> 1) & 1;
    return static_cast<size_t>((version == 1 ? 144 : 72) * kbps * 1000 / rate + padding);
}

void PutUint32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

std::vector<size_t> LayerIIIFrameStarts(const std::vector<uint8_t>& bytes) {
    std::vector<size_t> starts;
    size_t at = 0;
    for (size_t size = FrameBytesAt(bytes, at); size != 0 && at + size <= bytes.size();
         size = FrameBytesAt(bytes, at)) {
        starts.push_back(at);
        at += size;
    }
    return starts;
}

RepeatedVbrFile RepeatVbrFile(const std::string& source, size_t copies) {
    const std::vector<uint8_t> original = ReadAll(source);
    const std::vector<size_t> starts = LayerIIIFrameStarts(original);
    RepeatedVbrFile file;
    if (starts.size() < 2) return file;
    const size_t headerFrameBytes = starts[1];
    const size_t audioBytes = original.size() - headerFrameBytes;
    file.Bytes.assign(original.begin(), original.begin() + static_cast<long>(headerFrameBytes));
    for (size_t copy = 0; copy < copies; ++copy) {
        file.Bytes.insert(file.Bytes.end(), original.begin() + static_cast<long>(headerFrameBytes),
                          original.end());
        for (size_t i = 1; i < starts.size(); ++i)
            file.Starts.push_back(starts[i] + copy * audioBytes);
    }
    const auto frames = static_cast<uint32_t>(file.Starts.size());
    const auto total = static_cast<uint32_t>(file.Bytes.size());
    PutUint32(file.Bytes, XingFramesAt, frames);
    PutUint32(file.Bytes, XingBytesAt, total);
    for (size_t p = 0; p < XingTocEntries; ++p) {
        const uint64_t start = file.Starts[p * frames / XingTocEntries];
        file.Bytes[XingTocAt + p] = static_cast<uint8_t>(start * 256 / total);
    }
    return file;
}

bool WriteFirstFrames(const std::string& source, int frames, const std::string& target) {
    const std::vector<uint8_t> bytes = ReadAll(source);
    size_t at = 0;
    for (int f = 0; f < frames; ++f) {
        const size_t size = FrameBytesAt(bytes, at);
        if (size == 0) return false;
        at += size;
    }
    if (at > bytes.size()) return false;
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(at));
    return static_cast<bool>(out);
}

}  // namespace aurion::test
