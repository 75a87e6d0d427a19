// A header frame's table of contents as a map between frames and file offsets,
// for far seeks in a variable-bit-rate file: the offset to start reading from for
// a frame, and the frame that a header found at some offset most likely is. Both
// interpolate linearly between the table's points. Xing tables give the byte
// position of each percent of the play time (in 1/256 of the stream's bytes, from
// the header frame's start); VBRI tables give the byte length of each stretch of
// frames (from the first audio frame). A table that does not rise with the frames
// or reaches past the file gives no map.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "control/decoder/stream/VbrHeader.h"

namespace aurion {

class TocMap {
public:
    // headerFrameStart: the header frame's file offset; firstFrameStart: the first
    // audio frame's; fileSize: the file's bytes. Nothing without a table, without a
    // plausible frame count, or when the table cannot be true of the file.
    [[nodiscard]] static std::optional<TocMap> Make(const VbrHeader& vbr, uint64_t headerFrameStart,
                                                    uint64_t firstFrameStart, uint64_t fileSize);

    // The file offset where the table places `frame` (clamped to the audio frames).
    [[nodiscard]] uint64_t OffsetOfFrame(int32_t frame) const;
    // The frame the table places at `offset`: the inverse of OffsetOfFrame.
    [[nodiscard]] int32_t FrameAtOffset(uint64_t offset) const;

private:
    struct Point {
        uint64_t Offset;
        uint32_t Frame;
    };
    explicit TocMap(std::vector<Point> points) : m_points(std::move(points)) {}

    std::vector<Point> m_points;  // rising in both offset and frame, at least two
};

}  // namespace aurion
