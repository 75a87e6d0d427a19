#include "control/decoder/layer3/AliasReduction.h"

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

void ReduceAliases(const GranuleInfo& granule, std::array<float, 576>& hybrid) {
    if (granule.IsShort() && !granule.IsMixed()) {
        return;
    }
    const size_t boundaries = granule.IsMixed() ? 1 : 31;
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
}

}  // namespace aurion
