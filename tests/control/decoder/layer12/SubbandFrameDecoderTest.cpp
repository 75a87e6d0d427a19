#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "control/decoder/FrameDecoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "tests/support/BitWriter.h"
#include "tests/support/CollectingSink.h"
#include "tests/support/Layer2Frames.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion {
namespace {

using test::BitWriter;
using test::Bytes;
using test::HeaderFields;

HeaderFields Fields(uint32_t layer, uint32_t bitrateIndex, uint32_t mode, uint32_t extension = 0) {
    HeaderFields f;  // MPEG-1, 44.1 kHz
    f.Layer = layer;
    f.BitrateIndex = bitrateIndex;
    f.Mode = mode;
    f.ModeExtension = extension;
    return f;
}

// Layer II at 192 kbit/s stereo or 128 kbit/s single channel, 44.1 kHz: Table B.2b.
HeaderFields Layer2(uint32_t mode, uint32_t extension = 0) {
    return Fields(2, mode == 3 ? 9 : 10, mode, extension);
}

unsigned TableBWidth(uint32_t subband) { return subband < 11 ? 4 : subband < 23 ? 3 : 2; }

// Decodes frame bodies under one header straight from memory, as the worker would
// after ReadNext, with fresh filters.
class BodyRig {
public:
    explicit BodyRig(const HeaderFields& fields, ChannelChoice choice = ChannelChoice::Both) {
        m_header.SplitFields(test::HeaderWord(fields));
        const bool two = m_header.Mode() != 3 && choice == ChannelChoice::Both;
        m_decoder = MakeFrameDecoder(m_header.Layer(), {m_stream, m_header, m_left,
                                                        two ? &m_right : nullptr, m_sink, choice});
    }
    void Decode(const Bytes& body) {
        ASSERT_TRUE(m_stream.LoadBody(body));
        m_decoder->DecodeFrame(nullptr);
    }
    [[nodiscard]] const test::CollectingSink& Sink() const { return m_sink; }

private:
    FrameStream m_stream;
    FrameHeader m_header;
    PolyphaseFilter m_left{0, 32768.0f};
    PolyphaseFilter m_right{1, 32768.0f};
    test::CollectingSink m_sink;
    std::unique_ptr<FrameDecoder> m_decoder;
};

// The output of one body decoded alone.
std::vector<int16_t> DecodeOne(const HeaderFields& fields, const Bytes& body, int channel = 0) {
    BodyRig rig(fields);
    rig.Decode(body);
    return rig.Sink().Channel(channel);
}

bool Silent(const std::vector<int16_t>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; });
}

TEST(SubbandFrameDecoder, AllAllocationsZeroGiveOneFrameOfSilencePerChannel) {
    struct Case {
        HeaderFields fields;
        size_t samples;
    };
    for (const Case& c : {Case{Fields(1, 14, 0), 384}, Case{Fields(1, 14, 1, 0), 384},
                          Case{Layer2(0), 1152}, Case{Layer2(3), 1152}}) {
        SCOPED_TRACE(c.fields.Layer * 10 + c.fields.Mode);
        BodyRig rig(c.fields);
        rig.Decode(Bytes(test::FrameSize(c.fields) - 4, 0));
        EXPECT_EQ(rig.Sink().WriteBuffers(), 1u);
        EXPECT_EQ(rig.Sink().Channel(0).size(), c.samples);
        EXPECT_EQ(rig.Sink().Channel(1).size(), c.fields.Mode == 3 ? 0 : c.samples);
        EXPECT_TRUE(Silent(rig.Sink().Channel(0)));
        EXPECT_TRUE(Silent(rig.Sink().Channel(1)));
    }
}

// A Layer II single-channel body: subband 0 with allocation 2 (7 levels, 3-bit
// codes), the given selection and scale-factor indexes, and a varying signal.
Bytes SelectionBody(uint32_t selection, std::initializer_list<uint32_t> scaleFactors) {
    BitWriter w;
    for (uint32_t sb = 0; sb < 30; ++sb) w.Put(sb == 0 ? 2 : 0, TableBWidth(sb));
    w.Put(selection, 2);
    for (uint32_t index : scaleFactors) w.Put(index, 6);
    for (uint32_t i = 0; i < 36; ++i) w.Put((5 * i + 1) % 7, 3);
    return w.Bytes();
}

TEST(SubbandFrameDecoder, ScaleFactorSelectionsRepeatTheFactorsTheyLeaveOut) {
    const HeaderFields mono = Layer2(3);
    const std::vector<int16_t> three = DecodeOne(mono, SelectionBody(0, {5, 5, 5}));
    ASSERT_FALSE(Silent(three));
    // Selection 2: one factor for all 12 granules.
    EXPECT_EQ(DecodeOne(mono, SelectionBody(2, {5})), three);
    EXPECT_NE(DecodeOne(mono, SelectionBody(0, {5, 5, 9})), three);
    // Selection 1: the first factor serves two parts; selection 3: the second does.
    EXPECT_EQ(DecodeOne(mono, SelectionBody(1, {5, 9})),
              DecodeOne(mono, SelectionBody(0, {5, 5, 9})));
    EXPECT_EQ(DecodeOne(mono, SelectionBody(3, {5, 9})),
              DecodeOne(mono, SelectionBody(0, {5, 9, 9})));
}

// Subband 5 (allocation 3: 7 levels) carries the same triple in both channels with their own
// scale factors: once as one intensity-coded sample, once as two stereo samples.
Bytes Subband5Body(bool intensity) {
    BitWriter w;
    for (uint32_t sb = 0; sb < 30; ++sb) {
        const int fields = intensity && sb >= 4 ? 1 : 2;
        for (int ch = 0; ch < fields; ++ch) w.Put(sb == 5 ? 3 : 0, TableBWidth(sb));
    }
    w.Put(0, 2);
    w.Put(0, 2);
    for (uint32_t index : {4, 6, 8, 12, 14, 16}) w.Put(index, 6);
    for (uint32_t granule = 0; granule < 12; ++granule) {
        for (int ch = 0; ch < (intensity ? 1 : 2); ++ch) {
            for (uint32_t s = 0; s < 3; ++s) w.Put((granule + 2 * s) % 7, 3);
        }
    }
    return w.Bytes();
}

TEST(SubbandFrameDecoder, JointStereoExtensionZeroCodesIntensityFromSubband4) {
    BodyRig joint(Layer2(1, 0));
    joint.Decode(Subband5Body(true));
    BodyRig stereo(Layer2(0));
    stereo.Decode(Subband5Body(false));
    ASSERT_FALSE(Silent(stereo.Sink().Channel(0)));
    ASSERT_NE(stereo.Sink().Channel(0), stereo.Sink().Channel(1));
    EXPECT_EQ(joint.Sink().Channel(0), stereo.Sink().Channel(0));
    EXPECT_EQ(joint.Sink().Channel(1), stereo.Sink().Channel(1));
}

// Layer I single channel: subband 0 with `first`, subband 1 with allocation 3.
Bytes Layer1Body(uint32_t first) {
    BitWriter w;
    for (uint32_t sb = 0; sb < 32; ++sb) w.Put(sb == 0 ? first : sb == 1 ? 3 : 0, 4);
    w.Put(7, 6);  // subband 1's scale factor
    for (uint32_t i = 0; i < 12; ++i) w.Put((3 * i + 2) % 15, 4);
    return w.Bytes();
}

TEST(SubbandFrameDecoder, ForbiddenLayer1AllocationCountsAsNone) {
    const HeaderFields mono = Fields(1, 4, 3);
    const std::vector<int16_t> none = DecodeOne(mono, Layer1Body(0));
    ASSERT_FALSE(Silent(none));
    EXPECT_EQ(DecodeOne(mono, Layer1Body(15)), none);
}

// Layer II single channel: subband 0 with 3 levels (5-bit grouped codes), the
// first granule's code given, the others a signal.
Bytes GroupedBody(uint32_t firstCode) {
    BitWriter w;
    for (uint32_t sb = 0; sb < 30; ++sb) w.Put(sb == 0 ? 1 : 0, TableBWidth(sb));
    w.Put(2, 2);
    w.Put(3, 6);
    for (uint32_t granule = 0; granule < 12; ++granule)
        w.Put(granule == 0 ? firstCode : granule, 5);
    return w.Bytes();
}

TEST(SubbandFrameDecoder, GroupedCodeBeyondItsTableIsSilence) {
    // Code 13 is the middle level three times: three zero samples.
    const HeaderFields mono = Layer2(3);
    const std::vector<int16_t> middle = DecodeOne(mono, GroupedBody(13));
    ASSERT_FALSE(Silent(middle));
    for (uint32_t code : {27u, 31u}) EXPECT_EQ(DecodeOne(mono, GroupedBody(code)), middle) << code;
}

// Bodies whose fields ask for more bits than they hold: every cut of an all-ones
// body decodes as if the rest were zeros, although the buffer still holds the
// ones of the full body loaded before it.
TEST(SubbandFrameDecoder, FieldsPastTheEndOfTheBodyReadZeros) {
    for (const HeaderFields& fields :
         {Fields(1, 1, 3), Fields(1, 2, 1, 1), Fields(2, 1, 3), Fields(2, 4, 1, 2), Layer2(0)}) {
        SCOPED_TRACE(fields.Layer * 100 + fields.BitrateIndex * 10 + fields.Mode);
        const Bytes full(test::FrameSize(fields) - 4, 0xFF);
        BodyRig cut(fields);
        BodyRig padded(fields);
        for (size_t length = 0; length <= full.size(); ++length) {
            Bytes body(full.begin(), full.begin() + static_cast<ptrdiff_t>(length));
            cut.Decode(full);
            cut.Decode(body);
            body.resize(full.size(), 0);
            padded.Decode(full);
            padded.Decode(body);
        }
        EXPECT_EQ(cut.Sink().WriteBuffers(), 2 * (full.size() + 1));
        EXPECT_EQ(cut.Sink().Channel(0), padded.Sink().Channel(0));
        EXPECT_EQ(cut.Sink().Channel(1), padded.Sink().Channel(1));
    }
}

// Frames read from a file as the worker reads them, the checksum as ReadNext delivers it.
std::vector<int16_t> DecodeFile(const Bytes& file, size_t* written = nullptr,
                                ChannelChoice choice = ChannelChoice::Both) {
    test::TempFile temp(file);
    FrameStream stream;
    stream.Open(temp.Path());
    FrameHeader header;
    Crc16* crc = nullptr;
    EXPECT_TRUE(header.ReadNext(stream, crc));
    PolyphaseFilter left(0, 32768.0f);
    PolyphaseFilter right(1, 32768.0f);
    test::CollectingSink sink;
    const bool two = choice == ChannelChoice::Both;
    std::unique_ptr<FrameDecoder> decoder = MakeFrameDecoder(
        header.Layer(), {stream, header, left, two ? &right : nullptr, sink, choice});
    do {
        decoder->DecodeFrame(crc);
    } while (header.ReadNext(stream, crc));
    if (written != nullptr) *written = sink.WriteBuffers();
    return sink.Interleaved();
}

TEST(SubbandFrameDecoder, FrameWithAWrongChecksumGivesNoSamplesAndTheNextDecodes) {
    HeaderFields fields = Layer2(0);
    fields.Checksum = true;
    Bytes withBadFrame;
    Bytes withoutIt;
    for (uint32_t i = 0; i < 4; ++i) {
        const bool bad = i == 1;
        test::AppendBytes(withBadFrame, test::Layer2SoundFrame(fields, i, bad));
        if (!bad) test::AppendBytes(withoutIt, test::Layer2SoundFrame(fields, i));
    }
    size_t written = 0;
    const std::vector<int16_t> decoded = DecodeFile(withBadFrame, &written);
    EXPECT_EQ(written, 3u);
    ASSERT_EQ(decoded.size(), 3u * 2 * 1152);
    EXPECT_FALSE(Silent(decoded));
    EXPECT_EQ(decoded, DecodeFile(withoutIt));
}

TEST(SubbandFrameDecoder, ChannelChoicesRouteTheChannelsToTheLeftFilter) {
    Bytes file;
    for (uint32_t i = 0; i < 3; ++i) test::AppendBytes(file, test::Layer2SoundFrame(Layer2(0), i));
    const std::vector<int16_t> both = DecodeFile(file);
    ASSERT_EQ(both.size(), 3u * 2 * 1152);
    std::vector<int16_t> left, right;
    for (size_t i = 0; i < both.size(); i += 2) {
        left.push_back(both[i]);
        right.push_back(both[i + 1]);
    }
    ASSERT_NE(left, right);
    EXPECT_EQ(DecodeFile(file, nullptr, ChannelChoice::Left), left);
    EXPECT_EQ(DecodeFile(file, nullptr, ChannelChoice::Right), right);
    // The mix is the mean of both channels, up to the filters' rounding.
    const std::vector<int16_t> mix = DecodeFile(file, nullptr, ChannelChoice::Mix);
    ASSERT_EQ(mix.size(), left.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        ASSERT_NEAR(mix[i], (left[i] + right[i]) / 2.0, 1.5) << i;
    }
}

}  // namespace
}  // namespace aurion
