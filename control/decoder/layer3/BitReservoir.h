// The Layer III bit reservoir: a ring of 4096 main-data bytes that the frames put
// in and the granules read out, most significant bit first. The read position is
// a bit offset masked to the ring, so no position, however far a stream's side
// information sends the reader, leaves the ring. Reads take up to 32 bits at once
// from a 64-bit window loaded at the position's byte; the first bytes of the ring
// are mirrored behind its end so that a window never wraps. TotalBits counts the
// bits read since creation or since the decoder's last wrap (RewindBytes), and
// rewinding moves the read position and that count back together.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace aurion {

class BitReservoir {
public:
    static constexpr uint32_t Size = 4096;
    static constexpr uint32_t IndexMask = Size - 1;

    BitReservoir() = default;
    BitReservoir(const BitReservoir&) = default;
    BitReservoir& operator=(const BitReservoir&) = default;
    BitReservoir(BitReservoir&&) = default;
    BitReservoir& operator=(BitReservoir&&) = default;

    // Back to the state after creation: empty ring, all counters at their start.
    void Reset();

    // Appends the low byte of value at the write index.
    void PutByte(uint32_t value);
    // Appends the bytes in order, as PutByte each would.
    void PutBytes(std::span<const uint8_t> bytes);
    // The next n bits (0..32), most significant first, across byte entries.
    // n = 0 reads nothing and gives 0; n above 32 is taken as 32.
    uint32_t GetBits(unsigned n) {
        if (n == 0) {
            return 0;
        }
        if (n > 32) {
            n = 32;
        }
        const uint32_t bits = PeekBits(n);
        SkipBits(n);
        return bits;
    }
    uint32_t Get1Bit() { return GetBits(1); }
    // The next n bits (1..32) without reading them; SkipBits(n) then reads them.
    [[nodiscard]] uint32_t PeekBits(unsigned n) const {
        return static_cast<uint32_t>(PeekWindow() >> (64 - n));
    }
    // The next WindowBits bits (or more) from the top bit down, without reading
    // them: decoders take several fields from one window, then SkipBits their sum.
    [[nodiscard]] uint64_t PeekWindow() const {
        uint64_t window = 0;
        std::memcpy(&window, &m_ring[m_bitPosition >> 3], sizeof window);
        if constexpr (std::endian::native == std::endian::little) {
            window = __builtin_bswap64(window);  // the ring's first byte is the top one
        }
        return window << (m_bitPosition & 7);
    }
    // Eight bytes loaded at the position's byte, less up to seven bits of it read.
    static constexpr unsigned WindowBits = 57;
    void SkipBits(unsigned n) {
        m_bitPosition = (m_bitPosition + n) & (RingBits - 1);
        m_totalBits = static_cast<int32_t>(static_cast<uint32_t>(m_totalBits) + n);
    }
    // Moves the read position back n bits and TotalBits down by n.
    void RewindBits(int32_t n);
    // Moves the read position back n bytes (modulo the ring) and TotalBits down by
    // 8n; RewindBytes(4096) leaves the reader at the same ring byte and only
    // shrinks the counter, which is how the decoder keeps its counters small.
    void RewindBytes(int32_t n);

    [[nodiscard]] int32_t TotalBits() const { return m_totalBits; }

private:
    static constexpr uint32_t RingBits = Size * 8;
    static constexpr uint32_t Mirror = 8;  // bytes of a window beyond its first

    void MoveBack(int64_t bits);

    std::array<uint8_t, Size + Mirror> m_ring{};
    uint32_t m_writeIndex = 0;
    uint32_t m_bitPosition = 0;  // the next bit's offset into the ring, always masked
    int32_t m_totalBits = 0;
};

}  // namespace aurion
