// Pins the decoder's whole output: every conformance stream, the demo stream and
// the low-sampling-frequency Layer II fixtures are decoded by `aurion decode` and
// the WAV file's FNV-1a checksum is compared with the one recorded before the
// decoder was made faster. Any change of a single output bit fails here, so speed
// work cannot slip in a change of rounding, operation order or conversion.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/Conformance.h"
#include "tests/support/HostProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WavFileReader.h"
#include "tests/tools/HostTestFiles.h"

namespace aurion::test {
namespace {

enum class Source { Conformance, Demo, LayerIIFixture };

struct PinnedOutput {
    const char* Name;
    Source From;
    uint64_t Checksum;  // FNV-1a (64 bits) of the whole WAV file
};

constexpr PinnedOutput PinnedOutputs[] = {
    {"l1-fl1", Source::Conformance, 0x161ef6a4e804bf47ull},
    {"l1-fl2", Source::Conformance, 0xd9e085cf109319cfull},
    {"l1-fl3", Source::Conformance, 0xcfa3df5daeea2789ull},
    {"l1-fl4", Source::Conformance, 0x0c808b0a4ecb9cb5ull},
    {"l2-fl10", Source::Conformance, 0xf96634ffaef10c20ull},
    {"l2-fl11", Source::Conformance, 0x6503e7fe55fa386bull},
    {"l2-fl12", Source::Conformance, 0x53c2286c521a54c2ull},
    {"l2-fl13", Source::Conformance, 0xc4f0f3a0aca20a40ull},
    {"l3-compl", Source::Conformance, 0xe8a0a5f16afd833full},
    {"l3-si", Source::Conformance, 0x5e1f7bcce2d29b0aull},
    {"l3-si_block", Source::Conformance, 0x7764dec886557bb4ull},
    {"l3-si_huff", Source::Conformance, 0x2477e700a840e9ffull},
    {"l3-hecommon", Source::Conformance, 0xad2d327fb1c906caull},
    {"l3-test46", Source::Conformance, 0xe949d9466c7831a4ull},
    {"M2L3_compl24", Source::Conformance, 0x9dde0a1359199a60ull},
    {"M2L3_bitrate_22_all", Source::Conformance, 0x81582421ec9b36b1ull},
    {"demo", Source::Demo, 0x24f47943f760540dull},
    {"lsf16-mono", Source::LayerIIFixture, 0xd20e5041c113558bull},
    {"lsf22-joint", Source::LayerIIFixture, 0xcd98a4ccbee5d3c8ull},
    {"lsf24-mono", Source::LayerIIFixture, 0xe7817e50a9fb087cull},
};

uint64_t Fnv1a64(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string StreamPath(const PinnedOutput& pinned) {
    switch (pinned.From) {
        case Source::Conformance:
            return ConformanceBitstream(pinned.Name);
        case Source::Demo:
            return DemoStream();
        case Source::LayerIIFixture:
            return std::string(TRACKDECK_SOURCE_DIR) + "/tests/data/layer2-lsf/" + pinned.Name +
                   ".mp2";
    }
    return {};
}

class DecodeOutputChecksum : public ::testing::TestWithParam<PinnedOutput> {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_P(DecodeOutputChecksum, StaysBitIdentical) {
    const PinnedOutput pinned = GetParam();
    if (pinned.From == Source::Conformance && ConformanceFolder().empty()) {
        GTEST_SKIP() << "conformance streams not found beside the source tree";
    }
    const std::string out = m_environment.Folder() + pinned.Name + ".wav";
    const HostRun run = RunHost({"decode", StreamPath(pinned), out});
    ASSERT_FALSE(run.TimedOut);
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const auto bytes = ReadWholeFile(out);
    ASSERT_TRUE(bytes);
    const uint64_t checksum = Fnv1a64(*bytes);
    char shown[32];
    std::snprintf(shown, sizeof shown, "0x%016" PRIx64 "ull", checksum);
    EXPECT_EQ(checksum, pinned.Checksum) << pinned.Name << " now gives " << shown;
}

INSTANTIATE_TEST_SUITE_P(Streams, DecodeOutputChecksum, ::testing::ValuesIn(PinnedOutputs),
                         [](const ::testing::TestParamInfo<PinnedOutput>& stream) {
                             std::string name = stream.param.Name;
                             for (char& c : name) {
                                 if (c == '-') c = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace aurion::test
