// How far the decoding thread has read its stream, for a length estimate that gets
// better as the stream is read: without a header frame that gives the frame count,
// the control's FrameCount comes from the first frame's size alone, which can be far
// off for a stream of changing bit rates. The frames read in order from the start
// and the bytes they took, scaled to the stream's bytes, estimate it instead. The
// decoding thread records; the host's thread estimates.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

namespace aurion {

class FrameStream;

class ReadProgress {
public:
    // After a frame has been read: counts it when it is the furthest frame read yet.
    void Record(const FrameStream& stream);
    // The stream's frames as the frames read so far suggest; nothing before the
    // first record.
    [[nodiscard]] std::optional<int32_t> EstimatedFrames() const;

private:
    mutable std::mutex m_mutex;
    int32_t m_frames = 0;
    uint64_t m_bytes = 0;        // the stream's bytes up to the end of the furthest frame
    uint64_t m_streamBytes = 0;  // from the first frame to the end of the file
};

}  // namespace aurion
