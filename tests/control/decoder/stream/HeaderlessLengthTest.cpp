// Streams without a header frame keep the length estimates of the first frame:
// frame count and play time as they were before header frames were read, pinned
// for every conformance stream and the demo stream.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {
namespace {

struct PinnedLength {
    const char* Path;
    uint32_t Frames;
    int32_t TotalMs;  // truncated, as TotalTime reports it
};

constexpr const char* Conformance = TRACKDECK_SOURCE_DIR "/../shared/conformance/";

TEST(HeaderlessLength, EstimatesOfTheFirstFrameAreUnchanged) {
    const std::string c = Conformance;
    const PinnedLength pinned[] = {
        {TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3", 308, 8045},
        {"M2L3_bitrate_22_all.bit", 4304, 112431},
        {"M2L3_compl24.bit", 212, 5088},
        {"l1-fl1.bit", 49, 588},
        {"l1-fl2.bit", 48, 417},
        {"l1-fl3.bit", 49, 392},
        {"l1-fl4.bit", 49, 588},
        {"l2-fl10.bit", 49, 1764},
        {"l2-fl11.bit", 49, 1280},
        {"l2-fl12.bit", 49, 1176},
        {"l2-fl13.bit", 49, 1764},
        {"l3-compl.bit", 216, 5184},
        {"l3-hecommon.bit", 30, 783},
        {"l3-si.bit", 118, 3082},
        {"l3-si_block.bit", 64, 1671},
        {"l3-si_huff.bit", 75, 1959},
        {"l3-test46.bit", 250, 6530},
    };
    for (const PinnedLength& entry : pinned) {
        const std::string path = entry.Path[0] == '/' ? entry.Path : c + entry.Path;
        SCOPED_TRACE(path);
        if (!std::filesystem::exists(path)) {
            continue;  // the conformance folder is optional
        }
        FrameStream stream;
        FrameHeader header;
        stream.Open(path);
        Crc16* crc = nullptr;
        ASSERT_TRUE(header.ReadNext(stream, crc));
        EXPECT_FALSE(header.VbrInfo());
        EXPECT_EQ(stream.CurrentFrame(), 0);
        EXPECT_EQ(header.MaxFrames(), entry.Frames);
        EXPECT_EQ(static_cast<int32_t>(header.TotalMs()), entry.TotalMs);
    }
}

}  // namespace
}  // namespace aurion
