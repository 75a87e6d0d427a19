#include "platform/waveout/PlayedPeak.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto MeterWindow = std::chrono::milliseconds(50);

struct PeakRecord {
    Clock::time_point Time;
    uint32_t Peak;
};

std::mutex PeaksGuard;
std::deque<PeakRecord> Peaks;  // oldest first, none older than the meter's window

void DropOldPeaks(Clock::time_point now) {
    while (!Peaks.empty() && now - Peaks.front().Time > MeterWindow) Peaks.pop_front();
}

}  // namespace

void RecordPlayedPeak(uint32_t peak) {
    const auto now = Clock::now();
    std::lock_guard lock(PeaksGuard);
    DropOldPeaks(now);
    Peaks.push_back({now, peak});
}

uint32_t RecentPlayedPeak() {
    const auto now = Clock::now();
    std::lock_guard lock(PeaksGuard);
    DropOldPeaks(now);
    uint32_t peak = 0;
    for (const PeakRecord& record : Peaks) peak = std::max(peak, record.Peak);
    return peak;
}

}  // namespace platform
