// Arbitrary bytes as a file, decoded to its end: the stream reader's sync search,
// every layer's decoder and the channel routing must neither crash nor hand the
// sink a wrong number of samples. The input's last byte chooses the channels, so
// that each run decodes once and mutations still reach every choice.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/FuzzDecoding.h"
#include "fuzz/FuzzInputFile.h"

namespace {

// Bounds a run on a large input that is all frames; the checks hold per frame.
constexpr uint32_t MaxFrames = 4000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace aurion;
    static const fuzz::FuzzInputFile file(".mp3");
    if (size == 0 || !file.Write(std::span(data, size))) return 0;

    constexpr std::array Choices{ChannelChoice::Both, ChannelChoice::Left, ChannelChoice::Right,
                                 ChannelChoice::Mix};
    fuzz::FuzzDecoding decoding(file.Path(), Choices[data[size - 1] % Choices.size()]);
    if (!decoding.Ready()) return 0;
    uint32_t frames = 0;
    while (decoding.DecodeFrame() && ++frames < MaxFrames) {
    }
    return 0;
}
