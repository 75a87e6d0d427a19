// A valid stream decoded with the seeks, stop frames and frame counts the input
// gives. The stream is one of a fixed set covering each way a seek is made (fixed
// frame sizes, the padding table of 44.1/22.05 kHz, recorded offsets of a file
// with a header frame). A seek must land on its target whenever the target is one
// of the stream's frames and fail otherwise; every frame decoded after it must
// bring a whole frame's samples.
//
// Input: byte 0 picks the stream, byte 1 the channel choice, then steps of three
// bytes: an operation and a 16-bit frame number or count.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/FuzzDecoding.h"

namespace {

using aurion::ChannelChoice;
using aurion::fuzz::FuzzDecoding;

struct KnownStream {
    std::string Path;
    int32_t Frames = 0;  // audio frames as a straight read finds them
};

int32_t CountFrames(const std::string& path) {
    FuzzDecoding decoding(path, ChannelChoice::Left);
    if (!decoding.Ready()) return 0;
    aurion::Crc16* crc = nullptr;
    while (decoding.Header().ReadNext(decoding.Stream(), crc)) {
    }
    return decoding.Stream().HighestFrame() + 1;
}

std::vector<KnownStream> LoadStreams() {
    const std::filesystem::path root(TRACKDECK_SOURCE_DIR);
    const std::array<std::filesystem::path, 8> candidates{
        root / "tools/demo/demo.mp3",
        root / "tests/data/vbr/v2-mono.mp3",
        root / "tests/data/vbr/mpeg25-8k.mp3",
        root / "tests/data/layer2-lsf/lsf22-joint.mp2",
        root / "tests/data/layer2-lsf/lsf16-mono.mp2",
        root / "../shared/conformance/l1-fl1.bit",
        root / "../shared/conformance/l2-fl10.bit",
        root / "../shared/conformance/l3-si_block.bit",
    };
    std::vector<KnownStream> streams;
    for (const auto& path : candidates) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) continue;
        KnownStream stream{path.string(), CountFrames(path.string())};
        if (stream.Frames > 0) streams.push_back(stream);
    }
    if (streams.empty()) {
        std::fprintf(stderr, "no stream found under %s\n", root.c_str());
        std::abort();
    }
    return streams;
}

// A range decodes at most this many frames: runs stay short under the sanitizers.
constexpr int32_t MaxRangeFrames = 96;

enum class Step : uint8_t { Decode, Seek, StopAt, DecodeToStop };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<KnownStream> streams = LoadStreams();
    if (size < 2) return 0;
    const KnownStream& known = streams[data[0] % streams.size()];
    const auto choice = static_cast<ChannelChoice>(data[1] % 4);
    FuzzDecoding decoding(known.Path, choice);
    if (!decoding.Ready()) aurion::fuzz::Fail("a known stream does not open");

    int32_t stopFrame = 0;  // 0: none, as in the session
    bool loaded = true;     // a frame is loaded and waits to be decoded
    for (size_t at = 2; at + 3 <= size; at += 3) {
        const auto step = static_cast<Step>(data[at] % 4);
        const int32_t value = data[at + 1] | (data[at + 2] << 8);
        switch (step) {
            case Step::Decode:
                for (int32_t i = 0; i < value % 64 && loaded; ++i) {
                    loaded = decoding.DecodeFrame();
                }
                break;
            case Step::Seek: {
                // Targets reach a little beyond the stream's end.
                const int32_t target = value % (known.Frames + 8);
                const bool landed = decoding.Seek(target);
                if (landed != (target < known.Frames)) {
                    aurion::fuzz::Fail(landed ? "seek beyond the end succeeded"
                                              : "seek to a frame of the stream failed");
                }
                if (!landed) return 0;  // the session ends
                loaded = true;
                break;
            }
            case Step::StopAt:
                stopFrame = value % (known.Frames + 8);
                break;
            case Step::DecodeToStop: {
                // Frames follow one another, so a range that starts before its stop
                // frame ends exactly there.
                const bool before = decoding.Stream().CurrentFrame() < stopFrame;
                int32_t frames = 0;
                while (loaded &&
                       !(stopFrame != 0 && decoding.Stream().CurrentFrame() >= stopFrame)) {
                    if (++frames > MaxRangeFrames) return 0;
                    loaded = decoding.DecodeFrame();
                }
                if (loaded && before && decoding.Stream().CurrentFrame() != stopFrame) {
                    aurion::fuzz::Fail("a range did not end at its stop frame");
                }
                break;
            }
        }
    }
    return 0;
}
