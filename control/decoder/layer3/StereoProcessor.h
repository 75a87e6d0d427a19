// Joint-stereo processing of one granule (ISO/IEC 11172-3 clause 2.4.3.4.9;
// ISO/IEC 13818-3 for LSF intensity stereo): middle/side and intensity stereo of
// both channels' spectra into the stereo buffers, and the optional downmix into
// channel 0. The working arrays are members so that nothing is allocated per
// granule; intensity positions from the scale factors are bounded against their
// tables. MPEG-1: 7 and above are not intensity coded. LSF: the largest value of a
// band's slen is not intensity coded, larger ones are capped to IntensityPow.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/ScaleFactorReader.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

using Spectrum = std::array<float, 576>;

struct StereoMode {
    bool middleSide = false;
    bool intensity = false;
    bool lsf = false;
    // LSF: the IntensityPow row, the lowest bit of channel 0's scalefac_compress.
    int intensityRow = 0;
};

class StereoProcessor {
public:
    StereoProcessor() = default;
    StereoProcessor(const StereoProcessor&) = delete;
    StereoProcessor& operator=(const StereoProcessor&) = delete;

    // Two channels: dequantized[0..1] to stereo[0..1]. rightGranule and
    // rightScaleFactors are channel 1's, whose scale factors carry the positions.
    // nonzeroLines[c]: dequantized[c] is +0.0 from that line on, so the work stops
    // there. Returns the same bound for each stereo channel; all 576 lines of both
    // are written.
    std::array<size_t, 2> Process(const StereoMode& mode, const GranuleInfo& rightGranule,
                                  const ScaleFactors& rightScaleFactors,
                                  const ScaleFactorBands& bands,
                                  const std::array<Spectrum, 2>& dequantized,
                                  std::array<Spectrum, 2>& stereo,
                                  std::array<size_t, 2> nonzeroLines = {576, 576});

    static constexpr int32_t NotCoded = -1;
    // The positions of the last Process call (NotCoded where not intensity coded).
    [[nodiscard]] const std::array<int32_t, 576>& IntensityPositions() const {
        return m_intensityPos;
    }

private:
    void SetBand(const StereoMode& mode, size_t begin, size_t end, int32_t position,
                 int32_t lsfLimit);
    void CopyLine(size_t to, size_t from);
    void LongBlockPositions(const StereoMode& mode, const ScaleFactors& sf,
                            const ScaleFactorBands& bands, const Spectrum& right,
                            size_t rightNonzeroLines);
    // Returns whether any window of the short part holds right-channel data.
    bool ShortBlockPositions(const StereoMode& mode, const ScaleFactors& sf,
                             const ScaleFactorBands& bands, const Spectrum& right,
                             size_t firstBand);
    void MixedLongPositions(const StereoMode& mode, const ScaleFactors& sf,
                            const ScaleFactorBands& bands, const Spectrum& right);

    std::array<int32_t, 576> m_intensityPos{};
    std::array<float, 576> m_intensityRatioOf{};
    std::array<std::array<float, 576>, 2> m_intensityFactors{};
};

// Channel 0 becomes the mean of both channels. nonzeroLines as Process returns them;
// returns channel 0's bound.
size_t Downmix(std::array<Spectrum, 2>& stereo, std::array<size_t, 2> nonzeroLines = {576, 576});

}  // namespace aurion
