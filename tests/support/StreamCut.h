// Shorter streams cut from longer ones, for tests that must not last long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace aurion::test {

// Copies the first `frames` frames of an MPEG-1 or MPEG-2 Layer III file (no tags,
// no leading data, as the demo stream) to `target`; false when the file has fewer.
bool WriteFirstFrames(const std::string& source, int frames, const std::string& target);

// The offset of every Layer III frame of such a stream, following each header's
// frame size for as long as a valid header follows.
std::vector<size_t> LayerIIIFrameStarts(const std::vector<uint8_t>& bytes);

// A long variable-bit-rate file made from a short one with a Xing header frame (lame's,
// as tests/data/vbr holds): the header frame, then the audio frames `copies` times
// over, with the header's frame count, byte count and table of contents made true
// of the whole. lame's first frame takes no data from the frames before it, so the
// copies decode as one stream.
struct RepeatedVbrFile {
    std::vector<uint8_t> Bytes;
    std::vector<uint64_t> Starts;  // every audio frame's offset
};
RepeatedVbrFile RepeatVbrFile(const std::string& source, size_t copies);

}  // namespace aurion::test
