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

// The transform of silence is silence: only the overlap moves on.
void KeepOverlap(float* lines, float* previous) {
    for (size_t i = 0; i < 18; ++i) {
        lines[i] = previous[i];
        previous[i] = 0.0f;
    }
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
    const auto blockTypeOf = [&](size_t sb) -> uint32_t {
        return (mixed && sb < 2) ? 0 : granuleBlockType;
    };
    constexpr size_t Lanes = kImdctLanes;
    for (size_t first = 0; first < 32; first += Lanes) {
        const uint32_t blockType = blockTypeOf(first);
        // Groups of long blocks with one window go through the transform side by
        // side; a group past the last line with data has nothing to transform.
        const bool inLanes = 18 * first < nonzeroLines && blockType != 2 &&
                             blockTypeOf(first + Lanes - 1) == blockType;
        if (inLanes) {
            RunLanes(first, blockType, hybrid.data(), overlap.data(), nonzeroLines);
        } else {
            for (size_t sb = first; sb < first + Lanes; ++sb) {
                RunSubband(blockTypeOf(sb), hybrid.data() + 18 * sb, overlap.data() + 18 * sb,
                           18 * sb < nonzeroLines);
            }
        }
    }
}

void HybridSynthesis::RunSubband(uint32_t blockType, float* lines, float* previous,
                                 bool mayHoldData) {
    if (!mayHoldData || AllZero(lines)) {
        KeepOverlap(lines, previous);
        return;
    }
    float output[36];
    InverseMdct(lines, output, blockType);
    for (size_t i = 0; i < 18; ++i) {
        lines[i] = output[i] + previous[i];
        previous[i] = output[18 + i];
    }
}

void HybridSynthesis::RunLanes(size_t first, uint32_t blockType, float* hybrid, float* overlap,
                               size_t nonzeroLines) {
    constexpr size_t Lanes = kImdctLanes;
    ImdctLanes input[18];
    for (size_t k = 0; k < 18; ++k) {
        for (size_t lane = 0; lane < Lanes; ++lane) {
            input[k][lane] = hybrid[18 * (first + lane) + k];
        }
    }
    ImdctLanes output[36];
    InverseMdctLanes(input, output, blockType);
    for (size_t lane = 0; lane < Lanes; ++lane) {
        const size_t sb = first + lane;
        float* lines = hybrid + 18 * sb;
        float* previous = overlap + 18 * sb;
        // An all-zero subband takes the same path as on its own, so that its output
        // is exactly the stored overlap, not the overlap plus a transform of zeros.
        if (18 * sb >= nonzeroLines || AllZero(lines)) {
            KeepOverlap(lines, previous);
            continue;
        }
        for (size_t i = 0; i < 18; ++i) {
            lines[i] = output[i][lane] + previous[i];
            previous[i] = output[18 + i][lane];
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
