#include "control/decoder/layer3/BitReservoir.h"

#include <algorithm>

namespace aurion {

namespace {

// The counter may run for a long time without a wrap; keep its arithmetic defined.
int32_t AddBits(int32_t total, int64_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(total) + static_cast<uint32_t>(delta));
}

}  // namespace

void BitReservoir::Reset() { *this = BitReservoir{}; }

void BitReservoir::PutByte(uint32_t value) {
    const auto byte = static_cast<uint8_t>(value);
    m_ring[m_writeIndex] = byte;
    if (m_writeIndex < Mirror) {
        m_ring[Size + m_writeIndex] = byte;
    }
    m_writeIndex = (m_writeIndex + 1) & IndexMask;
}

void BitReservoir::PutBytes(std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        return;  // an empty span may have no storage to copy from
    }
    // Whatever is more than the ring holds would be overwritten by the rest anyway.
    if (bytes.size() > Size) {
        m_writeIndex = static_cast<uint32_t>((m_writeIndex + bytes.size() - Size) & IndexMask);
        bytes = bytes.last(Size);
    }
    const size_t first = std::min<size_t>(bytes.size(), Size - m_writeIndex);
    std::memcpy(&m_ring[m_writeIndex], bytes.data(), first);
    std::memcpy(&m_ring[0], bytes.data() + first, bytes.size() - first);
    const uint32_t written = static_cast<uint32_t>(bytes.size());
    // The mirror behind the end repeats the ring's first bytes.
    if (m_writeIndex < Mirror || m_writeIndex + written > Size) {
        std::memcpy(&m_ring[Size], &m_ring[0], Mirror);
    }
    m_writeIndex = (m_writeIndex + written) & IndexMask;
}

void BitReservoir::RewindBits(int32_t n) { MoveBack(n); }

void BitReservoir::RewindBytes(int32_t n) { MoveBack(int64_t{n} * 8); }

void BitReservoir::MoveBack(int64_t bits) {
    // The position as a bit offset into the ring; moving it modulo the ring also
    // handles negative counts (a step forward) and steps larger than the ring.
    int64_t moved = (static_cast<int64_t>(m_bitPosition) - bits) % RingBits;
    if (moved < 0) {
        moved += RingBits;
    }
    m_bitPosition = static_cast<uint32_t>(moved);
    m_totalBits = AddBits(m_totalBits, -bits);
}

}  // namespace aurion
