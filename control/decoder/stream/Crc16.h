// The running frame checksum of MPEG audio (ISO/IEC 11172-3, clause 2.4.3.1:
// CRC-16, generator polynomial 0x8005, start value 0xFFFF). The header reader feeds
// it the header's low 16 bits; the Layer I/II readers feed the protected fields and
// reset it after comparing.
#pragma once

#include <cstdint>

namespace aurion {

class Crc16 {
public:
    static constexpr uint16_t StartValue = 0xFFFF;
    static constexpr uint16_t Polynomial = 0x8005;

    Crc16() = default;

    // Feeds the low bitCount (0..32) bits of value, most significant first.
    void Update(uint32_t value, unsigned bitCount);
    [[nodiscard]] uint16_t Value() const { return m_register; }
    void Reset() { m_register = StartValue; }

private:
    uint16_t m_register = StartValue;
};

}  // namespace aurion
