// The per-frame home of a Layer I/II frame's subband objects: room for one object
// of any kind per subband, made anew for each frame and ended with it, so that
// decoding a frame allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <utility>
#include <variant>

#include "control/decoder/layer12/Layer1Subbands.h"
#include "control/decoder/layer12/Layer2Subbands.h"
#include "control/decoder/layer12/Subband.h"

namespace aurion {

class SubbandArena {
public:
    static constexpr size_t MaxSubbands = 32;

    SubbandArena() = default;
    SubbandArena(const SubbandArena&) = delete;
    SubbandArena& operator=(const SubbandArena&) = delete;
    ~SubbandArena() { Clear(); }

    // Makes the next subband's object; at most MaxSubbands per frame.
    template <typename Kind, typename... Args>
    void Make(Args&&... args) {
        if (m_count == MaxSubbands) {
            return;
        }
        Kind& made = m_slots[m_count].emplace<Kind>(std::forward<Args>(args)...);
        m_subbands[m_count] = &made;
        ++m_count;
    }

    [[nodiscard]] std::span<Subband* const> Subbands() const {
        return std::span<Subband* const>(m_subbands.data(), m_count);
    }

    // Ends every object of the frame.
    void Clear() {
        for (size_t i = 0; i < m_count; ++i) {
            m_slots[i].emplace<std::monostate>();
            m_subbands[i] = nullptr;
        }
        m_count = 0;
    }

private:
    using Slot =
        std::variant<std::monostate, Layer1SubbandMono, Layer1SubbandStereo, Layer1SubbandIntensity,
                     Layer2SubbandMono, Layer2SubbandStereo, Layer2SubbandIntensity>;

    std::array<Slot, MaxSubbands> m_slots{};
    std::array<Subband*, MaxSubbands> m_subbands{};
    size_t m_count = 0;
};

}  // namespace aurion
