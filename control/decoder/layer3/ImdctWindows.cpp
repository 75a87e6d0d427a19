#include "control/decoder/layer3/ImdctWindows.h"

#include <cmath>
#include <initializer_list>

namespace aurion {

namespace {

constexpr double kPi = 3.14159265358979323846;

// ISO/IEC 11172-3, clause 2.4.3.4.10.2: the windows of block types 0, 1 and 3.
double LongWindow(int blockType, int i) {
    const double normal = std::sin(kPi / 36.0 * (i + 0.5));
    switch (blockType) {
        case 1:
            if (i < 18) return normal;
            if (i < 24) return 1.0;
            if (i < 30) return std::sin(kPi / 12.0 * (i + 0.5 - 18.0));
            return 0.0;
        case 3:
            if (i < 6) return 0.0;
            if (i < 12) return std::sin(kPi / 12.0 * (i + 0.5 - 6.0));
            if (i < 18) return 1.0;
            return normal;
        default:
            return normal;
    }
}

// InverseMdct evaluates an N-point transform (N = 36 or 12) as a DCT-IV y of
// N / 2 points, itself a DCT-III z divided by 2 cos((2n + 1) pi / (2N)). Output i
// is +y[i + N/4] for i < N/4, -y[3N/4 - 1 - i] up to 3N/4, then -y[i - 3N/4]. This
// is the factor output i takes from z.
double OutputFactor(int points, int i) {
    const int quarter = points / 4;
    int n = 0;
    double sign = -1.0;
    if (i < quarter) {
        n = i + quarter;
        sign = 1.0;
    } else if (i < 3 * quarter) {
        n = 3 * quarter - 1 - i;
    } else {
        n = i - 3 * quarter;
    }
    return sign / (2.0 * std::cos((2 * n + 1) * kPi / (2.0 * points)));
}

ImdctWindowTable BuildImdctWindows() {
    ImdctWindowTable table{};
    for (int blockType : {0, 1, 3}) {
        for (int i = 0; i < 36; ++i) {
            table.Long[blockType][i] =
                static_cast<float>(LongWindow(blockType, i) * OutputFactor(36, i));
        }
    }
    for (int i = 0; i < 12; ++i) {
        table.Short[i] = static_cast<float>(std::sin(kPi / 12.0 * (i + 0.5)) * OutputFactor(12, i));
    }
    return table;
}

}  // namespace

const ImdctWindowTable& ImdctWindows() {
    static const ImdctWindowTable table = BuildImdctWindows();
    return table;
}

}  // namespace aurion
