// An open wave-output device: the queue of written buffers and the playback thread
// that feeds them to the backend in periods of the backend's choosing (10 ms for
// ALSA, 40 ms for the null device, whose waits are interrupted at once). A buffer is done when
// the backend has played its last frame, or at once when the device is reset.
// Pause, Reset and Close interrupt the backend, so they act within about a period;
// a period that was interrupted is played again whole, so nothing is lost or
// repeated across a pause.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/waveout/PcmBackend.h"
#include "platform/waveout/WaveOut.h"

namespace platform {

class WaveOutDevice {
public:
    // Starts the playback thread; `volume` is the device's volume, shared with its
    // number; `onDone` (may be empty) is told whenever buffers have become done.
    WaveOutDevice(std::unique_ptr<PcmBackend> backend, const WaveFormat& format,
                  std::shared_ptr<std::atomic<uint32_t>> volume, std::function<void()> onDone = {});
    ~WaveOutDevice();

    WaveOutDevice(const WaveOutDevice&) = delete;
    WaveOutDevice& operator=(const WaveOutDevice&) = delete;

    MmResult Prepare(WaveHeader& header);
    MmResult Write(WaveHeader& header);
    MmResult Unprepare(WaveHeader& header);
    MmResult Pause();
    MmResult Restart();
    MmResult Reset();
    // StillPlaying while buffers are queued; otherwise ends the playback thread.
    MmResult Close();

    // Frames played since the device was opened or last reset.
    [[nodiscard]] uint64_t PlayedFrames();

    [[nodiscard]] uint32_t Volume() const { return m_volume->load(); }
    void SetVolume(uint32_t volume) { m_volume->store(volume); }

private:
    struct QueuedBuffer {
        WaveHeader* Header;
        uint64_t EndFrame;  // the frame count after its last frame; valid once fully fed
    };

    void Play();
    void MarkPlayed();
    void CopyPeriod(const WaveHeader& header, uint32_t bytes);

    const std::unique_ptr<PcmBackend> m_backend;
    const uint32_t m_channels;
    const uint32_t m_periodBytes;
    const std::shared_ptr<std::atomic<uint32_t>> m_volume;
    const std::function<void()> m_onDone;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QueuedBuffer> m_queue;
    size_t m_feedIndex = 0;       // the first queued buffer not yet fed completely
    uint32_t m_feedOffset = 0;    // bytes of it fed so far
    uint64_t m_fedFrames = 0;     // frames the backend took since it was last dropped
    uint64_t m_playedFrames = 0;  // what the backend last said it had played; 0 after a reset
    uint64_t m_resets = 0;
    bool m_paused = false;
    bool m_closing = false;
    std::vector<int16_t> m_period;  // the playback thread's copy of the period it plays
    std::thread m_thread;
};

}  // namespace platform
