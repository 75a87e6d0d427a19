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

// Never destroyed: playback threads of devices left open at exit still record.
struct PeakStore {
    std::mutex Guard;
    std::deque<PeakRecord> Peaks;  // oldest first, none older than the meter's window

    void DropOld(Clock::time_point now) {
        while (!Peaks.empty() && now - Peaks.front().Time > MeterWindow) Peaks.pop_front();
    }
};

PeakStore& Store() {
    static auto* store = new PeakStore;
    return *store;
}

}  // namespace

void RecordPlayedPeak(uint32_t peak) {
    const auto now = Clock::now();
    PeakStore& store = Store();
    std::lock_guard lock(store.Guard);
    store.DropOld(now);
    store.Peaks.push_back({now, peak});
}

uint32_t RecentPlayedPeak() {
    const auto now = Clock::now();
    PeakStore& store = Store();
    std::lock_guard lock(store.Guard);
    store.DropOld(now);
    uint32_t peak = 0;
    for (const PeakRecord& record : store.Peaks) peak = std::max(peak, record.Peak);
    return peak;
}

}  // namespace platform
