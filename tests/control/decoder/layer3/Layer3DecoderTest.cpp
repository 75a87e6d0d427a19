#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "control/decoder/layer3/Layer3Decoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "tests/support/BitWriter.h"
#include "tests/support/CollectingSink.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion {
namespace {

using test::BitWriter;
using test::Bytes;
using test::HeaderFields;

// Records the channel of every sample in arrival order besides collecting them.
class OrderSink : public test::CollectingSink {
public:
    void Append(int channel, int16_t sample) override {
        m_order.push_back(static_cast<uint8_t>(channel));
        CollectingSink::Append(channel, sample);
    }
    [[nodiscard]] const std::vector<uint8_t>& Order() const { return m_order; }

private:
    std::vector<uint8_t> m_order;
};

HeaderFields Mpeg1(uint32_t mode, uint32_t extension = 0) {
    HeaderFields f;  // 44.1 kHz, 128 kbit/s: 417-byte frames
    f.Mode = mode;
    f.ModeExtension = extension;
    return f;
}

HeaderFields Lsf(uint32_t mode, uint32_t extension = 0) {
    HeaderFields f;
    f.VersionBits = 2;  // 22.05 kHz
    f.BitrateIndex = 8;
    f.Mode = mode;
    f.ModeExtension = extension;
    return f;
}

struct GranuleFields {
    uint32_t part23 = 0;
    uint32_t bigValues = 0;
    uint32_t globalGain = 0;
};

// MPEG-1 side information with long blocks and table 1 in every region.
Bytes Mpeg1SideInfo(int channels, uint32_t mainDataBegin, const GranuleFields& g) {
    BitWriter w;
    w.Put(mainDataBegin, 9);
    w.Put(0, channels == 1 ? 5 : 3);
    w.Put(0, 4 * channels);
    for (int gr = 0; gr < 2; ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            w.Put(g.part23, 12);
            w.Put(g.bigValues, 9);
            w.Put(g.globalGain, 8);
            w.Put(0, 4);
            w.Put(0, 1);
            w.Put(1, 5);
            w.Put(1, 5);
            w.Put(1, 5);
            w.Put(0, 4);
            w.Put(0, 3);
            w.Put(0, 3);
        }
    }
    return w.Bytes();
}

Bytes Frame(const HeaderFields& fields, const Bytes& sideInfo, uint32_t junkSeed) {
    Bytes body = sideInfo;
    if (junkSeed != 0) {
        test::AppendBytes(body, test::Junk(test::FrameSize(fields), junkSeed));
    }
    return test::MakeFrame(fields, body);
}

// A stream of frames in a temporary file, decoded frame by frame.
class DecoderRig {
public:
    DecoderRig(const Bytes& file, ChannelChoice choice, test::CollectingSink& sink)
        : m_file(file), m_sink(sink) {
        m_stream.Open(m_file.Path());
        m_ready = m_header.ReadNext(m_stream, m_crc);
        const bool two = m_header.Mode() != 3 && choice == ChannelChoice::Both;
        m_decoder = std::make_unique<Layer3Decoder>(m_stream, m_header, m_left,
                                                    two ? &m_right : nullptr, sink, choice);
    }
    // Decodes the loaded frame and loads the next; false when none follows.
    bool DecodeOne() {
        m_decoder->DecodeFrame(nullptr);
        return m_header.ReadNext(m_stream, m_crc);
    }
    size_t DecodeAll() {
        size_t frames = 0;
        if (!m_ready) return 0;
        do {
            ++frames;
        } while (DecodeOne());
        return frames;
    }
    void Seek() {
        m_decoder->SeekNotify();
        m_left.Reset();
        m_right.Reset();
    }
    [[nodiscard]] bool Ready() const { return m_ready; }
    [[nodiscard]] Layer3Decoder& Decoder() { return *m_decoder; }

private:
    test::TempFile m_file;
    test::CollectingSink& m_sink;
    FrameStream m_stream;
    FrameHeader m_header;
    Crc16* m_crc = nullptr;
    bool m_ready = false;
    PolyphaseFilter m_left{0, 32768.0f};
    PolyphaseFilter m_right{1, 32768.0f};
    std::unique_ptr<Layer3Decoder> m_decoder;
};

Bytes Concatenate(std::initializer_list<Bytes> frames) {
    Bytes all;
    for (const Bytes& frame : frames) test::AppendBytes(all, frame);
    return all;
}

bool AllZero(const std::vector<int16_t>& samples, size_t from, size_t to) {
    return std::all_of(samples.begin() + static_cast<std::ptrdiff_t>(from),
                       samples.begin() + static_cast<std::ptrdiff_t>(to),
                       [](int16_t s) { return s == 0; });
}

const GranuleFields Loud{1200, 120, 170};
// Four granule-channels of main data that fit one 128 kbit/s stereo frame.
const GranuleFields LoudStereo{700, 120, 170};

TEST(Layer3Decoder, FirstFrameWithMainDataBeginZeroDecodes) {
    test::CollectingSink sink;
    DecoderRig rig(Frame(Mpeg1(3), Mpeg1SideInfo(1, 0, {}), 0), ChannelChoice::Left, sink);
    ASSERT_TRUE(rig.Ready());
    EXPECT_EQ(rig.DecodeAll(), 1u);
    EXPECT_EQ(sink.WriteBuffers(), 1u);
    ASSERT_EQ(sink.Channel(0).size(), 1152u);
    EXPECT_TRUE(AllZero(sink.Channel(0), 0, 1152));
}

TEST(Layer3Decoder, FirstFrameReachingBeforeTheStreamIsSilentAndTheNextDecode) {
    const HeaderFields h = Mpeg1(3);
    test::CollectingSink sink;
    DecoderRig rig(
        Concatenate({Frame(h, Mpeg1SideInfo(1, 100, {}), 0), Frame(h, Mpeg1SideInfo(1, 0, Loud), 5),
                     Frame(h, Mpeg1SideInfo(1, 0, Loud), 6)}),
        ChannelChoice::Left, sink);
    ASSERT_TRUE(rig.Ready());
    rig.DecodeOne();
    EXPECT_EQ(sink.WriteBuffers(), 0u);
    EXPECT_EQ(sink.TotalSamples(), 0u);
    rig.DecodeOne();
    rig.Decoder().DecodeFrame(nullptr);
    EXPECT_EQ(sink.WriteBuffers(), 2u);
    EXPECT_EQ(sink.Channel(0).size(), 2u * 1152);
    EXPECT_FALSE(AllZero(sink.Channel(0), 0, 2 * 1152));
}

TEST(Layer3Decoder, KeepsDecodingAfterMoreThanARingOfMainData) {
    const HeaderFields h = Mpeg1(3);
    Bytes file;
    for (uint32_t i = 0; i < 30; ++i) {
        // Each frame's granules take 300 of its 396 main-data bytes; the next frame's
        // main data begins in the 96 left over.
        test::AppendBytes(file, Frame(h, Mpeg1SideInfo(1, i == 0 ? 0 : 96, Loud), i + 1));
    }
    test::CollectingSink sink;
    DecoderRig rig(file, ChannelChoice::Left, sink);
    ASSERT_TRUE(rig.Ready());
    const size_t frames = rig.DecodeAll();
    EXPECT_EQ(frames, 30u);
    EXPECT_GE(rig.Decoder().ReservoirWraps(), 2u);  // 30 x 396 bytes pass through the ring
    EXPECT_EQ(sink.WriteBuffers(), 30u);
    EXPECT_LT(rig.Decoder().FrameStart(), 2 * 4096);
    ASSERT_EQ(sink.Channel(0).size(), 30u * 1152);
    EXPECT_FALSE(AllZero(sink.Channel(0), 29 * 1152, 30 * 1152));
}

TEST(Layer3Decoder, SeekNotifyClearsOverlapAndReservoir) {
    const HeaderFields h = Mpeg1(3);
    const Bytes file =
        Concatenate({Frame(h, Mpeg1SideInfo(1, 0, Loud), 9), Frame(h, Mpeg1SideInfo(1, 0, {}), 0),
                     Frame(h, Mpeg1SideInfo(1, 50, {}), 0)});
    // Without the seek, the silent second frame still carries the first one's overlap.
    test::CollectingSink plain;
    DecoderRig withoutSeek(file, ChannelChoice::Left, plain);
    withoutSeek.DecodeOne();
    withoutSeek.Seek();
    withoutSeek.DecodeOne();
    ASSERT_EQ(plain.Channel(0).size(), 2u * 1152);
    EXPECT_TRUE(AllZero(plain.Channel(0), 1152, 2 * 1152));

    test::CollectingSink control;
    DecoderRig rig(file, ChannelChoice::Left, control);
    rig.DecodeOne();
    rig.DecodeOne();
    ASSERT_EQ(control.Channel(0).size(), 2u * 1152);
    EXPECT_FALSE(AllZero(control.Channel(0), 1152, 2 * 1152));

    // After a seek, main data reaching back before it is not there: silence.
    rig.Seek();
    rig.Decoder().DecodeFrame(nullptr);
    EXPECT_EQ(control.WriteBuffers(), 2u);
    EXPECT_EQ(rig.Decoder().FrameStart(), 396);
}

TEST(Layer3Decoder, StereoGranulesDeliverChannelZeroThenChannelOne) {
    OrderSink sink;
    DecoderRig rig(Frame(Mpeg1(0), Mpeg1SideInfo(2, 0, LoudStereo), 3), ChannelChoice::Both, sink);
    ASSERT_TRUE(rig.Ready());
    rig.DecodeAll();
    ASSERT_EQ(sink.Order().size(), 2u * 1152);
    for (size_t i = 0; i < sink.Order().size(); ++i) {
        ASSERT_EQ(sink.Order()[i], (i / 576) % 2) << i;
    }
    EXPECT_NE(sink.Channel(0), sink.Channel(1));
}

TEST(Layer3Decoder, ChannelChoiceSelectsWhatReachesSinkChannelZero) {
    const Bytes file = Concatenate({Frame(Mpeg1(0), Mpeg1SideInfo(2, 0, LoudStereo), 11),
                                    Frame(Mpeg1(0), Mpeg1SideInfo(2, 0, LoudStereo), 12)});
    test::CollectingSink both;
    DecoderRig(file, ChannelChoice::Both, both).DecodeAll();
    test::CollectingSink left;
    DecoderRig(file, ChannelChoice::Left, left).DecodeAll();
    test::CollectingSink right;
    DecoderRig(file, ChannelChoice::Right, right).DecodeAll();
    test::CollectingSink mix;
    DecoderRig(file, ChannelChoice::Mix, mix).DecodeAll();

    ASSERT_EQ(both.Channel(1).size(), 2u * 1152);
    EXPECT_EQ(left.Channel(0), both.Channel(0));
    EXPECT_EQ(right.Channel(0), both.Channel(1));  // the right channel, on the left filter
    EXPECT_TRUE(left.Channel(1).empty());
    EXPECT_TRUE(right.Channel(1).empty());
    EXPECT_TRUE(mix.Channel(1).empty());
    ASSERT_EQ(mix.Channel(0).size(), 2u * 1152);
    // The mix is the mean of both channels, up to the filters' rounding.
    for (size_t i = 0; i < mix.Channel(0).size(); ++i) {
        const int mean = (both.Channel(0)[i] + both.Channel(1)[i]) / 2;
        ASSERT_NEAR(mix.Channel(0)[i], mean, 2) << i;
    }
}

TEST(Layer3Decoder, WindowSwitchingWithBlockTypeZeroStillDecodesTheFrame) {
    BitWriter w;
    w.Put(0, 9);
    w.Put(0, 5);
    w.Put(0, 4);
    w.Put(800, 12);  // part2_3_length
    w.Put(200, 9);   // big_values
    w.Put(170, 8);
    w.Put(0, 4);
    w.Put(1, 1);  // window switching ...
    w.Put(0, 2);  // ... with block type 0: the read stops here
    Bytes side = w.Bytes();
    side.resize(17, 0xFF);
    test::CollectingSink sink;
    DecoderRig rig(Concatenate({Frame(Mpeg1(3), side, 21), Frame(Mpeg1(3), side, 22)}),
                   ChannelChoice::Left, sink);
    ASSERT_TRUE(rig.Ready());
    EXPECT_EQ(rig.DecodeAll(), 2u);
    EXPECT_EQ(sink.WriteBuffers(), 2u);
    EXPECT_EQ(sink.Channel(0).size(), 2u * 1152);
}

TEST(Layer3Decoder, RandomBodiesNeverReadOrWriteOutOfBounds) {
    const HeaderFields headers[] = {Mpeg1(3), Mpeg1(0),  Mpeg1(1, 3), Mpeg1(1, 1),
                                    Lsf(3),   Lsf(1, 3), Lsf(1, 1),   Lsf(2)};
    uint32_t seed = 1;
    for (const HeaderFields& h : headers) {
        for (ChannelChoice choice :
             {ChannelChoice::Both, ChannelChoice::Right, ChannelChoice::Mix}) {
            Bytes file;
            for (int i = 0; i < 40; ++i) {
                test::AppendBytes(file, test::MakeFrame(h, test::Junk(2000, seed++)));
            }
            test::CollectingSink sink;
            DecoderRig rig(file, choice, sink);
            ASSERT_TRUE(rig.Ready());
            const size_t frames = rig.DecodeAll();
            EXPECT_EQ(frames, 40u);
            const size_t perFrame = h.VersionBits == 3 ? 1152 : 576;
            EXPECT_EQ(sink.TotalSamples() % perFrame, 0u);
            EXPECT_LE(sink.WriteBuffers(), frames);
            EXPECT_GT(sink.WriteBuffers(), 0u);
        }
    }
}

}  // namespace
}  // namespace aurion
