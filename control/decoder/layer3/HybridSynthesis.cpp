#include "control/decoder/layer3/HybridSynthesis.h"

#include <cstddef>

#include "control/decoder/layer3/InverseMdct.h"

namespace aurion {

namespace {

bool AllZero(const float* lines) {
    for (size_t i = 0; i < 18; ++i) {
        if (lines[i] != 0.0f) {
            return false;
        }
    }
    return true;
}

}  // namespace

void HybridSynthesis::Reset() {
    for (auto& overlap : m_overlap) {
        overlap.fill(0.0f);
    }
}

void HybridSynthesis::Run(int channel, const GranuleInfo& granule, std::array<float, 576>& hybrid,
                          size_t nonzeroLines) {
    std::array<float, 576>& overlap = m_overlap[channel & 1];
    const uint32_t granuleBlockType =
        granule.window_switching_flag != 0 ? granule.block_type & 3 : 0;
    // Any window-switching block with the mixed flag, start and stop blocks included,
    // keeps the normal window in its two lowest subbands.
    const bool mixed = granule.window_switching_flag != 0 && granule.mixed_block_flag != 0;
    float output[36];
    for (size_t sb = 0; sb < 32; ++sb) {
        const uint32_t blockType = (mixed && sb < 2) ? 0 : granuleBlockType;
        float* lines = hybrid.data() + 18 * sb;
        float* previous = overlap.data() + 18 * sb;
        if (18 * sb >= nonzeroLines || AllZero(lines)) {
            // The transform of silence is silence: only the overlap moves on.
            for (size_t i = 0; i < 18; ++i) {
                lines[i] = previous[i];
                previous[i] = 0.0f;
            }
            continue;
        }
        InverseMdct(lines, output, blockType);
        for (size_t i = 0; i < 18; ++i) {
            lines[i] = output[i] + previous[i];
            previous[i] = output[18 + i];
        }
    }
}

void InvertFrequencies(std::array<float, 576>& hybrid) {
    for (size_t sb = 1; sb < 32; sb += 2) {
        for (size_t i = 1; i < 18; i += 2) {
            hybrid[18 * sb + i] = -hybrid[18 * sb + i];
        }
    }
}

}  // namespace aurion
