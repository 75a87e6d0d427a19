// Small helpers shared by the stream reader's tests: opening a built file and
// reading frames with the frame index that MakeIndexedFrame put into each body.
#pragma once

#include <cstdint>

#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {

// Reads the next frame; its index from the body, or -1 when ReadNext fails.
inline int64_t ReadIndexedFrame(FrameStream& stream, FrameHeader& header) {
    Crc16* crc = nullptr;
    if (!header.ReadNext(stream, crc)) {
        return -1;
    }
    return stream.GetBits(32);
}

}  // namespace aurion::test
