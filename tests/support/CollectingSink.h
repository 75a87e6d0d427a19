// A SampleSink for tests that keeps every sample in memory, per channel in the
// order appended, and counts the WriteBuffer calls (one per decoded frame).
// Interleaved() gives the frames of the channels side by side, left first, up to
// the shorter channel when both were written.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "control/decoder/SampleSink.h"

namespace aurion::test {

class CollectingSink : public SampleSink {
public:
    CollectingSink() = default;
    CollectingSink(const CollectingSink&) = delete;
    CollectingSink& operator=(const CollectingSink&) = delete;

    void Append(int channel, int16_t sample) override {
        m_channels[static_cast<size_t>(channel & 1)].push_back(sample);
    }
    void WriteBuffer() override { ++m_writeBuffers; }
    void ClearBuffer() override { ++m_clears; }
    void Abort() override { m_aborted = true; }

    [[nodiscard]] const std::vector<int16_t>& Channel(int channel) const {
        return m_channels[static_cast<size_t>(channel & 1)];
    }
    [[nodiscard]] size_t WriteBuffers() const { return m_writeBuffers; }
    [[nodiscard]] size_t Clears() const { return m_clears; }
    [[nodiscard]] bool Aborted() const { return m_aborted; }
    [[nodiscard]] size_t TotalSamples() const {
        return m_channels[0].size() + m_channels[1].size();
    }

    [[nodiscard]] std::vector<int16_t> Interleaved() const {
        if (m_channels[1].empty()) {
            return m_channels[0];
        }
        const size_t frames = std::min(m_channels[0].size(), m_channels[1].size());
        std::vector<int16_t> out;
        out.reserve(2 * frames);
        for (size_t i = 0; i < frames; ++i) {
            out.push_back(m_channels[0][i]);
            out.push_back(m_channels[1][i]);
        }
        return out;
    }

private:
    std::array<std::vector<int16_t>, 2> m_channels;
    size_t m_writeBuffers = 0;
    size_t m_clears = 0;
    bool m_aborted = false;
};

}  // namespace aurion::test
