#include "control/decoder/layer3/HybridSynthesis.h"

#include <bit>
#include <cstddef>
#include <cstring>

#include "control/decoder/VectorClones.h"
#include "control/decoder/layer3/LaneTranspose.h"

namespace aurion {

namespace {

constexpr size_t Lanes = kImdctLanes;
using LaneMask = int32_t __attribute__((vector_size(kImdctLanes * sizeof(int32_t))));

bool AllZero(const float* lines) {
    for (size_t i = 0; i < 18; ++i) {
        if (lines[i] != 0.0f) {
            return false;
        }
    }
    return true;
}

// Per lane a where mask is set, else b, bit for bit. Inlined, so that it runs with
// its caller's instruction set.
inline __attribute__((always_inline)) void Select(const LaneMask& mask, const ImdctLanes& a,
                                                  const ImdctLanes& b, ImdctLanes& result) {
    result = reinterpret_cast<ImdctLanes>((reinterpret_cast<LaneMask>(a) & mask) |
                                          (reinterpret_cast<LaneMask>(b) & ~mask));
}

// kImdctLanes subbands of the same long blockType, their lines from `lines` on,
// with AVX2 where there is: the gathering into lanes and back costs as much as the
// transform.
AURION_VECTOR_CLONES
void RunLanes(uint32_t blockType, float* lines, HybridSynthesis::OverlapGroup& overlap) {
    // Lines 0..7 and 8..15 of the eight subbands come in as rows and are turned
    // into lanes; lines 16 and 17 are put in lane by lane.
    ImdctLanes input[18];
    for (size_t block = 0; block < 2; ++block) {
        for (size_t lane = 0; lane < Lanes; ++lane) {
            std::memcpy(&input[8 * block + lane], lines + 18 * lane + 8 * block,
                        sizeof(ImdctLanes));
        }
        Transpose8(input + 8 * block);
    }
    for (size_t lane = 0; lane < Lanes; ++lane) {
        input[16][lane] = lines[18 * lane + 16];
        input[17][lane] = lines[18 * lane + 17];
    }
    LaneMask hasData{};
    for (const ImdctLanes& line : input) {
        hasData |= line != 0.0f;
    }
    ImdctLanes output[36];
    InverseMdctLanes(input, output, blockType);
    // An all-zero subband gets what it gets on its own: exactly the stored overlap,
    // not the overlap plus a transform of zeros, and a new overlap of +0.0.
    ImdctLanes sum[18];
    for (size_t i = 0; i < 18; ++i) {
        Select(hasData, output[i] + overlap[i], overlap[i], sum[i]);
        Select(hasData, output[18 + i], ImdctLanes{}, overlap[i]);
    }
    for (size_t block = 0; block < 2; ++block) {
        Transpose8(sum + 8 * block);
        for (size_t lane = 0; lane < Lanes; ++lane) {
            std::memcpy(lines + 18 * lane + 8 * block, &sum[8 * block + lane], sizeof(ImdctLanes));
        }
    }
    for (size_t lane = 0; lane < Lanes; ++lane) {
        lines[18 * lane + 16] = sum[16][lane];
        lines[18 * lane + 17] = sum[17][lane];
    }
}

}  // namespace

void HybridSynthesis::Reset() {
    for (auto& channel : m_overlap) {
        for (auto& group : channel) {
            for (ImdctLanes& samples : group) {
                samples = ImdctLanes{};
            }
        }
    }
}

std::array<float, 576> HybridSynthesis::Overlap(int channel) const {
    std::array<float, 576> overlap{};
    for (size_t sb = 0; sb < 32; ++sb) {
        for (size_t i = 0; i < 18; ++i) {
            overlap[18 * sb + i] = m_overlap[channel & 1][sb / Lanes][i][sb % Lanes];
        }
    }
    return overlap;
}

void HybridSynthesis::Run(int channel, const GranuleInfo& granule, std::array<float, 576>& hybrid,
                          size_t nonzeroLines) {
    const uint32_t granuleBlockType =
        granule.window_switching_flag != 0 ? granule.block_type & 3 : 0;
    // Any window-switching block with the mixed flag, start and stop blocks included,
    // keeps the normal window in its two lowest subbands.
    const bool mixed = granule.window_switching_flag != 0 && granule.mixed_block_flag != 0;
    const auto blockTypeOf = [&](size_t sb) -> uint32_t {
        return (mixed && sb < 2) ? 0 : granuleBlockType;
    };
    for (size_t first = 0; first < 32; first += Lanes) {
        OverlapGroup& overlap = m_overlap[channel & 1][first / Lanes];
        const uint32_t blockType = blockTypeOf(first);
        // Groups of long blocks with one window go through the transform side by
        // side; a group past the last line with data has nothing to transform.
        const bool inLanes = 18 * first < nonzeroLines && blockType != 2 &&
                             blockTypeOf(first + Lanes - 1) == blockType;
        if (inLanes) {
            RunLanes(blockType, hybrid.data() + 18 * first, overlap);
        } else {
            for (size_t lane = 0; lane < Lanes; ++lane) {
                const size_t sb = first + lane;
                RunSubband(blockTypeOf(sb), hybrid.data() + 18 * sb, overlap, lane,
                           18 * sb < nonzeroLines);
            }
        }
    }
}

void HybridSynthesis::RunSubband(uint32_t blockType, float* lines, OverlapGroup& overlap,
                                 size_t lane, bool mayHoldData) {
    if (!mayHoldData || AllZero(lines)) {
        // The transform of silence is silence: only the overlap moves on.
        for (size_t i = 0; i < 18; ++i) {
            lines[i] = overlap[i][lane];
            overlap[i][lane] = 0.0f;
        }
        return;
    }
    float output[36];
    InverseMdct(lines, output, blockType);
    for (size_t i = 0; i < 18; ++i) {
        lines[i] = output[i] + overlap[i][lane];
        overlap[i][lane] = output[18 + i];
    }
}

AURION_VECTOR_CLONES
void InvertFrequencies(std::array<float, 576>& hybrid) {
    // Negating is flipping the sign bit. Over a pair of subbands, the odd samples of
    // the second; as a mask over all 36 lines, so that the compiler runs it in lanes.
    static constexpr std::array<uint32_t, 36> SignOfPair = [] {
        std::array<uint32_t, 36> mask{};
        for (size_t i = 19; i < 36; i += 2) {
            mask[i] = 0x80000000u;
        }
        return mask;
    }();
    for (size_t pair = 0; pair < 16; ++pair) {
        for (size_t i = 0; i < 36; ++i) {
            float& line = hybrid[36 * pair + i];
            line = std::bit_cast<float>(std::bit_cast<uint32_t>(line) ^ SignOfPair[i]);
        }
    }
}

}  // namespace aurion
