#include "tests/support/Layer2Frames.h"

#include "tests/support/BitWriter.h"

namespace aurion::test {

namespace {

constexpr uint32_t TableBSubbands = 30;
constexpr uint32_t SevenLevels = 2;  // allocation of the 7-level class in subbands 0..2

// Allocation field widths of Table B.2b.
unsigned AllocationWidth(uint32_t subband) {
    if (subband < 11) return 4;
    if (subband < 23) return 3;
    return 2;
}

}  // namespace

uint16_t FrameChecksum(uint32_t headerWord, std::span<const uint8_t> body, size_t bits) {
    uint32_t crc = 0xFFFF;
    auto feed = [&crc](uint32_t bit) {
        const uint32_t top = (crc >> 15) & 1u;
        crc = (crc << 1) & 0xFFFFu;
        if (top != bit) crc ^= 0x8005u;
    };
    for (int i = 15; i >= 0; --i) feed((headerWord >> i) & 1u);
    for (size_t i = 0; i < bits && i / 8 < body.size(); ++i) {
        feed((body[i / 8] >> (7 - i % 8)) & 1u);
    }
    return static_cast<uint16_t>(crc);
}

Bytes Layer2SoundFrame(const HeaderFields& fields, uint32_t seed, bool corruptChecksum) {
    const int channels = fields.Mode == 3 ? 1 : 2;
    BitWriter w;
    for (uint32_t sb = 0; sb < TableBSubbands; ++sb) {
        for (int ch = 0; ch < channels; ++ch) w.Put(sb == 0 ? SevenLevels : 0, AllocationWidth(sb));
    }
    for (int ch = 0; ch < channels; ++ch) w.Put(0, 2);  // three scale factors each
    const size_t protectedBits = w.BitCount();
    for (int ch = 0; ch < channels; ++ch) {
        for (uint32_t part = 0; part < 3; ++part) w.Put((seed + 3 * ch + part) % 8 + 6, 6);
    }
    for (uint32_t granule = 0; granule < 12; ++granule) {
        for (int ch = 0; ch < channels; ++ch) {
            for (uint32_t s = 0; s < 3; ++s) {
                w.Put((seed + 5 * granule + 3 * s + 4 * static_cast<uint32_t>(ch)) % 7, 3);
            }
        }
    }
    uint16_t checksum = FrameChecksum(HeaderWord(fields), w.Bytes(), protectedBits);
    if (corruptChecksum) checksum ^= 0x0100;
    return MakeFrame(fields, w.Bytes(), checksum);
}

}  // namespace aurion::test
