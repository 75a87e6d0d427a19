#include "control/decoder/stream/TocMap.h"

#include <algorithm>
#include <limits>

namespace aurion {

namespace {

constexpr uint64_t XingTocScale = 256;

}  // namespace

std::optional<TocMap> TocMap::Make(const VbrHeader& vbr, uint64_t headerFrameStart,
                                   uint64_t firstFrameStart, uint64_t fileSize) {
    if (vbr.Toc.empty() || vbr.Frames == 0 || vbr.Bytes == 0 ||
        firstFrameStart < headerFrameStart) {
        return std::nullopt;
    }
    const uint64_t streamEnd = headerFrameStart + vbr.Bytes;
    std::vector<Point> points;
    if (vbr.FramesPerTocEntry == 0) {
        // Xing: entry p is p percent of the play time.
        const uint64_t entries = vbr.Toc.size();
        for (uint64_t p = 0; p < entries; ++p) {
            const uint64_t offset = headerFrameStart + vbr.Toc[p] * vbr.Bytes / XingTocScale;
            points.push_back({std::max(offset, firstFrameStart),
                              static_cast<uint32_t>(p * vbr.Frames / entries)});
        }
    } else {
        // VBRI: stretch k starts FramesPerTocEntry * k frames in. Stretches beyond
        // the frame count are the table's own rounding and are left out.
        uint64_t offset = firstFrameStart;
        uint64_t frame = 0;
        for (const uint32_t length : vbr.Toc) {
            if (frame >= vbr.Frames) break;
            points.push_back({offset, static_cast<uint32_t>(frame)});
            offset += length;
            frame += vbr.FramesPerTocEntry;
        }
    }
    points.push_back({streamEnd, vbr.Frames});
    for (size_t i = 1; i < points.size(); ++i) {
        if (points[i].Offset < points[i - 1].Offset || points[i].Frame < points[i - 1].Frame) {
            return std::nullopt;
        }
    }
    if (points.back().Offset > fileSize) {
        return std::nullopt;
    }
    return TocMap(std::move(points));
}

uint64_t TocMap::OffsetOfFrame(int32_t frame) const {
    const auto target = static_cast<uint32_t>(std::max(frame, 0));
    // The last point at or before the target; the one after bounds the stretch.
    auto after = std::upper_bound(m_points.begin(), m_points.end(), target,
                                  [](uint32_t f, const Point& point) { return f < point.Frame; });
    if (after == m_points.end()) {
        return m_points.back().Offset;
    }
    const Point& high = *after;
    const Point& low = *(after == m_points.begin() ? after : after - 1);
    if (high.Frame == low.Frame) {
        return low.Offset;
    }
    return low.Offset +
           (high.Offset - low.Offset) * (target - low.Frame) / (high.Frame - low.Frame);
}

int32_t TocMap::FrameAtOffset(uint64_t offset) const {
    auto after = std::upper_bound(m_points.begin(), m_points.end(), offset,
                                  [](uint64_t o, const Point& point) { return o < point.Offset; });
    uint64_t frame = m_points.back().Frame;
    if (after != m_points.end()) {
        const Point& high = *after;
        const Point& low = *(after == m_points.begin() ? after : after - 1);
        frame = low.Frame;
        if (high.Offset != low.Offset && offset > low.Offset) {
            frame += uint64_t{high.Frame - low.Frame} * (offset - low.Offset) /
                     (high.Offset - low.Offset);
        }
    }
    return static_cast<int32_t>(std::min<uint64_t>(frame, std::numeric_limits<int32_t>::max()));
}

}  // namespace aurion
