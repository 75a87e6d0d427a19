// Decodes a whole Layer III file into a sink frame by frame, as the decoding thread
// does without a seek: both channels of a two-channel stream, the one of a mono
// stream. Header-only, so that the support library needs no decoder.
#pragma once

#include <cstdint>
#include <string>

#include "control/decoder/layer3/Layer3Decoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace aurion::test {

struct DecodedLayer3File {
    bool opened = false;  // a first frame was found, and it is Layer III
    uint32_t frames = 0;
    uint32_t reservoirWraps = 0;
};

inline DecodedLayer3File DecodeLayer3File(const std::string& path, SampleSink& sink) {
    DecodedLayer3File result;
    FrameStream stream;
    stream.Open(path);
    FrameHeader header;
    Crc16* crc = nullptr;
    if (!header.ReadNext(stream, crc) || header.Layer() != 3) {
        return result;
    }
    result.opened = true;
    const bool mono = header.Mode() == 3;
    PolyphaseFilter left(0, 32768.0f);
    PolyphaseFilter right(1, 32768.0f);
    Layer3Decoder decoder(stream, header, left, mono ? nullptr : &right, sink,
                          mono ? ChannelChoice::Left : ChannelChoice::Both);
    do {
        decoder.DecodeFrame(nullptr);
        ++result.frames;
    } while (header.ReadNext(stream, crc));
    result.reservoirWraps = decoder.ReservoirWraps();
    return result;
}

}  // namespace aurion::test
