// Runs the Huffman stage over the MPEG-1 Layer III conformance streams with a frame
// walk of its own (header, reservoir, scale-factor lengths) and the decoder's side-information
// reader, and checks that the codes of every granule line up with its part2_3_length: a code table
// with a wrong code length would shift every later code.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/decoder/layer3/BitReservoir.h"
#include "control/decoder/layer3/HuffmanDecoder.h"
#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/ScaleFactorLengths.h"
#include "control/decoder/layer3/SideInfo.h"
#include "control/decoder/layer3/SideInfoReader.h"
#include "tests/support/Conformance.h"

namespace aurion {
namespace {

// ISO/IEC 11172-3, Table 2.4.2.6 (Layer III bit rates, kbit/s) and the MPEG-1
// sampling frequencies.
constexpr std::array<uint32_t, 15> BitRates = {0,   32,  40,  48,  56,  64,  80, 96,
                                               112, 128, 160, 192, 224, 256, 320};
constexpr std::array<uint32_t, 3> Frequencies = {44100, 48000, 32000};

class Bits {
public:
    Bits(const std::vector<uint8_t>& bytes, size_t start) : m_bytes(bytes), m_bit(start * 8) {}
    uint32_t GetBits(unsigned n) {
        uint32_t value = 0;
        for (unsigned i = 0; i < n; ++i, ++m_bit) {
            const size_t byte = m_bit / 8;
            const uint32_t bit = byte < m_bytes.size() ? (m_bytes[byte] >> (7 - m_bit % 8)) & 1 : 0;
            value = value << 1 | bit;
        }
        return value;
    }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_bit;
};

struct StreamCounts {
    int granules = 0;
    int misaligned = 0;  // granules whose codes do not end on their last bit
};

uint32_t ScaleFactorBits(const GranuleInfo& info, const uint32_t* scfsi, int granule) {
    const uint32_t slen1 = ScaleFactorSlen1[info.scalefac_compress & 15];
    const uint32_t slen2 = ScaleFactorSlen2[info.scalefac_compress & 15];
    if (info.IsShort()) {
        return (info.IsMixed() ? 17 : 18) * slen1 + 18 * slen2;
    }
    const std::array<uint32_t, 4> groupBits = {6 * slen1, 5 * slen1, 5 * slen2, 5 * slen2};
    uint32_t total = 0;
    for (int group = 0; group < 4; ++group) {
        total += granule == 0 || scfsi[group] == 0 ? groupBits[group] : 0;
    }
    return total;
}

// The big values end within the granule's bits and the count1 region ends on its
// last bit, or the 576 lines are full before it (the rest is stuffing); with
// lastQuadrupleMayOverrun the final quadruple may also run past the end (some
// encoders write that, and the decoder drops it). Walked on a copy of the reservoir.
bool CodesLineUp(const GranuleInfo& info, std::span<const uint16_t, 23> bands, int32_t part2Start,
                 bool lastQuadrupleMayOverrun, BitReservoir reservoir) {
    const int64_t end = int64_t{part2Start} + info.part2_3_length;
    uint32_t region1 = 36;
    uint32_t region2 = 576;
    if (!info.IsShort()) {
        const uint32_t index1 = info.region0_count + 1;
        const uint32_t index2 = info.region0_count + info.region1_count + 2;
        region1 = index1 < 23 ? bands[index1] : 576;
        region2 = index2 < 23 ? bands[index2] : 576;
    }
    int32_t x = 0;
    int32_t y = 0;
    int32_t v = 0;
    int32_t w = 0;
    uint32_t line = 0;
    for (; line < 576 && line < 2 * info.big_values; line += 2) {
        const unsigned region = line < region1 ? 0 : (line < region2 ? 1 : 2);
        if (!DecodeHuffmanPair(GetHuffmanTable(info.table_select[region]), x, y, v, w, reservoir)) {
            return false;
        }
    }
    if (reservoir.TotalBits() > end) {
        return false;
    }
    const HuffmanTable& quads = GetHuffmanTable(32 + info.count1table_select);
    while (reservoir.TotalBits() < end && line < 576) {
        DecodeHuffmanPair(quads, x, y, v, w, reservoir);
        line += 4;
    }
    return reservoir.TotalBits() == end || line >= 576 || lastQuadrupleMayOverrun;
}

StreamCounts WalkStream(const std::vector<uint8_t>& file, bool lastQuadrupleMayOverrun) {
    StreamCounts counts;
    BitReservoir reservoir;
    SideInfo side;
    int32_t frameStart = 0;
    size_t position = 0;
    while (position + 4 <= file.size()) {
        Bits header(file, position);
        if (header.GetBits(12) != 0xFFF || header.GetBits(1) != 1 || header.GetBits(2) != 1) {
            ++position;  // not an MPEG-1 Layer III header
            continue;
        }
        const uint32_t protection = header.GetBits(1);
        const uint32_t bitRate = BitRates[header.GetBits(4) % 15];
        const uint32_t frequencyIndex = header.GetBits(2);
        const uint32_t padding = header.GetBits(1);
        header.GetBits(1);
        const uint32_t mode = header.GetBits(2);
        if (bitRate == 0 || frequencyIndex == 3) {
            ++position;
            continue;
        }
        const uint32_t frameBytes = 144000 * bitRate / Frequencies[frequencyIndex] + padding;
        const int channels = mode == 3 ? 1 : 2;
        const size_t sideStart = position + 4 + (protection == 0 ? 2 : 0);
        const size_t mainStart = sideStart + (channels == 1 ? 17 : 32);
        const size_t frameEnd = position + frameBytes;
        if (frameEnd > file.size()) {
            break;
        }
        const ScaleFactorBands& bands = ScaleFactorBandTables[frequencyIndex + 3];

        Bits sideBits(file, sideStart);
        ReadSideInfo(sideBits, false, channels, side);

        for (size_t i = mainStart; i < frameEnd; ++i) {
            reservoir.PutByte(file[i]);
        }
        if (reservoir.TotalBits() % 8 != 0) {
            reservoir.GetBits(8 - reservoir.TotalBits() % 8);
        }
        const int32_t consumed = reservoir.TotalBits() / 8;
        const int32_t discard = frameStart - static_cast<int32_t>(side.main_data_begin) - consumed;
        frameStart += static_cast<int32_t>(frameEnd - mainStart);
        position = frameEnd;
        if (discard < 0) {
            continue;
        }
        if (consumed > 4096) {
            frameStart -= 4096;
            reservoir.RewindBytes(4096);
        }
        for (int32_t i = 0; i < discard; ++i) {
            reservoir.GetBits(8);
        }
        for (int granule = 0; granule < 2; ++granule) {
            for (int ch = 0; ch < channels; ++ch) {
                const GranuleInfo& info = side.granules[granule][ch];
                const int32_t part2Start = reservoir.TotalBits();
                reservoir.GetBits(ScaleFactorBits(info, side.scfsi[ch], granule));
                ++counts.granules;
                if (!CodesLineUp(info, bands.longBounds, part2Start, lastQuadrupleMayOverrun,
                                 reservoir)) {
                    ++counts.misaligned;
                }
                std::array<int32_t, 576> quantized{};
                DecodeSpectrum(info, bands, part2Start, reservoir, quantized);
            }
        }
    }
    return counts;
}

struct StreamCase {
    const char* name;
    bool lastQuadrupleMayOverrun;
};

class HuffmanStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(HuffmanStream, EveryGranulesCodesEndOnItsLastBit) {
    if (test::ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found";
    }
    std::ifstream in(test::ConformanceBitstream(GetParam().name), std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    ASSERT_FALSE(file.empty());
    const StreamCounts counts = WalkStream(file, GetParam().lastQuadrupleMayOverrun);
    EXPECT_GT(counts.granules, 100);
    EXPECT_EQ(counts.misaligned, 0) << "of " << counts.granules << " granules";
}

// l3-si_huff uses every table. l3-compl is left out: it codes big values past
// part2_3_length on purpose in some granules.
INSTANTIATE_TEST_SUITE_P(Mpeg1Layer3, HuffmanStream,
                         ::testing::Values(StreamCase{"l3-si_huff", false},
                                           StreamCase{"l3-si_block", false},
                                           StreamCase{"l3-hecommon", false},
                                           StreamCase{"l3-si", true}),
                         [](const auto& param) {
                             std::string name = param.param.name;
                             for (char& c : name) {
                                 c = (c == '-') ? '_' : c;
                             }
                             return name;
                         });

}  // namespace
}  // namespace aurion
