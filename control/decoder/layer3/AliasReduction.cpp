#include "control/decoder/layer3/AliasReduction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "control/decoder/VectorClones.h"
#include "control/decoder/layer3/AliasCoefficients.h"

namespace aurion {

namespace {

AliasButterflies BuildAliasTables() {
    AliasButterflies tables{};
    for (size_t i = 0; i < AliasCoefficients.size(); ++i) {
        const double c = AliasCoefficients[i];
        const double cs = 1.0 / std::sqrt(1.0 + c * c);
        tables.cs[i] = static_cast<float>(cs);
        tables.ca[i] = static_cast<float>(c * cs);
    }
    return tables;
}

// The eight butterflies of one boundary: lines[0..7] are the upper subband's last
// eight lines, lines[8..15] the lower subband's first eight; butterfly i pairs
// lines[7 - i] with lines[8 + i]. Written out over arrays so that the compiler does
// the eight side by side, each with the operations of a single one.
AURION_VECTOR_CLONES
void Butterflies(const AliasButterflies& tables, float* lines) {
    float upper[8];
    float lower[8];
    for (size_t i = 0; i < 8; ++i) {
        const float u = lines[7 - i];
        const float d = lines[8 + i];
        upper[i] = u * tables.cs[i] - d * tables.ca[i];
        lower[i] = d * tables.cs[i] + u * tables.ca[i];
    }
    for (size_t i = 0; i < 8; ++i) {
        lines[7 - i] = upper[i];
        lines[8 + i] = lower[i];
    }
}

}  // namespace

const AliasButterflies& AliasTables() {
    static const AliasButterflies tables = BuildAliasTables();
    return tables;
}

size_t ReduceAliases(const GranuleInfo& granule, std::array<float, 576>& hybrid,
                     size_t nonzeroLines) {
    if (granule.IsShort() && !granule.IsMixed()) {
        return nonzeroLines;
    }
    // A butterfly of two +0.0 lines gives +0.0 on both (+0 x cs - +0 x ca is
    // +0 - -0): the boundaries above the last subband with data are left out. The
    // last one done still moves data into the first lines of the subband above.
    const size_t subbands = std::min<size_t>((nonzeroLines + 17) / 18, 32);
    const size_t boundaries = std::min<size_t>(granule.IsMixed() ? 1 : 31, subbands);
    const AliasButterflies& tables = AliasTables();
    for (size_t sb = 0; sb < boundaries; ++sb) {
        Butterflies(tables, hybrid.data() + 18 * sb + 10);
    }
    return 18 * std::max(subbands, boundaries == 0 ? 0 : boundaries + 1);
}

}  // namespace aurion
