// Writes fields most significant bit first into bytes, for building side
// information and main data inside tests; BitSource reads them back the same way
// (the bit-source shape the Layer III readers take).
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace aurion::test {

class BitWriter {
public:
    void Put(uint32_t value, unsigned bits) {
        for (unsigned i = bits; i-- > 0;) {
            if (m_bitCount % 8 == 0) {
                m_bytes.push_back(0);
            }
            if ((value >> i) & 1u) {
                m_bytes.back() = static_cast<uint8_t>(m_bytes.back() | (0x80u >> (m_bitCount % 8)));
            }
            ++m_bitCount;
        }
    }
    [[nodiscard]] const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    [[nodiscard]] size_t BitCount() const { return m_bitCount; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_bitCount = 0;
};

class BitSource {
public:
    explicit BitSource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    uint32_t GetBits(unsigned n) {
        uint32_t value = 0;
        for (unsigned i = 0; i < n; ++i) {
            const size_t byte = m_position / 8;
            const uint32_t bit =
                byte < m_bytes.size() ? (m_bytes[byte] >> (7 - m_position % 8)) & 1u : 0u;
            value = (value << 1) | bit;
            ++m_position;
        }
        return value;
    }
    [[nodiscard]] size_t Position() const { return m_position; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
};

}  // namespace aurion::test
