#include "control/output/SharedWaveDevice.h"

#include <chrono>

namespace aurion {

using platform::MmResult;

SharedWaveDevice::~SharedWaveDevice() { Close(); }

void SharedWaveDevice::Pause() {
    std::lock_guard hold(m_mutex);
    m_paused = true;
    if (m_handle) platform::WaveOutPause(m_handle);
}

void SharedWaveDevice::Restart() {
    std::lock_guard hold(m_mutex);
    m_paused = false;
    if (m_handle) platform::WaveOutRestart(m_handle);
}

bool SharedWaveDevice::GetVolume(uint32_t& volume) const {
    std::lock_guard hold(m_mutex);
    const MmResult result = m_handle ? platform::WaveOutGetVolume(m_handle, volume)
                                     : platform::WaveOutGetDeviceVolume(0, volume);
    return result == MmResult::NoError;
}

bool SharedWaveDevice::SetVolume(uint32_t volume) {
    std::lock_guard hold(m_mutex);
    const MmResult result = m_handle ? platform::WaveOutSetVolume(m_handle, volume)
                                     : platform::WaveOutSetDeviceVolume(0, volume);
    return result == MmResult::NoError;
}

uint64_t SharedWaveDevice::StreamFramesPlayed() {
    std::lock_guard hold(m_mutex);
    return m_handle ? PlayedByOpenDevice() : m_playedWhenClosed;
}

uint64_t SharedWaveDevice::PlayedByOpenDevice() {
    uint64_t deviceFrames = 0;
    if (platform::WaveOutGetPosition(m_handle, deviceFrames) != MmResult::NoError) return 0;
    return m_clock.StreamFramesPlayed(deviceFrames);
}

MmResult SharedWaveDevice::Open(uint32_t device, const platform::WaveFormat& format) {
    std::lock_guard hold(m_mutex);
    if (m_handle) return MmResult::Error;
    platform::WaveOutHandle handle = nullptr;
    const MmResult result = platform::WaveOutOpen(handle, device, format, [this] { Wake(); });
    if (result != MmResult::NoError) return result;
    m_handle = handle;
    m_clock.Restart();
    m_playedWhenClosed = 0;
    if (m_paused) platform::WaveOutPause(m_handle);
    return MmResult::NoError;
}

platform::WaveOutHandle SharedWaveDevice::Handle() const {
    std::lock_guard hold(m_mutex);
    return m_handle;
}

void SharedWaveDevice::Queue(uint32_t streamFrames, uint32_t deviceFrames) {
    std::lock_guard hold(m_mutex);
    m_clock.Queue(streamFrames, deviceFrames);
}

void SharedWaveDevice::Reset() {
    std::lock_guard hold(m_mutex);
    if (!m_handle) return;
    platform::WaveOutReset(m_handle);
    m_clock.Restart();
}

void SharedWaveDevice::Close() {
    platform::WaveOutHandle handle = nullptr;
    {
        std::lock_guard hold(m_mutex);
        if (m_handle) m_playedWhenClosed = PlayedByOpenDevice();
        handle = m_handle;
        m_handle = nullptr;
    }
    if (!handle) return;
    while (platform::WaveOutClose(handle) == MmResult::StillPlaying) {
        platform::WaveOutReset(handle);
    }
}

uint64_t SharedWaveDevice::Signals() const {
    std::lock_guard hold(m_signalMutex);
    return m_signals;
}

// A safety net only: every way a wait can end is signalled.
void SharedWaveDevice::WaitForSignal(uint64_t seen) {
    constexpr auto Longest = std::chrono::milliseconds(500);
    std::unique_lock hold(m_signalMutex);
    m_signalled.wait_for(hold, Longest, [&] { return m_signals != seen; });
}

void SharedWaveDevice::Wake() {
    std::lock_guard hold(m_signalMutex);
    ++m_signals;
    m_signalled.notify_all();
}

}  // namespace aurion
