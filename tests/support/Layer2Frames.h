// Builds Layer II frames with sound in them, for tests that need decoded audio
// from synthetic streams: subband 0 of every channel carries a 7-level signal in
// every granule (allocation 2 of ISO/IEC 11172-3, Table B.2b), at most half full
// scale so that nothing clips; the other subbands carry nothing. The fields must
// choose Table B.2b: MPEG-1 at 44.1 or 32 kHz, 96 kbit/s per channel or more,
// stereo or single channel. With fields.Checksum the frame carries its CRC-16 over
// the header's low 16 bits, the allocations and the scale-factor selections,
// computed here bit by bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {

// The frame checksum of ISO/IEC 11172-3, clause 2.4.3.1, over the header word's
// low 16 bits and the first `bits` bits of `body`.
[[nodiscard]] uint16_t FrameChecksum(uint32_t headerWord, std::span<const uint8_t> body,
                                     size_t bits);

// `seed` varies the signal and the scale factors. corruptChecksum stores a
// checksum word that does not match.
[[nodiscard]] Bytes Layer2SoundFrame(const HeaderFields& fields, uint32_t seed,
                                     bool corruptChecksum = false);

}  // namespace aurion::test
