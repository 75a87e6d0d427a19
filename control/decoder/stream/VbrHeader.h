// The header frame that many encoders put before the audio of a variable-bit-rate
// file (and lame also before constant-bit-rate audio): a Layer III frame whose body
// carries a "Xing" or "Info" record after the side information, or a "VBRI" record
// at a fixed place, instead of audio. It gives the number of audio frames, the
// stream's size and a table of contents; lame appends its own record with the
// encoder delay and padding. Every field is checked here, where it enters: a field
// that cannot be true of the file is dropped, and what depends on it goes with it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace aurion {

// The encoder's delay (samples before the input's first sample) and padding
// (samples after its last), as lame records them.
struct EncoderGap {
    uint32_t Delay = 0;
    uint32_t Padding = 0;
};

struct VbrHeader {
    // Audio frames after the header frame; 0 when not given or not plausible.
    uint32_t Frames = 0;
    // Bytes of the stream; 0 when not given or larger than the file.
    uint64_t Bytes = 0;
    // Xing: 100 entries, entry p is the byte position of p percent of the play time
    // in 1/256 of Bytes. VBRI: the byte length of each stretch of frames. Empty
    // when absent, not ascending (Xing), or without a plausible Bytes.
    std::vector<uint32_t> Toc;
    uint32_t FramesPerTocEntry = 0;  // VBRI only
    // Present only with a plausible frame count that leaves samples after trimming.
    std::optional<EncoderGap> Gap;
};

// frame: the first frame's bytes, header included; headerWord: its header;
// streamBytes: the file's bytes from this frame on. Nothing when the frame carries
// none of the records (then it is audio).
[[nodiscard]] std::optional<VbrHeader> ParseVbrHeader(std::span<const uint8_t> frame,
                                                      uint32_t headerWord, uint64_t streamBytes);

// Samples of one Layer III frame: 1152 for MPEG-1, 576 at the low sampling frequencies.
[[nodiscard]] uint32_t Layer3SamplesPerFrame(uint32_t headerWord);

}  // namespace aurion
