// What `aurion info` must report for a stream, worked out here from the first
// four bytes of the file and its size, independently of the control: the header
// fields (ISO/IEC 11172-3 clause 2.4.2.3, ISO/IEC 13818-3 for the low sampling
// frequencies) and the control's estimates from the first frame, FrameCount =
// file size / frame size without its padding bit, and TotalTime = ms per frame x
// FrameCount (in float), truncated.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace aurion::test {

struct StreamFacts {
    int Layer = 0;
    int SampleFrequency = 0;
    int BitRate = 0;
    int MpegVersion = 0;  // 1 or 2
    int MpegMode = 0;     // header mode + 1
    bool HasChecksums = false;
    bool IsCopyrighted = false;
    bool IsOriginal = false;
    int32_t FrameCount = 0;
    float MsPerFrame = 0.0f;
    int32_t TotalTime = 0;
    int Channels = 0;  // 1 for single channel, else 2
};

// Empty for bytes that are no MPEG-1/MPEG-2 audio header with a valid bit rate and frequency.
[[nodiscard]] std::optional<StreamFacts> FactsFromHeader(const std::array<uint8_t, 4>& header,
                                                         uint64_t fileSize);
// The number of whole frames from `headerOffset` on, following each header's
// frame size (with padding) for as long as a valid header follows.
[[nodiscard]] int64_t CountFrames(const std::string& path, uint64_t headerOffset = 0);

// The facts of a file whose first frame header sits at `headerOffset`.
[[nodiscard]] std::optional<StreamFacts> FactsOfFile(const std::string& path,
                                                     uint64_t headerOffset = 0);

}  // namespace aurion::test
