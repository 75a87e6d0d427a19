// Damaged files of every kind through the command-line host: `aurion info`,
// `aurion decode` and `aurion play` (null device) must each end in time with
// status 0 or 1, and with a valid WAV file or one clear line; never
// with a signal, a hang or a broken WAV file. The files are short, so that play
// ends quickly; the large file of zeros is sparse.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/BitWriter.h"
#include "tests/support/HostProcess.h"
#include "tests/support/Layer2Frames.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/NullAudio.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/StreamCut.h"
#include "tests/support/WavFileReader.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

using namespace std::chrono_literals;

// Generous for the sanitizer builds; a hang still ends the test.
constexpr auto CommandLimit = 60s;
constexpr size_t ConcurrentPlays = 6;

class DamagedFileCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_cut = Path("cut.mp3");
        ASSERT_TRUE(WriteFirstFrames(DemoStream(), 12, m_cut));
        m_cutBytes = *ReadWholeFile(m_cut);
    }

    [[nodiscard]] std::string Path(const std::string& name) const {
        return m_environment.Folder() + name;
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        std::ofstream(Path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return Path(name);
    }

    // The three commands on one file.
    void ExpectHandled(const std::string& file) {
        SCOPED_TRACE(std::filesystem::path(file).filename().string());
        ExpectEndsCleanly(RunHost({"info", file}, CommandLimit), "info");
        const std::string wav = file + ".wav";
        const HostRun decode = RunHost({"decode", file, wav}, CommandLimit);
        ExpectEndsCleanly(decode, "decode");
        if (decode.ExitStatus == 0) {
            const auto written = ReadWavFile(wav);
            ASSERT_TRUE(written) << "decode succeeded without a WAV file";
            ASSERT_TRUE(written->Channels == 1 || written->Channels == 2);
            ExpectConsistentWav(*written, written->Channels, static_cast<int>(written->SampleRate));
        }
        std::error_code ignored;
        std::filesystem::remove(wav, ignored);
        // The null device plays in real time and a play lasts at least one device
        // buffer: the plays run beside the next files, a few at a time.
        if (m_plays.size() >= ConcurrentPlays) FinishOldestPlay();
        m_plays.push_back({std::filesystem::path(file).filename().string(),
                           std::make_unique<HostProcess>(std::vector<std::string>{"play", file})});
    }

    void TearDown() override {
        while (!m_plays.empty()) FinishOldestPlay();
    }
    void FinishOldestPlay() {
        SCOPED_TRACE(m_plays.front().File);
        ASSERT_TRUE(m_plays.front().Process->Started());
        ExpectEndsCleanly(m_plays.front().Process->Wait(CommandLimit), "play");
        m_plays.erase(m_plays.begin());
    }

    static void ExpectEndsCleanly(const HostRun& run, const char* command) {
        SCOPED_TRACE(command);
        ASSERT_FALSE(run.TimedOut);
        EXPECT_EQ(run.TermSignal, 0) << run.Err;
        EXPECT_TRUE(run.ExitStatus == 0 || run.ExitStatus == 1) << run.ExitStatus << run.Err;
        if (run.ExitStatus == 1) {
            EXPECT_EQ(run.Err.rfind("aurion: ", 0), 0u) << run.Err;
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        }
        EXPECT_EQ(run.Err.find("runtime error"), std::string::npos) << run.Err;
    }

    platform::test::NullAudio m_audio;  // the children play on the null device
    platform::test::ScopedEnvironment m_environment;
    std::string m_cut;
    Bytes m_cutBytes;
    struct PendingPlay {
        std::string File;
        std::unique_ptr<HostProcess> Process;
    };
    std::vector<PendingPlay> m_plays;
};

Bytes Repeat(const Bytes& frame, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) AppendBytes(out, frame);
    return out;
}

Bytes Filled(size_t count, uint8_t value) { return Bytes(count, value); }

TEST_F(DamagedFileCommand, TruncatedAnywhere) {
    const size_t size = m_cutBytes.size();
    for (const size_t keep :
         {size_t{1}, size_t{3}, size_t{4}, size_t{5}, size_t{200}, size / 2, size - 1}) {
        ExpectHandled(Write("cut-" + std::to_string(keep) + ".mp3",
                            Bytes(m_cutBytes.begin(), m_cutBytes.begin() + keep)));
    }
    // A file with a header frame, cut inside it and just after it.
    const Bytes vbr = *ReadWholeFile(TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3");
    ExpectHandled(Write("vbr-in-header.mp3", Bytes(vbr.begin(), vbr.begin() + 100)));
    ExpectHandled(Write("vbr-after-header.mp3", Bytes(vbr.begin(), vbr.begin() + 420)));
}

TEST_F(DamagedFileCommand, EmptyJunkOrOnlyTags) {
    ExpectHandled(Write("empty.mp3", {}));
    ExpectHandled(Write("junk.mp3", Junk(4096, 17)));
    ExpectHandled(Write("id3v1-only.mp3", Id3v1Tag()));
    Bytes both = Id3v2Tag(300);
    AppendBytes(both, Id3v1Tag());
    ExpectHandled(Write("id3v2-and-id3v1.mp3", both));
}

TEST_F(DamagedFileCommand, HeadersPromisingMoreThanTheFileHolds) {
    HeaderFields loud;
    loud.BitrateIndex = 14;  // 320 kbit/s: a frame of 1044 bytes
    Bytes shortFrame = MakeFrame(loud);
    shortFrame.resize(40);
    ExpectHandled(Write("short-frame.mp3", shortFrame));
    // An ID3v2 tag announcing far more than the file, before real frames.
    Bytes tagged = Id3v2Tag(0);
    tagged[6] = tagged[7] = tagged[8] = tagged[9] = 0x7F;  // 256 MB, syncsafe
    AppendBytes(tagged, m_cutBytes);
    ExpectHandled(Write("huge-id3v2.mp3", tagged));
    // Good frames, then a header whose frame the file's end cuts off.
    Bytes ending = m_cutBytes;
    AppendBytes(ending, shortFrame);
    ExpectHandled(Write("cut-last-frame.mp3", ending));
}

TEST_F(DamagedFileCommand, BadChecksums) {
    HeaderFields layer2;
    layer2.Layer = 2;
    layer2.BitrateIndex = 10;  // 160 kbit/s mono: Table B.2b
    layer2.Mode = 3;
    layer2.Checksum = true;
    Bytes file;
    for (uint32_t i = 0; i < 8; ++i) AppendBytes(file, Layer2SoundFrame(layer2, i, i % 2 == 0));
    ExpectHandled(Write("layer2-bad-crc.mp2", file));
    HeaderFields layer1;
    layer1.Layer = 1;
    layer1.Checksum = true;
    Bytes ones;
    for (uint32_t i = 0; i < 8; ++i) AppendBytes(ones, MakeFrame(layer1, Junk(500, i), 0xBEEF));
    ExpectHandled(Write("layer1-bad-crc.mp1", ones));
}

TEST_F(DamagedFileCommand, ReservedValuesInEveryHeaderField) {
    HeaderFields base;  // MPEG-1 Layer III 128 kbit/s 44.1 kHz stereo
    std::vector<std::pair<std::string, HeaderFields>> cases;
    auto add = [&](const std::string& name, auto change) {
        HeaderFields fields = base;
        change(fields);
        cases.emplace_back(name, fields);
    };
    add("version-reserved", [](HeaderFields& f) { f.VersionBits = 1; });
    add("layer-reserved", [](HeaderFields& f) { f.Layer = 0; });
    add("bitrate-free", [](HeaderFields& f) { f.BitrateIndex = 0; });
    add("bitrate-bad", [](HeaderFields& f) { f.BitrateIndex = 15; });
    add("frequency-reserved", [](HeaderFields& f) { f.FrequencyIndex = 3; });
    add("emphasis-reserved", [](HeaderFields& f) { f.Emphasis = 2; });
    add("layer2-mode-rate", [](HeaderFields& f) {  // 32 kbit/s stereo is not allowed
        f.Layer = 2;
        f.BitrateIndex = 1;
    });
    const Bytes goodFrame(m_cutBytes.begin(), m_cutBytes.begin() + 417);
    for (const auto& [name, fields] : cases) {
        const uint32_t word = HeaderWord(fields);
        Bytes frame = goodFrame;  // a good body under the reserved header
        frame[0] = static_cast<uint8_t>(word >> 24);
        frame[1] = static_cast<uint8_t>(word >> 16);
        frame[2] = static_cast<uint8_t>(word >> 8);
        frame[3] = static_cast<uint8_t>(word);
        ExpectHandled(Write(name + ".mp3", Repeat(frame, 6)));
        // The same frame in the middle of a good stream.
        Bytes mixed(m_cutBytes.begin(), m_cutBytes.begin() + 4 * 417);
        AppendBytes(mixed, frame);
        AppendBytes(mixed, Bytes(m_cutBytes.begin() + 4 * 417, m_cutBytes.end()));
        ExpectHandled(Write(name + "-within.mp3", mixed));
    }
}

// Side information of an MPEG-1 single-channel Layer III frame that points
// outside what the reservoir and the frame hold.
Bytes OutsideSideInfo(uint32_t mainDataBegin, uint32_t part23Length, uint32_t bigValues) {
    BitWriter bits;
    bits.Put(mainDataBegin, 9);
    bits.Put(0, 5);  // private bits
    bits.Put(0, 4);  // scfsi
    for (int granule = 0; granule < 2; ++granule) {
        bits.Put(part23Length, 12);
        bits.Put(bigValues, 9);
        bits.Put(210, 8);  // global gain
        bits.Put(15, 4);   // scale-factor lengths 4/3
        bits.Put(0, 1);    // no window switching
        bits.Put(24, 5);   // table selects
        bits.Put(31, 5);
        bits.Put(13, 5);
        bits.Put(15, 4);  // region0
        bits.Put(7, 3);   // region1
        bits.Put(1, 1);   // preflag
        bits.Put(1, 1);   // scale-factor scale
        bits.Put(1, 1);   // count1 table
    }
    Bytes body = bits.Bytes();
    AppendBytes(body, Junk(400, mainDataBegin + part23Length));
    return body;
}

TEST_F(DamagedFileCommand, SideInformationOutsideTheReservoir) {
    HeaderFields mono;
    mono.Mode = 3;
    Bytes file;
    AppendBytes(file, MakeFrame(mono, OutsideSideInfo(511, 4095, 511)));  // nothing saved yet
    for (uint32_t i = 0; i < 5; ++i) {
        AppendBytes(file, MakeFrame(mono, OutsideSideInfo(300 + i, 4095, 288 + i)));
        AppendBytes(file, MakeFrame(mono, OutsideSideInfo(0, 4095, 511)));
    }
    ExpectHandled(Write("side-info-outside.mp3", file));
}

TEST_F(DamagedFileCommand, LayerIIAllocationsBeyondTheirTables) {
    // Every Layer II table: B.2a/b (44.1 kHz at 56 and 192 kbit/s per channel),
    // B.2c/d (48/32 kHz at 32 kbit/s), the low sampling frequencies' table.
    struct Choice {
        uint32_t Version, Bitrate, Frequency, Mode;
    };
    const Choice choices[] = {{3, 4, 0, 3}, {3, 10, 0, 3}, {3, 1, 1, 3},
                              {3, 1, 2, 3}, {3, 12, 1, 0}, {2, 8, 0, 1}};
    int n = 0;
    for (const Choice& choice : choices) {
        HeaderFields fields;
        fields.Layer = 2;
        fields.VersionBits = choice.Version;
        fields.BitrateIndex = choice.Bitrate;
        fields.FrequencyIndex = choice.Frequency;
        fields.Mode = choice.Mode;
        fields.ModeExtension = 3;
        Bytes file;
        for (int i = 0; i < 4; ++i) {
            AppendBytes(file, MakeFrame(fields, Filled(1500, 0xFF)));
            AppendBytes(file, MakeFrame(fields, Junk(1500, static_cast<uint32_t>(i))));
        }
        ExpectHandled(Write("layer2-table-" + std::to_string(n++) + ".mp2", file));
    }
}

TEST_F(DamagedFileCommand, ALargeFileOfZeros) {
    const std::string zeros = Path("zeros.mp3");
    std::ofstream(zeros, std::ios::binary).put('\0');
    std::filesystem::resize_file(zeros, uintmax_t{64} << 20);  // sparse
    ExpectHandled(zeros);
}

// The Xing record of the VBR fixture: its offset and the fields after it.
size_t XingOffset(const Bytes& file) {
    const std::string tag = "Xing";
    const auto at = std::search(file.begin(), file.end(), tag.begin(), tag.end());
    return static_cast<size_t>(at - file.begin());
}

void PutBigEndian32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

TEST_F(DamagedFileCommand, VbrHeaderWithAbsurdCounts) {
    const Bytes vbr = *ReadWholeFile(TRACKDECK_SOURCE_DIR "/tests/data/vbr/v2-mono.mp3");
    const size_t xing = XingOffset(vbr);
    ASSERT_LT(xing + 150, vbr.size());
    // Flags: frames, bytes, table and quality; then the LAME record at +120.
    Bytes absurd = vbr;
    PutBigEndian32(absurd, xing + 4, 0xF);
    PutBigEndian32(absurd, xing + 8, 0xFFFFFFFF);   // frames
    PutBigEndian32(absurd, xing + 12, 0xFFFFFFFF);  // bytes
    ExpectHandled(Write("xing-absurd.mp3", absurd));
    Bytes small = vbr;
    PutBigEndian32(small, xing + 4, 0xF);
    PutBigEndian32(small, xing + 8, 1);
    PutBigEndian32(small, xing + 12, 10);
    std::reverse(small.begin() + static_cast<std::ptrdiff_t>(xing + 16),
                 small.begin() + static_cast<std::ptrdiff_t>(xing + 116));  // descending table
    small[xing + 120 + 21] = small[xing + 120 + 22] = small[xing + 120 + 23] = 0xFF;  // gap
    ExpectHandled(Write("xing-one-frame-huge-gap.mp3", small));
    // A VBRI record with the most entries, bytes per entry and scale.
    Bytes vbri = vbr;
    const size_t at = 4 + 32;
    const Bytes record = {'V',  'B',  'R',  'I',  0,    1,    0,    0,    0,
                          75,   0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0xFF, 0,    4,    0xFF, 0xFF};
    std::copy(record.begin(), record.end(), vbri.begin() + at);
    vbri[xing] = 0;  // no Xing record before it
    ExpectHandled(Write("vbri-absurd.mp3", vbri));
}

}  // namespace
}  // namespace aurion::test
