#include "control/player/ReadProgress.h"

#include <algorithm>
#include <limits>

#include "control/decoder/stream/FrameStream.h"

namespace aurion {

void ReadProgress::Record(const FrameStream& stream) {
    // A frame read again after a backward seek tells nothing new.
    if (stream.CurrentFrame() < 0 || stream.CurrentFrame() != stream.HighestFrame()) return;
    const uint64_t first = stream.FirstFrameOffset();
    const uint64_t end = std::max<uint64_t>(stream.Position(), first);
    std::lock_guard hold(m_mutex);
    m_frames = stream.HighestFrame() + 1;
    m_bytes = end - first;
    m_streamBytes = std::max<uint64_t>(stream.FileSize(), end) - first;
}

std::optional<int32_t> ReadProgress::EstimatedFrames() const {
    std::lock_guard hold(m_mutex);
    if (m_frames <= 0 || m_bytes == 0) return std::nullopt;
    const double scaled = static_cast<double>(m_frames) * static_cast<double>(m_streamBytes) /
                          static_cast<double>(m_bytes);
    const double limit = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(scaled + 0.5, static_cast<double>(m_frames), limit));
}

}  // namespace aurion
