// Counts the moments a wave-output device's playback thread settles with nothing it
// may play, for tests that must know a pause or a reset has taken hold before they
// look at what was heard: from then on nothing more is heard until the device is
// restarted or written to. One at a time per process.
//
//     WaveOutIdleWatch idle;
//     const int seen = idle.Paused();
//     WaveOutPause(handle);
//     ASSERT_TRUE(idle.WaitForPaused(seen));
#pragma once

#include <atomic>

#include "platform/waveout/WaveOut.h"
#include "tests/support/Eventually.h"

namespace platform::test {

class WaveOutIdleWatch {
public:
    WaveOutIdleWatch() {
        SetWaveOutIdleHook(
            [this](WaveOutIdle why) { ++(why == WaveOutIdle::Paused ? m_paused : m_drained); });
    }
    ~WaveOutIdleWatch() { SetWaveOutIdleHook({}); }
    WaveOutIdleWatch(const WaveOutIdleWatch&) = delete;
    WaveOutIdleWatch& operator=(const WaveOutIdleWatch&) = delete;

    [[nodiscard]] int Paused() const { return m_paused.load(); }
    [[nodiscard]] int Drained() const { return m_drained.load(); }

    // True once the playback thread has settled paused (drained) again after `seen`
    // was read from Paused() (Drained()).
    bool WaitForPaused(int seen) {
        return Eventually([&] { return m_paused.load() > seen; });
    }
    bool WaitForDrained(int seen) {
        return Eventually([&] { return m_drained.load() > seen; });
    }

private:
    std::atomic<int> m_paused{0};
    std::atomic<int> m_drained{0};
};

}  // namespace platform::test
