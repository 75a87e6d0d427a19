#include "tests/support/Conformance.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace aurion::test {

std::string ConformanceFolder() {
    const std::filesystem::path folder =
        std::filesystem::path(TRACKDECK_SOURCE_DIR) / ".." / "shared" / "conformance";
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder / "manifest.tsv", error)) {
        return {};
    }
    return folder.lexically_normal().string();
}

std::string ConformanceBitstream(const std::string& name) {
    return (std::filesystem::path(ConformanceFolder()) / (name + ".bit")).string();
}

std::optional<uint64_t> ExpectedSamples(const std::string& name) {
    std::ifstream manifest(std::filesystem::path(ConformanceFolder()) / "manifest.tsv");
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string stream;
        if (!std::getline(fields, stream, '\t') || stream != name) {
            continue;
        }
        const size_t lastTab = line.rfind('\t');
        if (lastTab == std::string::npos) {
            return std::nullopt;
        }
        char* end = nullptr;
        const unsigned long long value = std::strtoull(line.c_str() + lastTab + 1, &end, 10);
        if (end == line.c_str() + lastTab + 1) {
            return std::nullopt;
        }
        return static_cast<uint64_t>(value);
    }
    return std::nullopt;
}

std::optional<std::vector<int16_t>> ReadRawPcm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<uint8_t>(bytes[2 * i]);
        const auto high = static_cast<uint8_t>(bytes[2 * i + 1]);
        samples[i] = static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
    }
    return samples;
}

std::optional<std::vector<int16_t>> ReferencePcm(const std::string& name) {
    return ReadRawPcm((std::filesystem::path(ConformanceFolder()) / (name + ".pcm")).string());
}

PcmDifference ComparePcm(std::span<const int16_t> decoded, std::span<const int16_t> reference) {
    PcmDifference result;
    result.compared = std::min(decoded.size(), reference.size());
    double sum = 0.0;
    for (size_t i = 0; i < result.compared; ++i) {
        const int32_t difference = std::abs(int32_t{decoded[i]} - int32_t{reference[i]});
        sum += static_cast<double>(difference) * difference;
        if (difference > result.peak) {
            result.peak = difference;
            result.peakIndex = i;
        }
    }
    if (result.compared > 0) {
        result.rms = std::sqrt(sum / static_cast<double>(result.compared));
    }
    return result;
}

}  // namespace aurion::test
