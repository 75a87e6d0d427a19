// The Layer III bit reservoir: a ring of 4096 main-data bytes that the frames put
// in and the granules read out bit by bit, most significant bit first. Every index
// into the ring is masked with 0xFFF, so no position, however far a stream's side
// information sends the reader, leaves the ring. TotalBits counts the bits read
// since creation or since the decoder's last wrap (RewindBytes), and rewinding
// moves the read position and that count back together.
#pragma once

#include <array>
#include <cstdint>

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
    // The next n bits (0..32), most significant first, across byte entries.
    // n = 0 reads nothing and gives 0; n above 32 is taken as 32.
    uint32_t GetBits(unsigned n);
    uint32_t Get1Bit();
    // Moves the read position back n bits and TotalBits down by n.
    void RewindBits(int32_t n);
    // Moves the read position back n bytes (modulo the ring) and TotalBits down by
    // 8n; RewindBytes(4096) leaves the reader at the same ring byte and only
    // shrinks the counter, which is how the decoder keeps its counters small.
    void RewindBytes(int32_t n);

    [[nodiscard]] int32_t TotalBits() const { return m_totalBits; }

private:
    void Advance(unsigned bits);
    void MoveBack(int64_t bits);

    std::array<uint32_t, Size> m_ring{};
    uint32_t m_writeIndex = 0;
    uint32_t m_readIndex = 0;    // always masked
    uint32_t m_bitPosition = 8;  // bits left in the current byte, 8..1
    int32_t m_totalBits = 0;
};

}  // namespace aurion
