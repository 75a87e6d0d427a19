// Reads the Layer III scale factors of one granule and channel from the main data
// (ISO/IEC 11172-3 clause 2.4.2.7 for MPEG-1, ISO/IEC 13818-3 for LSF), from a bit
// source with GetBits(n) such as the BitReservoir. Every band index written is a
// constant of the syntax, so no file value can address outside ScaleFactors; only
// MPEG-1 granule 1 keeps older values (the groups its scfsi bits mark).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "control/decoder/layer3/LsfPartitionTable.h"
#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/ScaleFactorLengths.h"
#include "control/decoder/layer3/SideInfo.h"

namespace aurion {

struct ScaleFactors {
    std::array<int32_t, 23> l{};                 // long bands 0..22
    std::array<std::array<int32_t, 13>, 3> s{};  // [window][short band 0..12]
    // LSF: per band the largest value its slen can carry (2^slen - 1), which as an
    // intensity position marks the band not intensity coded (ISO/IEC 13818-3).
    std::array<int32_t, 23> lsfLimitL{};
    std::array<std::array<int32_t, 13>, 3> lsfLimitS{};
};

// The LSF slen values, block number and preflag that scalefac_compress selects.
struct LsfScaleFactorLayout {
    std::array<uint32_t, 4> slen{};
    int blockNumber = 0;
    uint32_t preflag = 0;
};

[[nodiscard]] inline LsfScaleFactorLayout LsfLayout(uint32_t sfc, bool intensityRightChannel) {
    LsfScaleFactorLayout layout;
    if (!intensityRightChannel) {
        if (sfc < 400) {
            layout.slen = {sfc / 80, (sfc / 16) % 5, (sfc % 16) / 4, sfc % 4};
            layout.blockNumber = 0;
        } else if (sfc < 500) {
            const uint32_t v = sfc - 400;
            layout.slen = {(v / 4) / 5, (v / 4) % 5, v % 4, 0};
            layout.blockNumber = 1;
        } else {
            const uint32_t v = sfc - 500;  // 0..11: the 9-bit field goes no higher
            layout.slen = {v / 3, v % 3, 0, 0};
            layout.blockNumber = 2;
            layout.preflag = 1;
        }
        return layout;
    }
    const uint32_t h = sfc / 2;
    if (h < 180) {
        layout.slen = {h / 36, (h % 36) / 6, (h % 36) % 6, 0};
        layout.blockNumber = 3;
    } else if (h < 244) {
        const uint32_t v = h - 180;
        layout.slen = {(v % 64) / 16, (v % 16) / 4, v % 4, 0};
        layout.blockNumber = 4;
    } else {
        const uint32_t v = h - 244;  // 0..11
        layout.slen = {v / 3, v % 3, 0, 0};
        layout.blockNumber = 5;
    }
    return layout;
}

template <class BitSource>
uint32_t ReadScaleFactorBits(BitSource& bits, uint32_t slen) {
    return slen == 0 ? 0 : bits.GetBits(slen);
}

// MPEG-1: granule 1 of a long-block channel keeps granule 0's values in every
// group whose scfsi bit is set.
template <class BitSource>
void ReadScaleFactorsMpeg1(BitSource& bits, const GranuleInfo& granule, const uint32_t (&scfsi)[4],
                           int granuleIndex, ScaleFactors& sf) {
    const uint32_t slen1 = ScaleFactorSlen1[granule.scalefac_compress & 15];
    const uint32_t slen2 = ScaleFactorSlen2[granule.scalefac_compress & 15];
    if (granule.IsShort()) {
        int firstShortBand = 0;
        if (granule.IsMixed()) {
            for (int band = 0; band < MixedLongBandsMpeg1; ++band) {
                sf.l[band] = static_cast<int32_t>(ReadScaleFactorBits(bits, slen1));
            }
            firstShortBand = 3;
        }
        for (int band = firstShortBand; band < 12; ++band) {
            const uint32_t slen = band < 6 ? slen1 : slen2;
            for (int window = 0; window < 3; ++window) {
                sf.s[window][band] = static_cast<int32_t>(ReadScaleFactorBits(bits, slen));
            }
        }
        for (int window = 0; window < 3; ++window) {
            sf.s[window][12] = 0;
        }
        return;
    }
    constexpr int groupStart[5] = {0, 6, 11, 16, 21};
    for (int group = 0; group < 4; ++group) {
        if (granuleIndex != 0 && scfsi[group] != 0) {
            continue;
        }
        const uint32_t slen = group < 2 ? slen1 : slen2;
        for (int band = groupStart[group]; band < groupStart[group + 1]; ++band) {
            sf.l[band] = static_cast<int32_t>(ReadScaleFactorBits(bits, slen));
        }
    }
    sf.l[21] = 0;
    sf.l[22] = 0;
}

// LSF: sets the granule's preflag from scalefac_compress, as the syntax implies it.
template <class BitSource>
void ReadScaleFactorsLsf(BitSource& bits, GranuleInfo& granule, bool intensityRightChannel,
                         ScaleFactors& sf) {
    const LsfScaleFactorLayout layout =
        LsfLayout(granule.scalefac_compress & 511, intensityRightChannel);
    granule.preflag = layout.preflag;
    const int blockTypeNumber = granule.IsShort() ? (granule.IsMixed() ? 2 : 1) : 0;

    std::array<int32_t, 45> buffer{};
    std::array<int32_t, 45> limit{};
    size_t next = 0;
    for (int partition = 0; partition < 4; ++partition) {
        const int count = LsfPartitionTable[layout.blockNumber][blockTypeNumber][partition];
        const uint32_t slen = layout.slen[partition];
        for (int i = 0; i < count && next < buffer.size(); ++i) {
            limit[next] = static_cast<int32_t>((1u << slen) - 1);
            buffer[next++] = static_cast<int32_t>(ReadScaleFactorBits(bits, slen));
        }
    }

    if (!granule.IsShort()) {
        for (int band = 0; band < 21; ++band) {
            sf.l[band] = buffer[band];
            sf.lsfLimitL[band] = limit[band];
        }
        sf.l[21] = sf.l[22] = 0;
        sf.lsfLimitL[21] = sf.lsfLimitL[22] = 0;
        return;
    }
    size_t from = 0;
    int firstShortBand = 0;
    if (granule.IsMixed()) {
        for (int band = 0; band < MixedLongBandsLsf; ++band, ++from) {
            sf.l[band] = buffer[from];
            sf.lsfLimitL[band] = limit[from];
        }
        firstShortBand = 3;
    }
    for (int band = firstShortBand; band < 12; ++band) {
        for (int window = 0; window < 3; ++window, ++from) {
            sf.s[window][band] = buffer[from];
            sf.lsfLimitS[window][band] = limit[from];
        }
    }
    for (int window = 0; window < 3; ++window) {
        sf.s[window][12] = 0;
        sf.lsfLimitS[window][12] = 0;
    }
}

}  // namespace aurion
