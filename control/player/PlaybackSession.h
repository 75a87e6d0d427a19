// One opened file: the decoding thread (created suspended by Open), the
// DecodeContext it shares with the control, and the wave-output device that both
// reach. The control's thread makes every request here under the context's lock;
// the worker answers only by posting messages. The paused state is the host's
// thread's own: the worker only meets the pause gate, and never holds the lock
// while it waits for the device, so no request here waits for the device.
// Destroying a session never leaves its worker running: a resumed worker is asked
// to stop, let out of a pause and joined before the context goes.
#pragma once

#include <cstdint>
#include <memory>

#include "control/output/SharedWaveDevice.h"
#include "control/player/DecodeContext.h"
#include "platform/thread/Thread.h"

namespace aurion {

inline constexpr int32_t MinSpeedPercent = 50;
inline constexpr int32_t MaxSpeedPercent = 1000;

class PlaybackSession {
public:
    // A context with freshly named mutexes and every request field at its start value.
    PlaybackSession();
    ~PlaybackSession();
    PlaybackSession(const PlaybackSession&) = delete;
    PlaybackSession& operator=(const PlaybackSession&) = delete;

    [[nodiscard]] DecodeContext& Context() { return *m_context; }
    [[nodiscard]] const DecodeContext& Context() const { return *m_context; }

    // Creates the suspended worker that runs RunDecodeThread on the context, at the
    // highest priority when the context asks for it. False when no thread can be made.
    bool CreateWorker();
    // Lets the worker run (Play, PlayFromTo); false when it cannot be resumed.
    bool ResumeWorker();

    [[nodiscard]] bool Started() const { return m_started; }
    [[nodiscard]] bool Playing() const { return m_playing; }
    [[nodiscard]] bool Paused() const { return m_paused; }
    [[nodiscard]] SharedWaveDevice& Device() { return m_device; }

    // Pause as a toggle: true when the session is paused afterwards. Pausing pauses the
    // device and takes the pause gate (waiting until the worker lets go of it), and
    // keeps it on this thread.
    bool TogglePause();
    // Ends a pause: restarts the device, then releases the gate. Nothing when not paused.
    void EndPause();
    // Also ends a pause, so that a paused worker sees the request; the device stays
    // paused, since the worker's stop drops what it holds.
    void RequestStop();
    void RequestSeek(int32_t target);
    // The range request of PlayFromTo: seek to `from`, stop at `to` (0: none).
    void RequestRange(int32_t from, int32_t to);
    void SetNotifyCadence(uint16_t cadence);
    // Clamped to 50..1000.
    void SetSpeed(int32_t percent);

    // Waits for a resumed worker to end (after its MSG_THREADENDED).
    void JoinWorker();

    // What is heard. The frame the device is playing: where playing started (the
    // start, or where the last seek landed) plus what the device has played since;
    // while a seek is under way, its target, so that it never shows the audio the
    // seek drops. The two below come from the worker's messages, in their order.
    [[nodiscard]] int32_t PlayedFrame(uint32_t samplesPerFrame);
    // MSG_SEEKDONE: the device has been reset for the seek.
    void SeekDone();
    // MSG_ACTFRAME: after a seek, the frame it landed on.
    void FrameReached(int32_t frame);
    // The frame of the last MSG_ACTFRAME (0 before the first).
    [[nodiscard]] int32_t LastFrameReached() const { return m_lastFrameReached; }

private:
    void ReleasePause(bool restartDevice);

    SharedWaveDevice m_device;  // outlives the context and the worker
    std::unique_ptr<DecodeContext> m_context;
    std::unique_ptr<platform::Thread> m_worker;
    bool m_started = false;
    bool m_playing = false;
    bool m_paused = false;
    int32_t m_heardFrom = 0;
    int32_t m_lastFrameReached = 0;
    bool m_seekUnderway = false;
    bool m_landingPending = false;
};

}  // namespace aurion
