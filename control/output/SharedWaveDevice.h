// A session's wave-output device as two threads share it: the decoding thread's
// sink opens, writes to and closes it; the host's thread pauses and restarts it and
// reads and sets its volume. The host's calls and the sink's opening and closing
// are serialised here, so the host never reaches a device the sink has closed, and
// a pause made before the device is open takes effect the moment it opens.
//
// The sink waits here for its buffers instead of polling the device: every buffer
// the device finishes, and every Wake from the host's thread (after a stop or seek
// request), counts as a signal that ends a wait.
//
// It also keeps the clock of what has been heard: the sink tells it what each
// buffer it hands over holds, and the host's thread asks how many of the stream's
// frames the device has played since it was opened or last reset. After the sink
// has closed the device, the count stays where playing ended.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "control/output/PlaybackClock.h"
#include "platform/waveout/WaveOut.h"

namespace aurion {

class SharedWaveDevice {
public:
    SharedWaveDevice() = default;
    ~SharedWaveDevice();  // closes a device the sink left open
    SharedWaveDevice(const SharedWaveDevice&) = delete;
    SharedWaveDevice& operator=(const SharedWaveDevice&) = delete;

    // The host's thread.
    void Pause();
    void Restart();
    // The volume of the open device, or of device 0 while none is open. False when
    // the device refuses.
    [[nodiscard]] bool GetVolume(uint32_t& volume) const;
    [[nodiscard]] bool SetVolume(uint32_t volume);
    // The stream's sample frames heard since the device was opened or last reset.
    [[nodiscard]] uint64_t StreamFramesPlayed();

    // The sink. The handle is the sink's own until it closes it.
    [[nodiscard]] platform::MmResult Open(uint32_t device, const platform::WaveFormat& format);
    [[nodiscard]] platform::WaveOutHandle Handle() const;
    // What the buffer about to be written holds: see PlaybackClock::Queue.
    void Queue(uint32_t streamFrames, uint32_t deviceFrames);
    // Resets the device (queued buffers come back unplayed); the clock starts again.
    void Reset();
    // Closes the device, resetting it first should buffers still be queued.
    void Close();

    // The signals so far. Read it before looking at what is waited for, then wait
    // with it: a signal in between ends the wait at once.
    [[nodiscard]] uint64_t Signals() const;
    // Blocks until there has been a signal since `seen` was read.
    void WaitForSignal(uint64_t seen);
    // Any thread: ends the sink's wait, so that it looks at the session's requests.
    void Wake();

private:
    // Called with m_mutex held.
    [[nodiscard]] uint64_t PlayedByOpenDevice();

    mutable std::mutex m_mutex;
    platform::WaveOutHandle m_handle = nullptr;
    bool m_paused = false;
    PlaybackClock m_clock;
    uint64_t m_playedWhenClosed = 0;

    // Apart from m_mutex: the device signals with its own lock held.
    mutable std::mutex m_signalMutex;
    std::condition_variable m_signalled;
    uint64_t m_signals = 0;
};

}  // namespace aurion
