// One layer's frame decoder as the decoding thread sees it: made when the layer
// of the frames changes, it decodes the frame that FrameHeader::ReadNext has just
// loaded into the polyphase filters and the sink, and ends a decoded frame with
// the sink's WriteBuffer. A frame that gives no samples (a checksum mismatch, main
// data not yet in the reservoir) gets no WriteBuffer.
#pragma once

#include <cstdint>
#include <memory>

#include "control/decoder/SampleSink.h"

namespace aurion {

class Crc16;
class FrameHeader;
class FrameStream;
class PolyphaseFilter;

class FrameDecoder {
public:
    virtual ~FrameDecoder() = default;

    // crc: the frame's running checksum as ReadNext delivered it, or null when the
    // frame carries none.
    virtual void DecodeFrame(Crc16* crc) = 0;
    // After a seek: nothing of the frames before the seek point carries over.
    virtual void SeekNotify() = 0;
};

// What a frame decoder works on; all of it outlives the decoder.
struct FrameDecoderParts {
    FrameStream& Stream;
    FrameHeader& Header;
    PolyphaseFilter& LeftFilter;
    PolyphaseFilter* RightFilter;  // null when one channel is output
    SampleSink& Sink;
    ChannelChoice Choice;
};

// The decoder for frames of `layer` (1, 2 or 3); null for any other value.
[[nodiscard]] std::unique_ptr<FrameDecoder> MakeFrameDecoder(uint32_t layer,
                                                             const FrameDecoderParts& parts);

}  // namespace aurion
