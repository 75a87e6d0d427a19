#include <gtest/gtest.h>

#include "control/decoder/layer3/SideInfoReader.h"
#include "tests/support/BitWriter.h"

namespace aurion {
namespace {

using test::BitSource;
using test::BitWriter;

void PutLongGranule(BitWriter& w, bool lsf, uint32_t part23, uint32_t sfc) {
    w.Put(part23, 12);
    w.Put(17, 9);   // big_values
    w.Put(150, 8);  // global_gain
    w.Put(sfc, lsf ? 9 : 4);
    w.Put(0, 1);  // window_switching_flag
    w.Put(1, 5);
    w.Put(2, 5);
    w.Put(3, 5);  // table_select
    w.Put(9, 4);  // region0_count
    w.Put(5, 3);  // region1_count
    if (!lsf) {
        w.Put(1, 1);  // preflag
    }
    w.Put(1, 1);  // scalefac_scale
    w.Put(0, 1);  // count1table_select
}

TEST(SideInfoReader, ReadsMpeg1StereoFieldsInOrder) {
    BitWriter w;
    w.Put(300, 9);
    w.Put(5, 3);
    w.Put(0b1010, 4);
    w.Put(0b0111, 4);
    PutLongGranule(w, false, 1000, 11);
    PutLongGranule(w, false, 1001, 12);
    // Granule 1, channel 0: a mixed short block.
    w.Put(2000, 12);
    w.Put(100, 9);
    w.Put(200, 8);
    w.Put(13, 4);
    w.Put(1, 1);
    w.Put(2, 2);
    w.Put(1, 1);
    w.Put(7, 5);
    w.Put(8, 5);
    w.Put(1, 3);
    w.Put(2, 3);
    w.Put(3, 3);
    w.Put(0, 1);
    w.Put(0, 1);
    w.Put(1, 1);
    PutLongGranule(w, false, 1003, 14);
    ASSERT_EQ(w.BitCount(), 256u);  // 32 bytes of MPEG-1 stereo side information

    BitSource bits(w.Bytes());
    SideInfo info;
    ASSERT_TRUE(ReadSideInfo(bits, false, 2, info));
    EXPECT_EQ(bits.Position(), 256u);
    EXPECT_EQ(info.main_data_begin, 300u);
    EXPECT_EQ(info.private_bits, 5u);
    EXPECT_EQ(info.scfsi[0][0], 1u);
    EXPECT_EQ(info.scfsi[0][1], 0u);
    EXPECT_EQ(info.scfsi[1][3], 1u);
    const GranuleInfo& g00 = info.granules[0][0];
    EXPECT_EQ(g00.part2_3_length, 1000u);
    EXPECT_EQ(g00.big_values, 17u);
    EXPECT_EQ(g00.global_gain, 150u);
    EXPECT_EQ(g00.scalefac_compress, 11u);
    EXPECT_EQ(g00.table_select[2], 3u);
    EXPECT_EQ(g00.region0_count, 9u);
    EXPECT_EQ(g00.region1_count, 5u);
    EXPECT_EQ(g00.block_type, 0u);
    EXPECT_EQ(g00.preflag, 1u);
    EXPECT_EQ(g00.scalefac_scale, 1u);
    const GranuleInfo& g10 = info.granules[1][0];
    EXPECT_TRUE(g10.IsMixed());
    EXPECT_EQ(g10.table_select[1], 8u);
    EXPECT_EQ(g10.subblock_gain[2], 3u);
    EXPECT_EQ(g10.region0_count, 7u);  // mixed: 7, not 8
    EXPECT_EQ(g10.region1_count, 13u);
    EXPECT_EQ(g10.count1table_select, 1u);
    EXPECT_EQ(info.granules[1][1].part2_3_length, 1003u);
}

TEST(SideInfoReader, ReadsLsfMonoWithNinebitScalefacCompressAndNoPreflag) {
    BitWriter w;
    w.Put(200, 8);
    w.Put(1, 1);
    PutLongGranule(w, true, 700, 361);
    ASSERT_EQ(w.BitCount(), 72u);  // 9 bytes of LSF mono side information
    BitSource bits(w.Bytes());
    SideInfo info;
    info.granules[0][0].preflag = 1;
    ASSERT_TRUE(ReadSideInfo(bits, true, 1, info));
    EXPECT_EQ(bits.Position(), 72u);
    EXPECT_EQ(info.main_data_begin, 200u);
    EXPECT_EQ(info.granules[0][0].scalefac_compress, 361u);
    EXPECT_EQ(info.granules[0][0].part2_3_length, 700u);
    EXPECT_EQ(info.granules[0][0].scalefac_scale, 1u);
}

TEST(SideInfoReader, ShortBlockWithoutMixingGetsRegionCountEight) {
    BitWriter w;
    w.Put(0, 9);
    w.Put(0, 5);
    w.Put(0, 4);
    for (int gr = 0; gr < 2; ++gr) {
        w.Put(10, 12);
        w.Put(0, 9);
        w.Put(0, 8);
        w.Put(0, 4);
        w.Put(1, 1);
        w.Put(2, 2);
        w.Put(0, 1);
        w.Put(0, 19);
        w.Put(0, 3);
    }
    BitSource bits(w.Bytes());
    SideInfo info;
    ASSERT_TRUE(ReadSideInfo(bits, false, 1, info));
    EXPECT_TRUE(info.granules[0][0].IsShort());
    EXPECT_FALSE(info.granules[0][0].IsMixed());
    EXPECT_EQ(info.granules[0][0].region0_count, 8u);
    EXPECT_EQ(info.granules[0][0].region1_count, 12u);
}

TEST(SideInfoReader, WindowSwitchingWithBlockTypeZeroStopsAndKeepsOlderFields) {
    BitWriter w;
    w.Put(0, 9);
    w.Put(0, 5);
    w.Put(0, 4);
    w.Put(99, 12);
    w.Put(0, 9);
    w.Put(0, 8);
    w.Put(0, 4);
    w.Put(1, 1);
    w.Put(0, 2);  // invalid block type
    BitSource bits(w.Bytes());
    SideInfo info;
    info.granules[0][0].table_select[0] = 21;
    info.granules[1][0].part2_3_length = 1234;
    EXPECT_FALSE(ReadSideInfo(bits, false, 1, info));
    EXPECT_EQ(info.granules[0][0].part2_3_length, 99u);
    EXPECT_EQ(info.granules[0][0].block_type, 0u);
    EXPECT_EQ(info.granules[0][0].table_select[0], 21u);
    EXPECT_EQ(info.granules[1][0].part2_3_length, 1234u);
}

}  // namespace
}  // namespace aurion
