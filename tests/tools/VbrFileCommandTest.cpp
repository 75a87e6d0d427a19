// lame -V0, -V2 and -V6 files with their Info/LAME header frames (tests/data/vbr,
// made by make.sh) and an MPEG-2.5 file through the host: the length comes from the header frame,
// and the decode to WAV is the encoder's input, sample for sample in length,
// within the conformance criteria of mpg123's gapless decode.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/tools/HostTestFiles.h"
#include "tests/tools/StreamFacts.h"

namespace aurion::test {
namespace {

const std::string VbrFolder = TRACKDECK_SOURCE_DIR "/tests/data/vbr/";
constexpr double MaximumRmsLsb = 1.0;
constexpr int32_t MaximumPeakLsb = 2;
constexpr double MsPerFrame = 1152.0 / 44.1;

std::vector<int16_t> ReadPcm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return samples;
}

size_t InputSamples(const std::string& name = "input-samples.txt") {
    std::ifstream in(VbrFolder + name);
    size_t samples = 0;
    in >> samples;
    return samples;
}

std::string ValueOf(const std::string& out, const std::string& name) {
    const size_t at = out.find(name + "=");
    if (at == std::string::npos) return {};
    const size_t end = out.find('\n', at);
    return out.substr(at + name.size() + 1, end - at - name.size() - 1);
}

class VbrFileCommand : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

// One file per common lame preset (-V0, -V2, -V6) of the same signal.
class VbrPresetCommand : public VbrFileCommand, public ::testing::WithParamInterface<const char*> {
protected:
    [[nodiscard]] static std::string File(const char* suffix) {
        return VbrFolder + GetParam() + "-mono" + suffix;
    }
};

TEST_P(VbrPresetCommand, DecodeGivesTheEncodersInputWithinTheCriteria) {
    const std::string out = m_environment.Folder() + "vbr.wav";
    const HostRun run = RunHost({"decode", File(".mp3"), out});
    ASSERT_FALSE(run.TimedOut);
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, 1, 44100);
    EXPECT_EQ(wav->Samples.size(), InputSamples());
    const std::vector<int16_t> reference = ReadPcm(File(".pcm"));
    ASSERT_EQ(reference.size(), InputSamples());
    const PcmDifference difference = ComparePcm(wav->Samples, reference);
    EXPECT_LE(difference.rms, MaximumRmsLsb);
    EXPECT_LE(difference.peak, MaximumPeakLsb) << "at sample " << difference.peakIndex;
}

TEST_P(VbrPresetCommand, InfoReportsTheAudioFramesAndTheirPlayTime) {
    const HostRun run = RunHost({"info", File(".mp3")});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const int64_t audioFrames = CountFrames(File(".mp3")) - 1;  // all but the header frame
    EXPECT_EQ(ValueOf(run.Out, "FrameCount"), std::to_string(audioFrames));
    const double totalTime = std::stod(ValueOf(run.Out, "TotalTime"));
    EXPECT_NEAR(totalTime, static_cast<double>(audioFrames) * MsPerFrame, MsPerFrame);
    // The signal's own length is within the frames played.
    const double inputMs = static_cast<double>(InputSamples()) * 1000.0 / 44100.0;
    EXPECT_GE(totalTime + MsPerFrame, inputMs);
}

INSTANTIATE_TEST_SUITE_P(LamePresets, VbrPresetCommand, ::testing::Values("v0", "v2", "v6"));

TEST_F(VbrFileCommand, Mpeg25DecodesAtItsRateWithinTheCriteria) {
    const std::string out = m_environment.Folder() + "mpeg25.wav";
    const HostRun run = RunHost({"decode", VbrFolder + "mpeg25-8k.mp3", out});
    ASSERT_FALSE(run.TimedOut);
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, 1, 8000);
    EXPECT_EQ(wav->Samples.size(), InputSamples("mpeg25-input-samples.txt"));
    const PcmDifference difference = ComparePcm(wav->Samples, ReadPcm(VbrFolder + "mpeg25-8k.pcm"));
    EXPECT_LE(difference.rms, MaximumRmsLsb);
    EXPECT_LE(difference.peak, MaximumPeakLsb) << "at sample " << difference.peakIndex;
}

}  // namespace
}  // namespace aurion::test
