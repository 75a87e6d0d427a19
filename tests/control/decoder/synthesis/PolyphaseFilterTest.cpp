#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "control/decoder/synthesis/SynthesisWindow.h"

namespace aurion {
namespace {

constexpr double kPi = 3.14159265358979323846;

class RecordingSink : public SampleSink {
public:
    void Append(int channel, int16_t sample) override { appended.emplace_back(channel, sample); }
    void WriteBuffer() override {}
    void ClearBuffer() override {}
    void Abort() override {}

    [[nodiscard]] std::vector<int16_t> Samples() const {
        std::vector<int16_t> samples;
        for (const auto& [channel, sample] : appended) {
            samples.push_back(sample);
        }
        return samples;
    }

    std::vector<std::pair<int, int16_t>> appended;
};

// The synthesis subband filter as ISO/IEC 11172-3 writes it (Figure A.2), in
// double: a 1024-value V history shifted by 64 per block, the U selection and
// the window D.
class ReferenceSynthesis {
public:
    void Block(const double* samples, double* out) {
        std::memmove(m_v + 64, m_v, sizeof(double) * 960);
        for (int i = 0; i < 64; ++i) {
            m_v[i] = 0.0;
            for (int k = 0; k < 32; ++k) {
                m_v[i] += std::cos((16 + i) * (2 * k + 1) * kPi / 64.0) * samples[k];
            }
        }
        double u[512];
        for (int i = 0; i < 8; ++i) {
            for (int j = 0; j < 32; ++j) {
                u[64 * i + j] = m_v[128 * i + j];
                u[64 * i + 32 + j] = m_v[128 * i + 96 + j];
            }
        }
        for (int j = 0; j < 32; ++j) {
            out[j] = 0.0;
            for (int i = 0; i < 16; ++i) {
                out[j] += u[j + 32 * i] * SynthesisWindowCoefficient(j + 32 * i);
            }
        }
    }

private:
    double m_v[1024] = {};
};

// The analysis subband filter of ISO/IEC 11172-3 (Figure C.4) with its window
// C[i] = D[i] / 32, in double.
class ReferenceAnalysis {
public:
    void Block(const double* pcm, double* subbands) {
        std::memmove(m_x + 32, m_x, sizeof(double) * 480);
        for (int i = 0; i < 32; ++i) {
            m_x[31 - i] = pcm[i];
        }
        double y[64];
        for (int i = 0; i < 64; ++i) {
            y[i] = 0.0;
            for (int j = 0; j < 8; ++j) {
                y[i] += m_x[i + 64 * j] * SynthesisWindowCoefficient(i + 64 * j) / 32.0;
            }
        }
        for (int i = 0; i < 32; ++i) {
            subbands[i] = 0.0;
            for (int k = 0; k < 64; ++k) {
                subbands[i] += std::cos((2 * i + 1) * (k - 16) * kPi / 64.0) * y[k];
            }
        }
    }

private:
    double m_x[512] = {};
};

int ReferencePcm(double value) {
    if (value > 32767.0) return 32767;
    if (value < -32768.0) return -32768;
    return static_cast<int>(value);
}

std::vector<int16_t> RunBlock(PolyphaseFilter& filter, const float* samples) {
    for (int k = 0; k < 32; ++k) {
        filter.InputSample(samples[k], k);
    }
    RecordingSink sink;
    filter.CalculatePcmSamples(sink);
    return sink.Samples();
}

TEST(PolyphaseFilter, MatchesTheStandardsSynthesisOverManyBlocks) {
    constexpr float kScale = 32768.0f;
    PolyphaseFilter filter(0, kScale);
    ReferenceSynthesis reference;
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(-0.15f, 0.15f);
    std::bernoulli_distribution written(0.7);
    int clipped = 0;
    for (int block = 0; block < 60; ++block) {
        // Some subbands stay unwritten: they must count as 0, not as last block's value.
        float samples[32] = {};
        for (int k = 0; k < 32; ++k) {
            if (written(random)) {
                samples[k] = value(random);
                filter.InputSample(samples[k], k);
            }
        }
        double input[32];
        for (int k = 0; k < 32; ++k) {
            input[k] = samples[k];
        }
        double expected[32];
        reference.Block(input, expected);
        RecordingSink sink;
        filter.CalculatePcmSamples(sink);
        const std::vector<int16_t> pcm = sink.Samples();
        ASSERT_EQ(pcm.size(), 32u);
        for (int i = 0; i < 32; ++i) {
            const int want = ReferencePcm(expected[i] * kScale);
            clipped += (want == 32767 || want == -32768) ? 1 : 0;
            // Float rounding of values up to ~3e4 stays well below one step;
            // truncation may land on either side of an integer.
            EXPECT_NEAR(pcm[i], want, 1) << "block " << block << " sample " << i;
        }
    }
    EXPECT_LT(clipped, 32) << "the input level hides the comparison behind clipping";
}

// Blocks filtered several at a time (the lanes' partial last batch included) give
// the samples of the same blocks filtered one by one, and carry the same history.
TEST(PolyphaseFilter, SynthesizingSeveralBlocksEqualsOneBlockAtATime) {
    std::mt19937 random(17);
    std::uniform_real_distribution<float> value(-0.4f, 0.4f);
    PolyphaseFilter batched(1, 32768.0f);
    PolyphaseFilter single(1, 32768.0f);
    RecordingSink batchedSink;
    RecordingSink singleSink;
    for (size_t count : {18u, 1u, 7u, 8u, 9u, 36u, 12u}) {
        const size_t stride = count + 3;  // room between subbands that must not be read
        std::vector<float> subbands(32 * stride, 1e30f);
        for (size_t sb = 0; sb < 32; ++sb) {
            for (size_t t = 0; t < count; ++t) {
                subbands[sb * stride + t] = value(random);
            }
        }
        batched.Synthesize(subbands.data(), stride, count, batchedSink);
        for (size_t t = 0; t < count; ++t) {
            for (size_t sb = 0; sb < 32; ++sb) {
                single.InputSample(subbands[sb * stride + t], static_cast<int>(sb));
            }
            single.CalculatePcmSamples(singleSink);
        }
        ASSERT_EQ(batchedSink.appended, singleSink.appended) << "count " << count;
    }
}

TEST(PolyphaseFilter, AllZeroInputGivesExactlyZero) {
    PolyphaseFilter filter(0, 32768.0f);
    const float zeros[32] = {};
    for (int block = 0; block < 20; ++block) {
        for (int16_t sample : RunBlock(filter, zeros)) {
            ASSERT_EQ(sample, 0) << "block " << block;
        }
    }
}

TEST(PolyphaseFilter, HistoryFadesOutAfterSixteenBlocks) {
    PolyphaseFilter filter(0, 32768.0f);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> value(-0.5f, 0.5f);
    float loud[32];
    for (float& x : loud) {
        x = value(random);
    }
    RunBlock(filter, loud);
    const float zeros[32] = {};
    bool heard = false;
    for (int block = 1; block < 16; ++block) {
        for (int16_t sample : RunBlock(filter, zeros)) {
            heard = heard || sample != 0;
        }
    }
    EXPECT_TRUE(heard);
    for (int16_t sample : RunBlock(filter, zeros)) {
        EXPECT_EQ(sample, 0);
    }
}

TEST(PolyphaseFilter, ConversionClipsAndTruncatesTowardZero) {
    EXPECT_EQ(ClipToPcm16(40000.0f), 32767);
    EXPECT_EQ(ClipToPcm16(-40000.0f), -32768);
    EXPECT_EQ(ClipToPcm16(1.9f), 1);
    EXPECT_EQ(ClipToPcm16(-1.9f), -1);
    EXPECT_EQ(ClipToPcm16(32767.9f), 32767);
    EXPECT_EQ(ClipToPcm16(-32768.0f), -32768);
    EXPECT_EQ(ClipToPcm16(-32768.5f), -32768);
    EXPECT_EQ(ClipToPcm16(std::numeric_limits<float>::infinity()), 32767);
    EXPECT_EQ(ClipToPcm16(-std::numeric_limits<float>::infinity()), -32768);
    EXPECT_EQ(ClipToPcm16(std::numeric_limits<float>::quiet_NaN()), 0);
}

// One block with subband 0 at 1.0 gives D[i] cos((16 + i) pi / 64) at output i;
// a scale chosen from that value puts a known output at a chosen level.
TEST(PolyphaseFilter, ScaleMultipliesTheWindowedSumBeforeClipping) {
    const int probe = 5;
    const double unit = SynthesisWindowCoefficient(probe) * std::cos((16 + probe) * kPi / 64.0);
    ASSERT_NE(unit, 0.0);
    float samples[32] = {};
    samples[0] = 1.0f;
    for (const auto& [level, expected] :
         {std::pair{40000.0, 32767}, {-40000.0, -32768}, {1.9, 1}, {-1.9, -1}}) {
        PolyphaseFilter filter(0, static_cast<float>(level / unit));
        EXPECT_EQ(RunBlock(filter, samples)[probe], expected) << "level " << level;
    }
}

TEST(PolyphaseFilter, FullScaleSubbandSignalClipsAtBothLimits) {
    constexpr float kScale = 32768.0f;
    for (int subband : {0, 13, 31}) {
        PolyphaseFilter filter(0, kScale);
        ReferenceSynthesis reference;
        double loudest = 0.0;
        bool top = false;
        bool bottom = false;
        for (int block = 0; block < 48; ++block) {
            float samples[32] = {};
            samples[subband] = (block / 8) % 2 == 0 ? 1.0f : -1.0f;
            double input[32] = {};
            input[subband] = samples[subband];
            double expected[32];
            reference.Block(input, expected);
            const std::vector<int16_t> pcm = RunBlock(filter, samples);
            for (int i = 0; i < 32; ++i) {
                loudest = std::fmax(loudest, std::fabs(expected[i] * kScale));
                EXPECT_NEAR(pcm[i], ReferencePcm(expected[i] * kScale), 1)
                    << "subband " << subband << " block " << block << " sample " << i;
                top = top || pcm[i] == 32767;
                bottom = bottom || pcm[i] == -32768;
            }
        }
        EXPECT_GT(loudest, 33000.0) << "subband " << subband;
        EXPECT_TRUE(top) << "subband " << subband;
        EXPECT_TRUE(bottom) << "subband " << subband;
    }
}

TEST(PolyphaseFilter, AfterResetTheFirstBlocksEqualThoseOfANewFilter) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> value(-0.3f, 0.3f);
    PolyphaseFilter used(0, 32768.0f);
    float samples[32];
    for (int block = 0; block < 21; ++block) {
        for (float& x : samples) {
            x = value(random);
        }
        RunBlock(used, samples);
    }
    // A pending, unfinished block goes too.
    used.InputSample(0.9f, 3);
    used.Reset();
    EXPECT_EQ(used.Channel(), 0);
    EXPECT_EQ(used.Scale(), 32768.0f);

    PolyphaseFilter fresh(0, 32768.0f);
    for (int block = 0; block < 18; ++block) {
        for (float& x : samples) {
            x = value(random);
        }
        EXPECT_EQ(RunBlock(used, samples), RunBlock(fresh, samples)) << "block " << block;
    }
}

TEST(PolyphaseFilter, SinkReceivesTheFiltersChannelIndex) {
    PolyphaseFilter left(0, 32768.0f);
    PolyphaseFilter right(1, 32768.0f);
    EXPECT_EQ(left.Channel(), 0);
    EXPECT_EQ(right.Channel(), 1);
    RecordingSink sink;
    left.InputSample(0.5f, 1);
    right.InputSample(0.5f, 1);
    left.CalculatePcmSamples(sink);
    right.CalculatePcmSamples(sink);
    ASSERT_EQ(sink.appended.size(), 64u);
    for (size_t n = 0; n < 64; ++n) {
        EXPECT_EQ(sink.appended[n].first, n < 32 ? 0 : 1) << "sample " << n;
    }
}

TEST(PolyphaseFilter, IgnoresSubbandsOutsideTheBlock) {
    PolyphaseFilter filter(0, 32768.0f);
    for (int subband :
         {-1, 32, 33, 1000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        filter.InputSample(1.0f, subband);
    }
    const float zeros[32] = {};
    for (int16_t sample : RunBlock(filter, zeros)) {
        EXPECT_EQ(sample, 0);
    }
}

// Analysis by the standard's filter, synthesis by ours: the pair reconstructs
// its input, delayed by 481 samples, up to the prototype's own aliasing and
// ripple. A wrong window coefficient or a misplaced V value breaks this.
TEST(PolyphaseFilter, ReconstructsTheStandardsAnalysisWithDelay481) {
    constexpr int kBlocks = 120;
    constexpr int kDelay = 481;
    constexpr double kScale = 32768.0;
    std::mt19937 random(9);
    std::uniform_real_distribution<double> noise(-0.1, 0.1);
    std::vector<double> signal(kBlocks * 32);
    for (size_t n = 0; n < signal.size(); ++n) {
        const double t = static_cast<double>(n);
        signal[n] = 0.4 * std::sin(2.0 * kPi * 0.0123 * t) + 0.2 * std::cos(2.0 * kPi * 0.31 * t) +
                    noise(random);
    }
    ReferenceAnalysis analysis;
    PolyphaseFilter filter(0, static_cast<float>(kScale));
    std::vector<int16_t> pcm;
    for (int block = 0; block < kBlocks; ++block) {
        double subbands[32];
        analysis.Block(&signal[32 * block], subbands);
        float samples[32];
        for (int k = 0; k < 32; ++k) {
            samples[k] = static_cast<float>(subbands[k]);
        }
        const std::vector<int16_t> out = RunBlock(filter, samples);
        pcm.insert(pcm.end(), out.begin(), out.end());
    }
    double largest = 0.0;
    for (size_t n = kDelay; n < pcm.size(); ++n) {
        largest = std::fmax(largest, std::fabs(pcm[n] - kScale * signal[n - kDelay]));
    }
    // The prototype itself reconstructs to about 1 LSB; truncation adds one more.
    EXPECT_LT(largest, 4.0);
}

}  // namespace
}  // namespace aurion
