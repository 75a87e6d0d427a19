// The last Layer III stage before the polyphase filter (ISO/IEC 11172-3 clause
// 2.4.3.4.10): per subband the IMDCT with its block type's window, overlap-add
// with the previous granule of the same channel, then the frequency inversion of
// odd subbands. Holds the overlap of both channels; zero after construction and
// after Reset, so nothing from before a seek reaches the output. Long blocks are
// transformed kImdctLanes subbands side by side (InverseMdctLanes), the overlap
// kept in that layout; short blocks and mixed groups one subband at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "control/decoder/layer3/InverseMdct.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

class HybridSynthesis {
public:
    HybridSynthesis() = default;
    HybridSynthesis(const HybridSynthesis&) = delete;
    HybridSynthesis& operator=(const HybridSynthesis&) = delete;

    void Reset();
    // hybrid holds the channel's lines after alias reduction; on return the 18 time
    // samples of each subband (line = 18 x subband + sample). channel is 0 or 1.
    // nonzeroLines: hybrid is zero from that line on.
    void Run(int channel, const GranuleInfo& granule, std::array<float, 576>& hybrid,
             size_t nonzeroLines = 576);

    // The stored overlap of a channel, line = 18 x subband + sample.
    [[nodiscard]] std::array<float, 576> Overlap(int channel) const;

    // The overlap of kImdctLanes subbands side by side, as the transform gives it:
    // group[i][lane] is sample 18 + i of subband first + lane.
    using OverlapGroup = std::array<ImdctLanes, 18>;

private:
    // One subband on its own, in the given lane of its group; mayHoldData false
    // when it lies past the data.
    static void RunSubband(uint32_t blockType, float* lines, OverlapGroup& overlap, size_t lane,
                           bool mayHoldData);

    std::array<std::array<OverlapGroup, 32 / kImdctLanes>, 2> m_overlap{};
};

// Negates the odd time samples of the odd subbands.
void InvertFrequencies(std::array<float, 576>& hybrid);

}  // namespace aurion
