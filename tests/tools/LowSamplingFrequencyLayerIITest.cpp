// MPEG-2 low-sampling-frequency Layer II streams made by another encoder (twolame)
// through `aurion info` and `aurion decode`, judged against another decoder's
// output (mpg123). The fixtures and how they were made: tests/data/layer2-lsf.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WavFileReader.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

constexpr double MaximumRmsLsb = 1.0;
constexpr int32_t MaximumPeakLsb = 2;
constexpr int SamplesPerFrame = 1152;

struct Fixture {
    const char* Name;
    int SampleRate;
    int Channels;
};

constexpr Fixture Fixtures[] = {
    {"lsf24-mono", 24000, 1},
    {"lsf22-joint", 22050, 2},
    {"lsf16-mono", 16000, 1},
};

std::string FixturePath(const std::string& name, const char* extension) {
    return std::string(TRACKDECK_SOURCE_DIR) + "/tests/data/layer2-lsf/" + name + extension;
}

std::vector<int16_t> RawPcm(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(LittleEndian16(bytes, 2 * i));
    }
    return samples;
}

// The value of a `Name=value` line of `aurion info`, estimated ("~") or not.
double InfoValue(const std::string& out, const std::string& name) {
    const size_t at = out.find(name + "=");
    if (at == std::string::npos) return -1.0;
    const size_t value = at + name.size() + 1;
    return std::strtod(out.c_str() + value + (out.compare(value, 1, "~") == 0 ? 1 : 0), nullptr);
}

class LowSamplingFrequencyLayerII : public ::testing::TestWithParam<Fixture> {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_P(LowSamplingFrequencyLayerII, DecodesLikeAnotherDecoderWithTheTrueDuration) {
    const Fixture fixture = GetParam();
    const std::string stream = FixturePath(fixture.Name, ".mp2");
    const auto referenceBytes = ReadWholeFile(FixturePath(fixture.Name, ".pcm"));
    ASSERT_TRUE(referenceBytes);
    const std::vector<int16_t> reference = RawPcm(*referenceBytes);
    const auto perChannel = static_cast<int>(reference.size()) / fixture.Channels;
    ASSERT_EQ(perChannel % SamplesPerFrame, 0);

    const HostRun info = RunHost({"info", stream});
    ASSERT_EQ(info.ExitStatus, 0) << info.Err;
    EXPECT_EQ(InfoValue(info.Out, "MPEGVersion"), 2);
    EXPECT_EQ(InfoValue(info.Out, "Layer"), 2);
    EXPECT_EQ(InfoValue(info.Out, "SampleFrequency"), fixture.SampleRate);
    EXPECT_EQ(InfoValue(info.Out, "FrameCount"), perChannel / SamplesPerFrame);
    EXPECT_NEAR(InfoValue(info.Out, "MsPerFrame"), 1000.0 * SamplesPerFrame / fixture.SampleRate,
                1e-3);
    EXPECT_NEAR(InfoValue(info.Out, "TotalTime"), 1000.0 * perChannel / fixture.SampleRate, 1.0);

    const std::string out = m_environment.Folder() + fixture.Name + ".wav";
    const HostRun run = RunHost({"decode", stream, out});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const auto wav = ReadWavFile(out);
    ASSERT_TRUE(wav);
    ExpectConsistentWav(*wav, fixture.Channels, fixture.SampleRate);
    EXPECT_EQ(wav->Samples.size(), reference.size());
    const PcmDifference difference = ComparePcm(wav->Samples, reference);
    EXPECT_LE(difference.rms, MaximumRmsLsb);
    EXPECT_LE(difference.peak, MaximumPeakLsb) << "at sample " << difference.peakIndex;
}

INSTANTIATE_TEST_SUITE_P(Twolame, LowSamplingFrequencyLayerII, ::testing::ValuesIn(Fixtures),
                         [](const auto& test) {
                             std::string name = test.param.Name;
                             for (char& c : name) {
                                 if (c == '-') c = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace aurion::test
