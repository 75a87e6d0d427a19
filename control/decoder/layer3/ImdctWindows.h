// The four Layer III windows (ISO/IEC 11172-3, clause 2.4.3.4.10.2: normal, start,
// short, stop), pre-multiplied by the output factors of InverseMdct's fast
// transform so that windowing costs no separate pass. Built once, thread-safely,
// at first use.
#pragma once

namespace aurion {

struct ImdctWindowTable {
    // Long[t][i]: window of block type t (0, 1, 3; row 2 unused) times the fast
    // transform's factor for output i, i = 0..35.
    float Long[4][36];
    // Short[i]: the short window times the 12-point transform's factor, i = 0..11.
    float Short[12];
};

[[nodiscard]] const ImdctWindowTable& ImdctWindows();

}  // namespace aurion
