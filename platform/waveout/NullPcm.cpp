#include "platform/waveout/NullPcm.h"

#include <array>

namespace platform {

namespace {

constexpr auto SlackBeforeRunningDry = std::chrono::milliseconds(20);

}  // namespace

NullPcm::NullPcm(uint32_t channels, uint32_t samplesPerSec, const std::string& capturePath)
    : m_channels(channels), m_samplesPerSec(samplesPerSec) {
    if (!capturePath.empty()) m_capture = std::fopen(capturePath.c_str(), "ab");
}

NullPcm::~NullPcm() {
    if (m_capture != nullptr) std::fclose(m_capture);
}

PcmBackend::WriteResult NullPcm::Write(std::span<const int16_t> samples) {
    const uint64_t frames = samples.size() / m_channels;
    std::unique_lock lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    // Like a device with a short buffer: frames that come a little late still follow on
    // the schedule, so it never drifts; after a longer gap (the device ran dry) it starts anew.
    if (now > m_due + SlackBeforeRunningDry) m_due = now;
    const auto deadline =
        m_due + std::chrono::nanoseconds(frames * 1'000'000'000 / m_samplesPerSec);
    if (m_interrupted.wait_until(lock, deadline, [this] { return m_interrupt; }))
        return WriteResult::Interrupted;
    m_due = deadline;
    m_played += frames;
    lock.unlock();
    Capture(samples);
    return WriteResult::Taken;
}

uint64_t NullPcm::PlayedFrames() {
    std::lock_guard lock(m_mutex);
    return m_played;
}

// Nothing is held back to discard; what was played counts from here on.
void NullPcm::Drop() {
    std::lock_guard lock(m_mutex);
    m_played = 0;
}

void NullPcm::Interrupt() {
    std::lock_guard lock(m_mutex);
    m_interrupt = true;
    m_interrupted.notify_all();
}

void NullPcm::ClearInterrupt() {
    std::lock_guard lock(m_mutex);
    m_interrupt = false;
}

void NullPcm::Capture(std::span<const int16_t> samples) {
    if (m_capture == nullptr) return;
    std::array<unsigned char, 2 * 1024> bytes;
    size_t filled = 0;
    for (int16_t sample : samples) {
        const auto value = static_cast<uint16_t>(sample);
        bytes[filled++] = static_cast<unsigned char>(value & 0xFF);
        bytes[filled++] = static_cast<unsigned char>(value >> 8);
        if (filled == bytes.size()) {
            std::fwrite(bytes.data(), 1, filled, m_capture);
            filled = 0;
        }
    }
    std::fwrite(bytes.data(), 1, filled, m_capture);
    // Readers watch the file grow while the device plays.
    std::fflush(m_capture);
}

}  // namespace platform
