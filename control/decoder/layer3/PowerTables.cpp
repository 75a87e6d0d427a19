#include "control/decoder/layer3/PowerTables.h"

#include <cmath>

namespace aurion {

namespace {

PowerTableSet BuildPowerTables() {
    PowerTableSet tables{};
    for (size_t i = 0; i < tables.pow43.size(); ++i) {
        tables.pow43[i] = static_cast<float>(std::pow(static_cast<double>(i), 4.0 / 3.0));
    }
    for (size_t i = 0; i < tables.powHalf.size(); ++i) {
        tables.powHalf[i] = static_cast<float>(std::pow(2.0, -static_cast<double>(i) / 2.0));
    }
    constexpr double intensityBase[2] = {0.840896415256, 0.707106781188};
    for (size_t row = 0; row < 2; ++row) {
        for (size_t i = 0; i < tables.intensityPow[row].size(); ++i) {
            tables.intensityPow[row][i] =
                static_cast<float>(std::pow(intensityBase[row], static_cast<double>(i)));
        }
    }
    return tables;
}

}  // namespace

const PowerTableSet& PowerTables() {
    static const PowerTableSet tables = BuildPowerTables();
    return tables;
}

}  // namespace aurion
