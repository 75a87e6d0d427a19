#include "control/player/PlaybackSession.h"

#include <algorithm>
#include <cstdint>

#include "control/player/DecodeThread.h"
#include "control/player/MutexNames.h"
#include "platform/thread/NamedMutexLock.h"

namespace aurion {

PlaybackSession::PlaybackSession()
    : m_context(std::make_unique<DecodeContext>(GenerateMutexName(), GenerateMutexName())) {
    m_context->Device = &m_device;
}

PlaybackSession::~PlaybackSession() {
    if (m_worker && m_worker->IsResumed()) {
        RequestStop();
        m_worker->Join();
    } else {
        ReleasePause(false);
    }
    m_worker.reset();
    m_context.reset();
}

bool PlaybackSession::CreateWorker() {
    DecodeContext* context = m_context.get();
    m_worker = platform::Thread::CreateSuspended([context] { RunDecodeThread(*context); });
    if (!m_worker) return false;
    if (context->HighPriority) m_worker->SetHighestPriority();
    return true;
}

bool PlaybackSession::ResumeWorker() {
    if (!m_worker || !m_worker->Resume()) return false;
    m_started = true;
    m_playing = true;
    return true;
}

bool PlaybackSession::TogglePause() {
    platform::NamedMutexLock hold(m_context->Lock);
    if (m_paused) {
        m_paused = false;
        m_playing = true;
        m_device.Restart();
        m_context->PauseGate.Release();
        return false;
    }
    m_paused = true;
    m_playing = false;
    m_device.Pause();
    m_context->PauseGate.Wait();
    return true;
}

void PlaybackSession::EndPause() { ReleasePause(true); }

void PlaybackSession::ReleasePause(bool restartDevice) {
    if (!m_paused) return;
    platform::NamedMutexLock hold(m_context->Lock);
    m_paused = false;
    m_playing = true;
    if (restartDevice) m_device.Restart();
    m_context->PauseGate.Release();
}

void PlaybackSession::RequestStop() {
    {
        platform::NamedMutexLock hold(m_context->Lock);
        m_context->StopRequest = true;
    }
    m_device.Wake();
    ReleasePause(false);
}

void PlaybackSession::RequestSeek(int32_t target) {
    m_heardFrom = target;
    m_seekUnderway = true;
    platform::NamedMutexLock hold(m_context->Lock);
    m_context->SeekRequest = true;
    m_context->SeekTarget = target;
    m_device.Wake();
}

void PlaybackSession::RequestRange(int32_t from, int32_t to) {
    m_heardFrom = from;
    m_seekUnderway = true;
    platform::NamedMutexLock hold(m_context->Lock);
    m_context->SeekRequest = true;
    m_context->SeekTarget = from;
    m_context->StopFrame = to;
    m_device.Wake();
}

void PlaybackSession::SetNotifyCadence(uint16_t cadence) {
    platform::NamedMutexLock hold(m_context->Lock);
    m_context->NotifyCadence = cadence;
}

void PlaybackSession::SetSpeed(int32_t percent) {
    m_context->SpeedPercent = std::clamp(percent, MinSpeedPercent, MaxSpeedPercent);
}

void PlaybackSession::JoinWorker() {
    if (m_worker) m_worker->Join();
}

int32_t PlaybackSession::PlayedFrame(uint32_t samplesPerFrame) {
    if (m_seekUnderway || samplesPerFrame == 0) return m_heardFrom;
    const uint64_t frames = m_device.StreamFramesPlayed() / samplesPerFrame;
    const int64_t played = int64_t{m_heardFrom} + static_cast<int64_t>(frames);
    return static_cast<int32_t>(std::min<int64_t>(played, INT32_MAX));
}

void PlaybackSession::SeekDone() {
    m_landingPending = m_seekUnderway;
    m_seekUnderway = false;
}

void PlaybackSession::FrameReached(int32_t frame) {
    m_lastFrameReached = frame;
    if (!m_landingPending) return;
    m_landingPending = false;
    m_heardFrom = frame;
}

}  // namespace aurion
