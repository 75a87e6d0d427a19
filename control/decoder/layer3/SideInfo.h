// The Layer III side information of one frame (ISO/IEC 11172-3 clause 2.4.1.7;
// ISO/IEC 13818-3 for the low sampling frequencies). Allocated once per decoder
// and never cleared between frames: fields a frame does not transmit keep their
// older values.
#pragma once

#include <cstdint>

namespace aurion {

struct GranuleInfo {
    uint32_t part2_3_length = 0;
    uint32_t big_values = 0;
    uint32_t global_gain = 0;
    uint32_t scalefac_compress = 0;
    uint32_t window_switching_flag = 0;
    uint32_t block_type = 0;
    uint32_t mixed_block_flag = 0;
    uint32_t table_select[3] = {};
    uint32_t subblock_gain[3] = {};
    uint32_t region0_count = 0;
    uint32_t region1_count = 0;
    uint32_t preflag = 0;
    uint32_t scalefac_scale = 0;
    uint32_t count1table_select = 0;

    // Short blocks (window switching with block type 2), mixed or not.
    [[nodiscard]] bool IsShort() const { return window_switching_flag != 0 && block_type == 2; }
    [[nodiscard]] bool IsMixed() const { return IsShort() && mixed_block_flag != 0; }
};

struct SideInfo {
    uint32_t main_data_begin = 0;
    uint32_t private_bits = 0;
    uint32_t scfsi[2][4] = {};        // [channel][group]
    GranuleInfo granules[2][2] = {};  // [granule][channel]
};

}  // namespace aurion
