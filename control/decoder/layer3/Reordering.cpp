#include "control/decoder/layer3/Reordering.h"

#include <cstddef>

namespace aurion {

void Reorder(const GranuleInfo& granule, const ScaleFactorBands& bands,
             const std::array<float, 576>& input, std::array<float, 576>& hybrid) {
    if (!granule.IsShort()) {
        hybrid = input;
        return;
    }
    size_t firstBand = 0;
    if (granule.IsMixed()) {
        for (size_t i = 0; i < 36; ++i) {
            hybrid[i] = input[i];
        }
        firstBand = 3;
    } else {
        hybrid.fill(0.0f);
    }
    for (size_t band = firstBand; band < 13; ++band) {
        const size_t start = bands.shortBounds[band];
        const size_t width = static_cast<size_t>(bands.shortBounds[band + 1]) - start;
        for (size_t window = 0; window < 3; ++window) {
            for (size_t f = 0; f < width; ++f) {
                hybrid[3 * start + 3 * f + window] = input[3 * start + window * width + f];
            }
        }
    }
}

}  // namespace aurion
