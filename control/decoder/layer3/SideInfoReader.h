// Reads the Layer III side information of one frame (ISO/IEC 11172-3 clause
// 2.4.1.7; ISO/IEC 13818-3 for LSF) from a bit source with GetBits(n), such as the
// FrameStream positioned at the start of the frame body. Fields are stored as read
// and never cleared; a field the frame does not transmit keeps its older value.
// Values are not range-checked here: every later stage bounds what it indexes.
#pragma once

#include <cstdint>

#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

// Returns false when window switching carries block type 0 (invalid); reading then
// stops at that field and the rest of the side information keeps older values.
template <class BitSource>
bool ReadSideInfo(BitSource& bits, bool lsf, int channels, SideInfo& info) {
    const int granules = lsf ? 1 : 2;
    info.main_data_begin = bits.GetBits(lsf ? 8 : 9);
    if (lsf) {
        info.private_bits = bits.GetBits(channels == 1 ? 1 : 2);
    } else {
        info.private_bits = bits.GetBits(channels == 1 ? 5 : 3);
        for (int ch = 0; ch < channels; ++ch) {
            for (int group = 0; group < 4; ++group) {
                info.scfsi[ch][group] = bits.GetBits(1);
            }
        }
    }
    for (int gr = 0; gr < granules; ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            GranuleInfo& g = info.granules[gr][ch];
            g.part2_3_length = bits.GetBits(12);
            g.big_values = bits.GetBits(9);
            g.global_gain = bits.GetBits(8);
            g.scalefac_compress = bits.GetBits(lsf ? 9 : 4);
            g.window_switching_flag = bits.GetBits(1);
            if (g.window_switching_flag != 0) {
                g.block_type = bits.GetBits(2);
                if (g.block_type == 0) {
                    return false;
                }
                g.mixed_block_flag = bits.GetBits(1);
                g.table_select[0] = bits.GetBits(5);
                g.table_select[1] = bits.GetBits(5);
                for (uint32_t& gain : g.subblock_gain) {
                    gain = bits.GetBits(3);
                }
                g.region0_count = (g.block_type == 2 && g.mixed_block_flag == 0) ? 8 : 7;
                g.region1_count = 20 - g.region0_count;
            } else {
                for (uint32_t& table : g.table_select) {
                    table = bits.GetBits(5);
                }
                g.region0_count = bits.GetBits(4);
                g.region1_count = bits.GetBits(3);
                g.block_type = 0;
            }
            if (!lsf) {
                g.preflag = bits.GetBits(1);
            }
            g.scalefac_scale = bits.GetBits(1);
            g.count1table_select = bits.GetBits(1);
        }
    }
    return true;
}

}  // namespace aurion
