#include <gtest/gtest.h>

#include <vector>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "tests/control/decoder/stream/StreamTestSupport.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {
namespace {

// MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, stereo: 417-byte frames when unpadded.
HeaderFields Layer3At128() { return HeaderFields{}; }

Bytes IndexedFrames(const HeaderFields& fields, uint32_t count, uint32_t firstIndex = 0) {
    Bytes bytes;
    for (uint32_t i = 0; i < count; ++i) {
        AppendBytes(bytes, MakeIndexedFrame(fields, firstIndex + i));
    }
    return bytes;
}

// Reads every frame and returns the body indexes in order.
std::vector<int64_t> ReadAllIndexes(const std::string& path) {
    FrameStream stream;
    FrameHeader header;
    stream.Open(path);
    std::vector<int64_t> indexes;
    for (int64_t index = ReadIndexedFrame(stream, header); index >= 0;
         index = ReadIndexedFrame(stream, header)) {
        indexes.push_back(index);
    }
    return indexes;
}

std::vector<int64_t> Sequence(int64_t count) {
    std::vector<int64_t> values(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        values[static_cast<size_t>(i)] = i;
    }
    return values;
}

TEST(FrameStream, SkipsJunkBeforeFirstFrame) {
    // 509 to 511 put the header across the edge of the search's read window.
    for (size_t junk : {500, 509, 510, 511, 3000}) {
        Bytes file = Junk(junk, 7);
        AppendBytes(file, IndexedFrames(Layer3At128(), 20));
        TempFile temp(file);

        FrameStream stream;
        FrameHeader header;
        stream.Open(temp.Path());
        ASSERT_EQ(ReadIndexedFrame(stream, header), 0) << junk;
        EXPECT_EQ(stream.CurrentFrame(), 0);
        EXPECT_EQ(stream.HighestFrame(), 0);
        EXPECT_EQ(stream.FirstFrameOffset(), junk);
        EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(20)) << junk;
    }
}

// Two chained frames, `gap`, two more frames: the reader delivers frames 0 to 3
// with their own indexes and nothing else.
void ExpectFourFramesAround(const Bytes& gap) {
    Bytes file = IndexedFrames(Layer3At128(), 2);
    AppendBytes(file, gap);
    AppendBytes(file, IndexedFrames(Layer3At128(), 2, 2));
    TempFile temp(file);
    FrameStream stream;
    FrameHeader header;
    stream.Open(temp.Path());
    EXPECT_EQ(ReadIndexedFrame(stream, header), 0);
    EXPECT_EQ(ReadIndexedFrame(stream, header), 1);
    EXPECT_EQ(ReadIndexedFrame(stream, header), 2);
    EXPECT_EQ(stream.CurrentFrame(), 2);
    EXPECT_EQ(ReadIndexedFrame(stream, header), 3);
    EXPECT_EQ(ReadIndexedFrame(stream, header), -1);
}

TEST(FrameStream, SkipsBrokenDataBetweenFrames) { ExpectFourFramesAround(Bytes(1021, 0)); }

TEST(FrameStream, JunkWithFakeHeaderDoesNotLockTheStream) {
    // A well-formed header word inside the junk whose frame size points into the
    // middle of nowhere: it must not become the first frame.
    Bytes file = Junk(100, 11);
    AppendBigEndian32(file, HeaderWord(Layer3At128()));
    AppendBytes(file, Junk(396, 12));
    AppendBytes(file, IndexedFrames(Layer3At128(), 5));
    TempFile temp(file);

    FrameStream stream;
    FrameHeader header;
    stream.Open(temp.Path());
    ASSERT_EQ(ReadIndexedFrame(stream, header), 0);
    EXPECT_EQ(stream.FirstFrameOffset(), 500u);
    EXPECT_EQ(stream.CurrentFrame(), 0);
    EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(5));
}

TEST(FrameStream, SingleFrameEndingAtFileEndIsAccepted) {
    TempFile exact(MakeIndexedFrame(Layer3At128(), 0));
    EXPECT_EQ(ReadAllIndexes(exact.Path()), Sequence(1));

    Bytes tagged = MakeIndexedFrame(Layer3At128(), 0);
    AppendBytes(tagged, Id3v1Tag());
    TempFile withTag(tagged);
    EXPECT_EQ(ReadAllIndexes(withTag.Path()), Sequence(1));
}

TEST(FrameStream, SkipsId3v2TagBySize) {
    // The tag's body holds two chained fake frames: searching inside it would
    // take them for the stream.
    for (bool footer : {false, true}) {
        Bytes tag = Id3v2Tag(2000, footer);
        Bytes fakes = IndexedFrames(Layer3At128(), 2, 900);
        std::copy(fakes.begin(), fakes.end(), tag.begin() + 100);
        Bytes file = tag;
        AppendBytes(file, IndexedFrames(Layer3At128(), 3));
        TempFile temp(file);

        FrameStream stream;
        FrameHeader header;
        stream.Open(temp.Path());
        ASSERT_EQ(ReadIndexedFrame(stream, header), 0) << "footer " << footer;
        EXPECT_EQ(stream.FirstFrameOffset(), footer ? 2020u : 2010u);
        EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(3));
    }
}

TEST(FrameStream, Id3v2SizePastFileEndIsSearchedFromStart) {
    Bytes file = Id3v2Tag(0);
    file[6] = 0x7F;  // announces 266 MB
    AppendBytes(file, IndexedFrames(Layer3At128(), 2));
    TempFile temp(file);
    FrameStream stream;
    FrameHeader header;
    stream.Open(temp.Path());
    ASSERT_EQ(ReadIndexedFrame(stream, header), 0);
    EXPECT_EQ(stream.FirstFrameOffset(), 10u);
}

TEST(FrameStream, TrailingTagRecordEndsTheStream) {
    Bytes file = IndexedFrames(Layer3At128(), 4);
    AppendBytes(file, Id3v1Tag());
    TempFile plain(file);
    EXPECT_EQ(ReadAllIndexes(plain.Path()), Sequence(4));

    // A tag whose text holds a matching sync word: its frame would run past the
    // end of the file, so it is not delivered either.
    Bytes tag = Id3v1Tag();
    const uint32_t word = HeaderWord(Layer3At128());
    for (int i = 0; i < 4; ++i) {
        tag[10 + i] = static_cast<uint8_t>(word >> (24 - 8 * i));
    }
    Bytes synced = IndexedFrames(Layer3At128(), 4);
    AppendBytes(synced, tag);
    TempFile withSync(synced);
    FrameStream stream;
    FrameHeader header;
    stream.Open(withSync.Path());
    int frames = 0;
    while (ReadIndexedFrame(stream, header) >= 0) {
        ++frames;
    }
    EXPECT_EQ(frames, 4);
}

TEST(FrameStream, ShortLastFrameIsNotDelivered) {
    Bytes file = IndexedFrames(Layer3At128(), 3);
    Bytes last = MakeIndexedFrame(Layer3At128(), 3);
    AppendBytes(file, std::span(last).first(200));
    TempFile temp(file);
    EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(3));
}

TEST(FrameStream, InvalidFirstHeadersAreSkipped) {
    HeaderFields reservedLayer = Layer3At128();
    reservedLayer.Layer = 0;
    HeaderFields freeFormat = Layer3At128();
    freeFormat.BitrateIndex = 0;
    HeaderFields forbiddenRate = Layer3At128();
    forbiddenRate.BitrateIndex = 15;
    HeaderFields reservedFrequency = Layer3At128();
    reservedFrequency.FrequencyIndex = 3;

    for (const HeaderFields& bad : {reservedLayer, freeFormat, forbiddenRate, reservedFrequency}) {
        const uint32_t word = HeaderWord(bad);
        // The bad header followed by a real chain: were its (impossible) size
        // used, the body read would run past the buffer or miss the chain.
        Bytes file;
        AppendBigEndian32(file, word);
        AppendBytes(file, IndexedFrames(Layer3At128(), 3));
        TempFile temp(file);
        FrameStream stream;
        FrameHeader header;
        stream.Open(temp.Path());
        ASSERT_EQ(ReadIndexedFrame(stream, header), 0) << std::hex << word;
        EXPECT_EQ(stream.FirstFrameOffset(), 4u) << std::hex << word;
        EXPECT_LE(header.BodySize(), FrameStream::BufferBytes);
        EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(3)) << std::hex << word;
    }
}

TEST(FrameStream, InvalidLaterHeadersAreSkipped) {
    HeaderFields reservedLayer = Layer3At128();
    reservedLayer.Layer = 0;
    HeaderFields freeFormat = Layer3At128();
    freeFormat.BitrateIndex = 0;
    HeaderFields forbiddenRate = Layer3At128();
    forbiddenRate.BitrateIndex = 15;
    HeaderFields reservedFrequency = Layer3At128();
    reservedFrequency.FrequencyIndex = 3;

    // The first two frames chain properly; the bad words sit before the third.
    Bytes badWords;
    for (const HeaderFields& bad : {reservedLayer, freeFormat, forbiddenRate, reservedFrequency}) {
        AppendBigEndian32(badWords, HeaderWord(bad));
    }
    ExpectFourFramesAround(badWords);
}

TEST(FrameStream, LaterHeadersMustMatchSyncPattern) {
    // Frequency and version changes are not part of the stream; layer, rate and
    // padding changes are.
    HeaderFields other = Layer3At128();
    other.FrequencyIndex = 1;
    HeaderFields lsf = Layer3At128();
    lsf.VersionBits = 2;
    HeaderFields vbr = Layer3At128();
    vbr.BitrateIndex = 10;
    vbr.Padding = 1;
    HeaderFields mono = Layer3At128();
    mono.Mode = 3;

    Bytes file = IndexedFrames(Layer3At128(), 2);
    AppendBytes(file, MakeIndexedFrame(other, 100));
    AppendBytes(file, MakeIndexedFrame(lsf, 101));
    AppendBytes(file, MakeIndexedFrame(mono, 102));
    AppendBytes(file, MakeIndexedFrame(vbr, 2));
    AppendBytes(file, MakeIndexedFrame(Layer3At128(), 3));
    TempFile temp(file);
    EXPECT_EQ(ReadAllIndexes(temp.Path()), Sequence(4));
}

TEST(FrameStream, MissingFileFailsFirstRead) {
    FrameStream stream;
    FrameHeader header;
    stream.Open("/nonexistent/trackdeck/none.mp3");
    EXPECT_FALSE(stream.IsOpen());
    Crc16* crc = nullptr;
    EXPECT_FALSE(header.ReadNext(stream, crc));
    EXPECT_FALSE(header.SeekToFrame(stream, 0));
}

// Reference bit extraction straight from the bytes.
uint32_t ReferenceBits(const Bytes& bytes, size_t bitOffset, unsigned n) {
    uint32_t value = 0;
    for (unsigned i = 0; i < n; ++i) {
        const size_t bit = bitOffset + i;
        const uint32_t b = bit / 8 < bytes.size() ? (bytes[bit / 8] >> (7 - bit % 8)) & 1u : 0u;
        value = (value << 1) | b;
    }
    return value;
}

TEST(FrameStream, GetBitsReadsAcrossWordBoundaries) {
    const Bytes body = Junk(1001, 3);  // not a whole number of words
    FrameStream stream;
    ASSERT_TRUE(stream.LoadBody(body));
    EXPECT_EQ(stream.BodyBytes(), 1001u);

    size_t offset = 0;
    unsigned width = 1;
    while (offset + 32 <= body.size() * 8) {
        ASSERT_EQ(stream.GetBits(width), ReferenceBits(body, offset, width))
            << "offset " << offset << " width " << width;
        offset += width;
        ASSERT_EQ(stream.BitsRead(), offset);
        width = width % 32 + 1;
    }
    // The bits after the body in its last word read as zero.
    while (offset < body.size() * 8) {
        stream.GetBits(1);
        ++offset;
    }
    EXPECT_EQ(stream.GetBits(24), 0u);
}

TEST(FrameStream, GetBitsPastBufferEndReadsZero) {
    const Bytes body(FrameStream::BufferBytes, 0xFF);
    FrameStream stream;
    ASSERT_TRUE(stream.LoadBody(body));
    for (size_t i = 0; i < FrameStream::BufferWords; ++i) {
        ASSERT_EQ(stream.GetBits(32), 0xFFFFFFFFu);
    }
    EXPECT_EQ(stream.GetBits(16), 0u);
    EXPECT_EQ(stream.GetBits(32), 0u);
}

TEST(FrameStream, BitsPastAShortBodyReadZeroNotTheBodyBefore) {
    FrameStream stream;
    ASSERT_TRUE(stream.LoadBody(Bytes(FrameStream::BufferBytes, 0xFF)));
    ASSERT_TRUE(stream.LoadBody(Bytes{0xAB, 0xCD, 0xEF, 0x12, 0x34}));
    EXPECT_EQ(stream.GetBits(12), 0xABCu);
    EXPECT_EQ(stream.GetBits(32), 0xDEF12340u);  // across the body's end
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stream.GetBits(32), 0u);
    }
}

// The bulk read must leave the same bytes and the same read position as reading a
// byte at a time, on a byte and off it, and over the end of the body.
TEST(FrameStream, GetBytesGivesWhatGetBitsGivesByteByByte) {
    const Bytes body = Junk(1001, 5);
    for (const unsigned lead : {0u, 8u, 16u, 24u, 32u, 3u}) {
        SCOPED_TRACE(lead);
        FrameStream bulk;
        FrameStream single;
        ASSERT_TRUE(bulk.LoadBody(body));
        ASSERT_TRUE(single.LoadBody(body));
        bulk.GetBits(lead);
        single.GetBits(lead);
        for (const size_t count : {size_t{0}, size_t{7}, size_t{600}, size_t{600}}) {
            Bytes got(count, 0x5A);
            bulk.GetBytes(got);
            for (size_t i = 0; i < count; ++i) {
                ASSERT_EQ(got[i], single.GetBits(8)) << "byte " << i << " of " << count;
            }
            ASSERT_EQ(bulk.BitsRead(), single.BitsRead());
        }
        EXPECT_EQ(bulk.GetBits(32), single.GetBits(32));
    }
}

TEST(FrameStream, LoadBodyRejectsOversizedBody) {
    const Bytes body(FrameStream::BufferBytes + 1, 0);
    FrameStream stream;
    EXPECT_FALSE(stream.LoadBody(body));
    EXPECT_FALSE(stream.ReadFrameBody(FrameStream::BufferBytes + 1));
}

}  // namespace
}  // namespace aurion::test
