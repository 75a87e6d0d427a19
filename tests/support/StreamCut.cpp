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

}  // namespace

bool WriteFirstFrames(const std::string& source, int frames, const std::string& target) {
    const std::vector<uint8_t> bytes = ReadAll(source);
    size_t at = 0;
    for (int f = 0; f < frames; ++f) {
        if (at + 4 > bytes.size() || bytes[at] != 0xFF || (bytes[at + 1] & 0xE0) != 0xE0)
            return false;
        const int version = (bytes[at + 1] >> 3) & 1;
        const int kbps = LayerIIIKbps[version][bytes[at + 2] >> 4];
        const int rateIndex = (bytes[at + 2] >> 2) & 3;
        if (kbps == 0 || rateIndex == 3) return false;
        const int rate = Mpeg1Rates[rateIndex] / (version == 1 ? 1 : 2);
        const int padding = (bytes[at + 2] >> 1) & 1;
        at += static_cast<size_t>((version == 1 ? 144 : 72) * kbps * 1000 / rate + padding);
    }
    if (at > bytes.size()) return false;
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(at));
    return static_cast<bool>(out);
}

}  // namespace aurion::test
