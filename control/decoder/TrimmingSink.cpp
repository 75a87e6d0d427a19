#include "control/decoder/TrimmingSink.h"

#include <algorithm>
#include <cstddef>

namespace aurion {

TrimmingSink::TrimmingSink(SampleSink& target, uint32_t samplesPerFrame, uint64_t keepFrom,
                           uint64_t keepTo)
    : m_target(target),
      m_samplesPerFrame(samplesPerFrame),
      m_keepFrom(keepFrom),
      m_keepTo(keepTo) {}

void TrimmingSink::StartFrame(int32_t frame) {
    const uint64_t first =
        frame > 0 ? uint64_t{m_samplesPerFrame} * static_cast<uint64_t>(frame) : 0;
    m_next = {first, first};
    m_kept = false;
    m_dropped = false;
}

void TrimmingSink::Append(int channel, int16_t sample) {
    uint64_t& next = m_next[static_cast<size_t>(channel & 1)];
    if (next >= m_keepFrom && next < m_keepTo) {
        m_target.Append(channel, sample);
        m_kept = true;
    } else {
        m_dropped = true;
    }
    ++next;
}

void TrimmingSink::AppendBlock(int channel, const int16_t* samples, size_t count) {
    uint64_t& next = m_next[static_cast<size_t>(channel & 1)];
    const uint64_t first = next;
    const uint64_t end = first + count;
    const uint64_t from = std::max(first, m_keepFrom);
    const uint64_t to = std::min(end, m_keepTo);
    if (from < to) {
        m_target.AppendBlock(channel, samples + (from - first), static_cast<size_t>(to - from));
        m_kept = true;
    }
    if (count != 0 && (from >= to || from > first || to < end)) {
        m_dropped = true;
    }
    next = end;
}

void TrimmingSink::WriteBuffer() {
    if (!m_kept) {
        return;
    }
    if (m_dropped) {
        m_target.WritePartialBuffer();
    } else {
        m_target.WriteBuffer();
    }
    m_kept = false;
    m_dropped = false;
}

}  // namespace aurion
