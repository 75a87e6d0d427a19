#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "control/decoder/stream/ProbeFileHeader.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {
namespace {

// Probes a file holding `bytes`; the file position must stay at 0.
bool Probe(const Bytes& bytes, ProbedHeader* fields = nullptr) {
    TempFile temp(bytes);
    const int fd = open(temp.Path().c_str(), O_RDONLY);
    EXPECT_GE(fd, 0);
    ProbedHeader local;
    const bool accepted = ProbeFileHeader(fd, fields != nullptr ? *fields : local);
    EXPECT_EQ(ProbeFileHeader(fd), accepted);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 0);
    close(fd);
    return accepted;
}

Bytes HeaderBytes(const HeaderFields& f) {
    Bytes bytes;
    AppendBigEndian32(bytes, HeaderWord(f));
    return bytes;
}

TEST(ProbeFileHeader, AcceptsMpeg1Mpeg2AndMpeg25) {
    HeaderFields f;
    f.Layer = 2;
    f.BitrateIndex = 11;
    f.FrequencyIndex = 2;
    f.Padding = 1;
    f.Private = 1;
    f.Mode = 1;
    f.ModeExtension = 3;
    f.Copyright = 1;
    f.Emphasis = 2;
    f.Checksum = true;
    ProbedHeader fields;
    ASSERT_TRUE(Probe(HeaderBytes(f), &fields));
    EXPECT_EQ(fields.VersionBits, 3u);
    EXPECT_EQ(fields.LayerBits, 2u);
    EXPECT_EQ(fields.Protection, 0u);
    EXPECT_EQ(fields.BitrateIndex, 11u);
    EXPECT_EQ(fields.FrequencyIndex, 2u);
    EXPECT_EQ(fields.Padding, 1u);
    EXPECT_EQ(fields.Private, 1u);
    EXPECT_EQ(fields.Mode, 1u);
    EXPECT_EQ(fields.ModeExtension, 3u);
    EXPECT_EQ(fields.Copyright, 1u);
    EXPECT_EQ(fields.Original, 0u);
    EXPECT_EQ(fields.Emphasis, 2u);

    f.VersionBits = 2;
    EXPECT_TRUE(Probe(HeaderBytes(f)));
    f.VersionBits = 0;  // MPEG-2.5: 11-bit sync only
    ASSERT_TRUE(Probe(HeaderBytes(f), &fields));
    EXPECT_EQ(fields.VersionBits, 0u);
}

TEST(ProbeFileHeader, RejectsReservedVersionLeadingDataAndShortFiles) {
    HeaderFields f;
    f.VersionBits = 1;
    EXPECT_FALSE(Probe(HeaderBytes(f)));

    Bytes leading = {0x00};
    AppendBigEndian32(leading, HeaderWord(HeaderFields{}));
    EXPECT_FALSE(Probe(leading));

    EXPECT_FALSE(Probe(Bytes{0xFF, 0xC3, 0x90, 0x00}));  // 10-bit sync
    EXPECT_FALSE(Probe(Bytes{0xFF, 0xFB, 0x90}));
    EXPECT_FALSE(Probe(Bytes{}));
    EXPECT_FALSE(Probe(Id3v2Tag(0)));
    EXPECT_FALSE(ProbeFileHeader(-1));
}

}  // namespace
}  // namespace aurion::test
