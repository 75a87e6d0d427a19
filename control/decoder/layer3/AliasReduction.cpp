#include "control/decoder/layer3/AliasReduction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

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
        for (size_t i = 0; i < 8; ++i) {
            float& upper = hybrid[18 * sb + 17 - i];
            float& lower = hybrid[18 * (sb + 1) + i];
            const float u = upper;
            const float d = lower;
            upper = u * tables.cs[i] - d * tables.ca[i];
            lower = d * tables.cs[i] + u * tables.ca[i];
        }
    }
    return 18 * std::max(subbands, boundaries == 0 ? 0 : boundaries + 1);
}

}  // namespace aurion
