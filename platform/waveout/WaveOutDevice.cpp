#include "platform/waveout/WaveOutDevice.h"

#include <algorithm>
#include <chrono>

#include "platform/thread/TestHook.h"
#include "platform/waveout/PlayedPeak.h"
#include "platform/waveout/SampleVolume.h"

namespace platform {

namespace {

// How often the playback thread asks a backend that holds buffered audio what it has played.
constexpr auto PlayedPollInterval = std::chrono::milliseconds(5);

// Never destroyed: playback threads of devices left open at exit still settle.
TestHook<WaveOutIdle>& IdleHook() {
    static auto* hook = new TestHook<WaveOutIdle>;
    return *hook;
}

}  // namespace

void SetWaveOutIdleHook(std::function<void(WaveOutIdle why)> hook) {
    IdleHook().Set(std::move(hook));
}

WaveOutDevice::WaveOutDevice(std::unique_ptr<PcmBackend> backend, const WaveFormat& format,
                             std::shared_ptr<std::atomic<uint32_t>> volume,
                             std::function<void()> onDone)
    : m_backend(std::move(backend)),
      m_channels(format.Channels),
      m_periodBytes(std::max<uint32_t>(1, format.SamplesPerSec / m_backend->PeriodsPerSecond()) *
                    format.BlockAlign),
      m_volume(std::move(volume)),
      m_onDone(std::move(onDone)) {
    m_thread = std::thread([this] { Play(); });
}

WaveOutDevice::~WaveOutDevice() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_backend->Interrupt();
        m_changed.notify_all();
    }
    if (m_thread.joinable()) m_thread.join();
}

MmResult WaveOutDevice::Prepare(WaveHeader& header) {
    if (header.Data == nullptr || header.BufferLength == 0 ||
        header.BufferLength % (m_channels * 2) != 0)
        return MmResult::InvalidParameter;
    std::lock_guard lock(m_mutex);
    if ((header.Flags & WaveHeaderFlags::InQueue) != 0) return MmResult::StillPlaying;
    header.Flags = WaveHeaderFlags::Prepared;
    header.Internal = this;
    return MmResult::NoError;
}

MmResult WaveOutDevice::Write(WaveHeader& header) {
    std::lock_guard lock(m_mutex);
    if ((header.Flags & WaveHeaderFlags::Prepared) == 0 || header.Internal != this)
        return MmResult::Unprepared;
    if ((header.Flags & WaveHeaderFlags::InQueue) != 0) return MmResult::StillPlaying;
    if (header.Data == nullptr || header.BufferLength == 0 ||
        header.BufferLength % (m_channels * 2) != 0)
        return MmResult::InvalidParameter;
    if (m_closing) return MmResult::InvalidHandle;
    header.Flags = (header.Flags & ~WaveHeaderFlags::Done) | WaveHeaderFlags::InQueue;
    m_queue.push_back({&header, 0});
    m_changed.notify_all();
    return MmResult::NoError;
}

MmResult WaveOutDevice::Unprepare(WaveHeader& header) {
    std::lock_guard lock(m_mutex);
    if ((header.Flags & WaveHeaderFlags::Prepared) == 0) return MmResult::NoError;
    if (header.Internal != this) return MmResult::InvalidParameter;
    if ((header.Flags & WaveHeaderFlags::InQueue) != 0) return MmResult::StillPlaying;
    header.Flags &= ~WaveHeaderFlags::Prepared;
    header.Internal = nullptr;
    return MmResult::NoError;
}

MmResult WaveOutDevice::Pause() {
    std::lock_guard lock(m_mutex);
    if (m_closing) return MmResult::InvalidHandle;
    m_paused = true;
    m_backend->Interrupt();
    m_changed.notify_all();
    return MmResult::NoError;
}

MmResult WaveOutDevice::Restart() {
    std::lock_guard lock(m_mutex);
    if (m_closing) return MmResult::InvalidHandle;
    m_paused = false;
    m_changed.notify_all();
    return MmResult::NoError;
}

MmResult WaveOutDevice::Reset() {
    std::lock_guard lock(m_mutex);
    if (m_closing) return MmResult::InvalidHandle;
    for (QueuedBuffer& buffer : m_queue) {
        buffer.Header->Flags =
            (buffer.Header->Flags & ~WaveHeaderFlags::InQueue) | WaveHeaderFlags::Done;
    }
    const bool returned = !m_queue.empty();
    m_queue.clear();
    m_feedIndex = 0;
    m_feedOffset = 0;
    m_playedFrames = 0;
    m_paused = false;
    ++m_resets;
    m_backend->Interrupt();
    m_changed.notify_all();
    if (returned && m_onDone) m_onDone();
    return MmResult::NoError;
}

MmResult WaveOutDevice::Close() {
    {
        std::lock_guard lock(m_mutex);
        if (m_closing) return MmResult::InvalidHandle;
        if (!m_queue.empty()) return MmResult::StillPlaying;
        m_closing = true;
        m_backend->Interrupt();
        m_changed.notify_all();
    }
    m_thread.join();
    return MmResult::NoError;
}

void WaveOutDevice::Play() {
    std::unique_lock lock(m_mutex);
    uint64_t resetsSeen = 0;
    bool backendPaused = false;
    while (!m_closing) {
        // Cleared under the lock before the state is read: a later Pause, Reset or Close
        // interrupts the next Write.
        m_backend->ClearInterrupt();
        if (m_resets != resetsSeen) {
            resetsSeen = m_resets;
            backendPaused = false;
            m_fedFrames = 0;
            lock.unlock();
            m_backend->Drop();
            lock.lock();
            continue;
        }
        if (m_paused != backendPaused) {
            backendPaused = m_paused;
            lock.unlock();
            if (backendPaused)
                m_backend->Pause();
            else
                m_backend->Resume();
            lock.lock();
            continue;
        }
        if (m_paused) {
            IdleHook().Tell(WaveOutIdle::Paused);
            m_changed.wait(lock);
            continue;
        }
        if (m_feedIndex < m_queue.size()) {
            const WaveHeader& header = *m_queue[m_feedIndex].Header;
            const uint32_t bytes = std::min(m_periodBytes, header.BufferLength - m_feedOffset);
            // Copied under the lock: after a Reset the caller may free the buffer at once.
            CopyPeriod(header, bytes);
            lock.unlock();
            const uint32_t peak = ApplyVolume(m_period, m_channels, m_volume->load());
            const PcmBackend::WriteResult result = m_backend->Write(m_period);
            lock.lock();
            // An interrupted period is fed again; one taken before a Reset is dropped with it.
            if (result == PcmBackend::WriteResult::Interrupted || m_resets != resetsSeen) continue;
            RecordPlayedPeak(peak);
            m_fedFrames += bytes / (m_channels * 2);
            m_feedOffset += bytes;
            if (m_feedOffset == header.BufferLength) {
                m_queue[m_feedIndex].EndFrame = m_fedFrames;
                ++m_feedIndex;
                m_feedOffset = 0;
            }
            MarkPlayed();
            continue;
        }
        if (!m_queue.empty()) {
            // Everything is fed; the backend still holds some of it.
            MarkPlayed();
            if (!m_queue.empty()) m_changed.wait_for(lock, PlayedPollInterval);
            continue;
        }
        IdleHook().Tell(WaveOutIdle::Drained);
        m_changed.wait(lock);
    }
}

uint64_t WaveOutDevice::PlayedFrames() {
    std::lock_guard lock(m_mutex);
    return m_playedFrames;
}

// Called with the lock held, never between a Reset and the backend's Drop, so the
// position starts again from 0 after a reset.
void WaveOutDevice::MarkPlayed() {
    const uint64_t played = m_backend->PlayedFrames();
    m_playedFrames = played;
    bool done = false;
    while (m_feedIndex > 0 && m_queue.front().EndFrame <= played) {
        WaveHeader& header = *m_queue.front().Header;
        header.Flags = (header.Flags & ~WaveHeaderFlags::InQueue) | WaveHeaderFlags::Done;
        m_queue.pop_front();
        --m_feedIndex;
        done = true;
    }
    if (done && m_onDone) m_onDone();
}

void WaveOutDevice::CopyPeriod(const WaveHeader& header, uint32_t bytes) {
    m_period.resize(bytes / 2);
    const uint8_t* data = header.Data + m_feedOffset;
    for (size_t i = 0; i < m_period.size(); ++i) {
        m_period[i] =
            static_cast<int16_t>(static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8));
    }
}

}  // namespace platform
