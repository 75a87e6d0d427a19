// Arbitrary bytes as a file, decoded to its end with each channel choice: the
// stream reader's sync search, every layer's decoder and the channel routing
// must neither crash nor hand the sink a wrong number of samples.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/FuzzDecoding.h"
#include "fuzz/FuzzInputFile.h"

namespace {

// Bounds a run on a large input that is all frames; the checks hold per frame.
constexpr uint32_t MaxFramesPerChoice = 4000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace aurion;
    static const fuzz::FuzzInputFile file(".mp3");
    if (!file.Write(std::span(data, size))) return 0;

    constexpr std::array Choices{ChannelChoice::Both, ChannelChoice::Left, ChannelChoice::Right,
                                 ChannelChoice::Mix};
    for (const ChannelChoice choice : Choices) {
        fuzz::FuzzDecoding decoding(file.Path(), choice);
        if (!decoding.Ready()) return 0;  // no stream: the same for every choice
        uint32_t frames = 0;
        while (decoding.DecodeFrame() && ++frames < MaxFramesPerChoice) {
        }
    }
    return 0;
}
