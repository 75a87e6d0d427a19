#include "control/decoder/layer12/Subband.h"

#include "control/decoder/stream/Crc16.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {

uint32_t ReadProtectedBits(FrameStream& stream, Crc16* crc, unsigned bits) {
    const uint32_t value = stream.GetBits(bits);
    if (crc != nullptr) {
        crc->Update(value, bits);
    }
    return value;
}

}  // namespace aurion
