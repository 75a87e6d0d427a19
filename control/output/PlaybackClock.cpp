#include "control/output/PlaybackClock.h"

#include <algorithm>

namespace aurion {

void PlaybackClock::Restart() {
    m_spans.clear();
    m_deviceQueued = 0;
    m_streamQueued = 0;
    m_streamPlayedThrough = 0;
}

void PlaybackClock::Queue(uint32_t streamFrames, uint32_t deviceFrames) {
    m_deviceQueued += deviceFrames;
    m_streamQueued += streamFrames;
    m_spans.push_back({m_deviceQueued, m_streamQueued, deviceFrames, streamFrames});
}

uint64_t PlaybackClock::StreamFramesPlayed(uint64_t deviceFrames) {
    while (!m_spans.empty() && m_spans.front().DeviceEnd <= deviceFrames) {
        m_streamPlayedThrough = m_spans.front().StreamEnd;
        m_spans.pop_front();
    }
    if (m_spans.empty()) return m_streamPlayedThrough;
    const Span& playing = m_spans.front();
    const uint64_t into = deviceFrames - (playing.DeviceEnd - playing.DeviceFrames);
    // Within a buffer the stream's frames are spread evenly over the device's (a
    // span of silence holds none). DeviceFrames is not 0: the span ends beyond the
    // count, and so beyond the span before it.
    const uint64_t stream = into * playing.StreamFrames / playing.DeviceFrames;
    return m_streamPlayedThrough + std::min<uint64_t>(stream, playing.StreamFrames);
}

}  // namespace aurion
