#include "control/decoder/stream/Crc16.h"

namespace aurion {

void Crc16::Update(uint32_t value, unsigned bitCount) {
    uint32_t reg = m_register;
    for (unsigned i = bitCount; i-- > 0;) {
        const uint32_t dataBit = (value >> i) & 1u;
        const uint32_t topBit = (reg >> 15) & 1u;
        reg = (reg << 1) & 0xFFFFu;
        if (topBit != dataBit) {
            reg ^= Polynomial;
        }
    }
    m_register = static_cast<uint16_t>(reg);
}

}  // namespace aurion
