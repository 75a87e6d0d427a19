// The room a WAV target needs, for Open's free-space check: the stream's play time
// at its real output rate (its sample rate, the channels the session writes, 16-bit
// samples), and the file's header. A 48 kHz stereo stream needs 192 bytes per
// millisecond, not the 176.4 of 44.1 kHz.
#pragma once

#include <cstdint>

namespace aurion {

[[nodiscard]] uint64_t WavTargetBytes(float totalMs, uint32_t sampleRate, int channels);

}  // namespace aurion
