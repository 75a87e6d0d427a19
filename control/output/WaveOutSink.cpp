#include "control/output/WaveOutSink.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "control/output/InterleavedSamples.h"

namespace aurion {

namespace {

using platform::MmResult;

// The rest the sink takes after closing its device, before the session goes on.
constexpr std::chrono::milliseconds AfterClose{20};
constexpr int32_t NormalSpeed = 100;
// Buffers are allocated with room for the longest speed transform, once per session.
constexpr uint32_t AllocationFactor = 10;

uint32_t AllocationBytes(uint32_t nominal, int32_t speed) {
    uint32_t bytes = nominal * AllocationFactor;
    if (speed > NormalSpeed) {
        const auto scaled = static_cast<uint32_t>(static_cast<double>(speed) * 0.011 *
                                                  static_cast<double>(nominal));
        bytes = std::max(bytes, scaled);
        bytes = (bytes + 3) & ~3u;
    }
    return bytes;
}

}  // namespace

uint32_t WaveOutSink::SpeedInterval(int32_t percent) {
    if (percent < NormalSpeed) return static_cast<uint32_t>(100 / (100 - percent)) * 2;
    if (percent > NormalSpeed) return static_cast<uint32_t>(100 / (percent - 100)) * 2 + 2;
    return 0;
}

size_t WaveOutSink::TransformSpeed(int16_t* values, size_t count, int16_t* scratch, size_t capacity,
                                   int32_t percent) {
    const uint32_t interval = SpeedInterval(percent);
    if (interval == 0) return count;
    size_t out = 0;
    if (percent < NormalSpeed) {
        // Drops values i and i + 1 at every multiple of the interval (even, so whole
        // stereo frames); never reads past `count`.
        for (size_t i = 0; i < count;) {
            values[out] = values[i];
            if (i % interval == 0) {
                i += 2;
            } else {
                ++out;
                ++i;
            }
        }
    } else {
        for (size_t i = 0; i < count && out + 3 <= capacity; ++i) {
            scratch[out++] = values[i];
            if (i > 0 && i % interval == 0) {
                scratch[out++] = values[i - 1];
                scratch[out++] = values[i];
            }
        }
        std::memcpy(values, scratch, out * sizeof(int16_t));
    }
    return out & ~size_t{1};
}

WaveOutSink::WaveOutSink(int channels, const WaveOutView& view, uint32_t sampleRate,
                         uint32_t frameBytes, OutputFailureReport& report)
    : m_channels(std::clamp(channels, 1, 2)),
      m_view(view),
      m_report(report),
      m_nominalBytes(frameBytes * FramesPerBuffer),
      m_fillBytes(m_nominalBytes + frameBytes),
      m_allocationBytes(AllocationBytes(m_nominalBytes, view.SpeedPercent.load())),
      m_speed(view.SpeedPercent.load()) {
    platform::WaveFormat format;
    format.Channels = static_cast<uint16_t>(m_channels);
    format.SamplesPerSec = sampleRate;
    format.BlockAlign = static_cast<uint16_t>(m_channels * 2);
    format.AvgBytesPerSec = sampleRate * format.BlockAlign;
    if (m_view.Device.Open(m_view.DeviceNumber, format) != MmResult::NoError) {
        m_failed = true;
        m_report.Report(OutputFailure::WaveOutOpen);
        return;
    }
    m_open = true;
    for (size_t i = 0; i < m_buffers.size(); ++i) {
        Buffer& buffer = m_buffers[i];
        buffer.Data.assign(m_allocationBytes, 0);
        buffer.Header.Data = buffer.Data.data();
        buffer.Header.BufferLength = m_nominalBytes;
        m_ring[i] = &buffer;
    }
    m_scratch.resize(m_allocationBytes / 2);
    m_carry.reserve(frameBytes);
    ResetPositions();
}

WaveOutSink::~WaveOutSink() {
    if (!m_open) return;
    if (m_abort) {
        m_view.Device.Reset();
    } else {
        if (m_stage == 1)
            Submit(*m_ring[0], true, m_nominalBytes);  // the first buffer, still held back
        if (m_position[0] != 0 && !m_ring[2]->Submitted) {
            // The partly filled buffer goes out padded with silence. The lowest write
            // position is where the unwritten part begins.
            Buffer& last = *m_ring[2];
            const uint32_t from =
                std::min({m_position[0], m_position[m_channels - 1], m_allocationBytes});
            std::fill(last.Data.begin() + from, last.Data.end(), 0);
            Submit(last, false, std::min(from, m_nominalBytes));
            Rotate();
        }
    }
    for (int slot = 2; slot >= 0; --slot) {
        Buffer& buffer = *m_ring[static_cast<size_t>(slot)];
        if (buffer.Submitted && !WaitUntilPlayed(buffer, false)) {
            // Stop while playing out: drop what is queued.
            m_view.Device.Reset();
            WaitUntilPlayed(buffer, false);
        }
    }
    m_view.Device.Close();
    std::this_thread::sleep_for(AfterClose);
}

void WaveOutSink::ResetPositions() {
    for (size_t c = 0; c < m_position.size(); ++c) m_position[c] = static_cast<uint32_t>(2 * c);
}

void WaveOutSink::Append(int channel, int16_t sample) { AppendBlock(channel, &sample, 1); }

void WaveOutSink::AppendBlock(int channel, const int16_t* samples, size_t count) {
    // A buffer still queued after a stop or seek is not written until the worker
    // has reset the device.
    if (!m_open || channel < 0 || channel >= m_channels || m_ring[2]->Submitted) return;
    uint32_t& position = m_position[static_cast<size_t>(channel)];
    // Never more than one frame past the buffer's nominal end.
    position = StoreInterleaved(m_ring[2]->Data.data(), m_fillBytes, position,
                                static_cast<uint32_t>(m_channels) * 2, samples, count);
}

void WaveOutSink::Rotate() {
    // Slot 0 takes slot 2, slot 1 takes slot 0, slot 2 takes slot 1.
    m_ring = {m_ring[2], m_ring[0], m_ring[1]};
}

// A buffer's length is set only here, never while the device may be reading it.
void WaveOutSink::Submit(Buffer& buffer, bool transform, uint32_t streamBytes) {
    buffer.Header.BufferLength = m_nominalBytes;
    if (transform && m_speed != NormalSpeed) {
        auto* values = reinterpret_cast<int16_t*>(buffer.Data.data());
        const size_t count =
            TransformSpeed(values, m_nominalBytes / 2, m_scratch.data(),
                           std::min(m_scratch.size(), buffer.Data.size() / 2), m_speed);
        buffer.Header.BufferLength = static_cast<uint32_t>(count * 2);
    }
    // The stream's samples come first; silence pads a short one.
    const auto blockAlign = static_cast<uint32_t>(m_channels) * 2;
    const uint32_t streamFrames = streamBytes / blockAlign;
    const uint32_t deviceFrames = buffer.Header.BufferLength / blockAlign;
    if (transform || streamFrames >= deviceFrames) {
        m_view.Device.Queue(streamFrames, deviceFrames);
    } else {
        m_view.Device.Queue(streamFrames, streamFrames);
        m_view.Device.Queue(0, deviceFrames - streamFrames);
    }
    const platform::WaveOutHandle device = m_view.Device.Handle();
    platform::WaveOutPrepareHeader(device, buffer.Header);
    platform::WaveOutWrite(device, buffer.Header);
    buffer.Submitted = true;
}

bool WaveOutSink::Interrupted(bool watchSeek) const {
    return m_view.StopRequest.load() || (watchSeek && m_view.SeekRequest.load());
}

bool WaveOutSink::WaitUntilPlayed(Buffer& buffer, bool watchSeek) {
    const platform::WaveOutHandle device = m_view.Device.Handle();
    for (;;) {
        const uint64_t signals = m_view.Device.Signals();
        if (platform::WaveOutUnprepareHeader(device, buffer.Header) != MmResult::StillPlaying) {
            break;
        }
        if (Interrupted(watchSeek)) return false;
        m_view.Device.WaitForSignal(signals);
    }
    buffer.Submitted = false;
    return true;
}

void WaveOutSink::PlaceCarry() {
    Buffer& next = *m_ring[2];
    if (m_carry.empty() || next.Submitted) return;  // a stop or seek drops it
    std::memcpy(next.Data.data(), m_carry.data(), m_carry.size());
    for (uint32_t& position : m_position) position += static_cast<uint32_t>(m_carry.size());
}

// Channel 0's position is the number of bytes the buffer holds.
void WaveOutSink::WriteBuffer() {
    if (!m_open || m_ring[2]->Submitted || m_position[0] < m_nominalBytes) return;
    // Kept before the buffer is handed over: the speed transform rewrites beyond it.
    const uint8_t* full = m_ring[2]->Data.data();
    m_carry.assign(full + m_nominalBytes, full + m_position[0]);
    m_speed = std::clamp(m_view.SpeedPercent.load(), 50, 1000);
    switch (m_stage) {
        case 0:  // the first 32 frames are only collected
            Rotate();
            m_stage = 1;
            break;
        case 1:  // the device starts with two buffers queued
            Submit(*m_ring[0], true, m_nominalBytes);
            Rotate();
            Submit(*m_ring[0], true, m_nominalBytes);
            m_stage = 2;
            break;
        default:
            Submit(*m_ring[2], true, m_nominalBytes);
            Rotate();
            // The new slot 2 is the oldest buffer handed over: refill it once played.
            // A stop or seek leaves it queued; the worker resets the device next.
            if (m_ring[2]->Submitted) WaitUntilPlayed(*m_ring[2], true);
            break;
    }
    ResetPositions();
    PlaceCarry();
}

void WaveOutSink::ClearBuffer() {
    if (!m_open) return;
    m_view.Device.Reset();
    for (Buffer& buffer : m_buffers) {
        if (buffer.Submitted) WaitUntilPlayed(buffer, false);
        std::fill(buffer.Data.begin(), buffer.Data.end(), 0);
    }
    ResetPositions();
    m_carry.clear();
    m_stage = 0;
}

}  // namespace aurion
