// Access to the MPEG audio conformance streams kept outside the repository (the
// shared conformance folder beside the project's root) and the comparison of a
// decoder's 16-bit output with a stream's reference PCM, in LSB.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace aurion::test {

// The folder, or empty when it is absent (tests then skip).
[[nodiscard]] std::string ConformanceFolder();
[[nodiscard]] std::string ConformanceBitstream(const std::string& name);
// expected_samples of the stream's manifest.tsv row (all channels together).
[[nodiscard]] std::optional<uint64_t> ExpectedSamples(const std::string& name);
// A raw PCM file: 16-bit little-endian samples, channels interleaved.
[[nodiscard]] std::optional<std::vector<int16_t>> ReadRawPcm(const std::string& path);
// The reference output, a raw PCM file.
[[nodiscard]] std::optional<std::vector<int16_t>> ReferencePcm(const std::string& name);

struct PcmDifference {
    size_t compared = 0;   // the common length
    double rms = 0.0;      // LSB
    int32_t peak = 0;      // LSB
    size_t peakIndex = 0;  // where the peak difference lies
};

[[nodiscard]] PcmDifference ComparePcm(std::span<const int16_t> decoded,
                                       std::span<const int16_t> reference);

}  // namespace aurion::test
