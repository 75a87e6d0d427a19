// Side information of one granule as the Layer III stage tests need it.
#pragma once

#include "control/decoder/layer3/SideInfo.h"

namespace aurion::test {

// A granule of short blocks (window switching, block type 2), mixed or not.
inline GranuleInfo ShortGranule(bool mixed) {
    GranuleInfo g;
    g.window_switching_flag = 1;
    g.block_type = 2;
    g.mixed_block_flag = mixed ? 1 : 0;
    return g;
}

}  // namespace aurion::test
