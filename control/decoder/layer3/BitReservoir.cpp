#include "control/decoder/layer3/BitReservoir.h"

namespace aurion {

namespace {

// 2^i - 1 for i = 0..31: the low i bits of a value.
constexpr std::array<uint32_t, 32> BitMasks = [] {
    std::array<uint32_t, 32> masks{};
    for (uint32_t i = 0; i < 32; ++i) {
        masks[i] = (uint32_t{1} << i) - 1;
    }
    return masks;
}();

constexpr uint32_t RingBits = BitReservoir::Size * 8;

// The counter may run for a long time without a wrap; keep its arithmetic defined.
int32_t AddBits(int32_t total, int64_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(total) + static_cast<uint32_t>(delta));
}

}  // namespace

void BitReservoir::Reset() { *this = BitReservoir{}; }

void BitReservoir::PutByte(uint32_t value) {
    m_ring[m_writeIndex] = value & 0xFF;
    m_writeIndex = (m_writeIndex + 1) & IndexMask;
}

uint32_t BitReservoir::GetBits(unsigned n) {
    if (n > 32) {
        n = 32;
    }
    uint32_t result = 0;
    while (n > 0) {
        const unsigned take = n < m_bitPosition ? n : m_bitPosition;
        const uint32_t chunk = (m_ring[m_readIndex] >> (m_bitPosition - take)) & BitMasks[take];
        result = (result << take) | chunk;
        n -= take;
        Advance(take);
    }
    return result;
}

uint32_t BitReservoir::Get1Bit() {
    const uint32_t bit = (m_ring[m_readIndex] >> (m_bitPosition - 1)) & 1;
    Advance(1);
    return bit;
}

void BitReservoir::Advance(unsigned bits) {
    m_bitPosition -= bits;
    if (m_bitPosition == 0) {
        m_bitPosition = 8;
        m_readIndex = (m_readIndex + 1) & IndexMask;
    }
    m_totalBits = AddBits(m_totalBits, bits);
}

void BitReservoir::RewindBits(int32_t n) { MoveBack(n); }

void BitReservoir::RewindBytes(int32_t n) { MoveBack(int64_t{n} * 8); }

void BitReservoir::MoveBack(int64_t bits) {
    // The position as a bit offset into the ring; moving it modulo the ring also
    // handles negative counts (a step forward) and steps larger than the ring.
    const uint32_t position = m_readIndex * 8 + (8 - m_bitPosition);
    int64_t moved = (static_cast<int64_t>(position) - bits) % RingBits;
    if (moved < 0) {
        moved += RingBits;
    }
    const auto target = static_cast<uint32_t>(moved);
    m_readIndex = target / 8;
    m_bitPosition = 8 - target % 8;
    m_totalBits = AddBits(m_totalBits, -bits);
}

}  // namespace aurion
