#include "control/decoder/layer3/Reordering.h"

#include <algorithm>
#include <cstddef>

namespace aurion {

size_t Reorder(const GranuleInfo& granule, const ScaleFactorBands& bands,
               const std::array<float, 576>& input, std::array<float, 576>& hybrid,
               size_t nonzeroLines) {
    if (!granule.IsShort()) {
        hybrid = input;
        return nonzeroLines;
    }
    // A short band's lines move only within the band: the bound becomes the end of
    // the band that holds the last line before it.
    size_t reorderedLines = nonzeroLines;
    size_t firstBand = 0;
    if (granule.IsMixed()) {
        for (size_t i = 0; i < 36; ++i) {
            hybrid[i] = input[i];
        }
        firstBand = 3;
        // Where the short bands start above line 36 (MPEG-2.5 at 8 kHz) the lines in
        // between belong to neither part and are never requantized: they are silent,
        // not what the buffer held from the channel or granule before.
        const size_t shortStart = std::min<size_t>(3u * bands.shortBounds[firstBand], 576);
        if (shortStart > 36) {
            std::fill(hybrid.begin() + 36, hybrid.begin() + static_cast<std::ptrdiff_t>(shortStart),
                      0.0f);
        }
    } else {
        hybrid.fill(0.0f);
    }
    for (size_t band = firstBand; band < 13; ++band) {
        const size_t start = bands.shortBounds[band];
        const size_t width = static_cast<size_t>(bands.shortBounds[band + 1]) - start;
        if (3 * start < nonzeroLines) {
            reorderedLines = std::max(reorderedLines, 3 * (start + width));
        }
        for (size_t window = 0; window < 3; ++window) {
            for (size_t f = 0; f < width; ++f) {
                hybrid[3 * start + 3 * f + window] = input[3 * start + window * width + f];
            }
        }
    }
    return std::min<size_t>(reorderedLines, 576);
}

}  // namespace aurion
