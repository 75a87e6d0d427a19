// One subband of a Layer I or Layer II frame, as the frame decoder drives it: the
// objects of a frame are made for that frame (one per subband that carries data,
// of a kind chosen by layer, mode and intensity bound), take each step in subband
// order, and end with the frame. Fields read from the frame index only tables
// that cover every value the field can hold.
#pragma once

#include <cstddef>
#include <cstdint>

namespace aurion {

class ChannelRouting;
class Crc16;
class FrameStream;

// Reads a field of `bits` bits and feeds it into the checksum when there is one.
uint32_t ReadProtectedBits(FrameStream& stream, Crc16* crc, unsigned bits);

class Subband {
public:
    virtual ~Subband() = default;
    Subband(const Subband&) = delete;
    Subband& operator=(const Subband&) = delete;

    // The allocation field(s), also fed into the frame's checksum when there is one.
    virtual void ReadAllocation(FrameStream& stream, Crc16* crc) = 0;
    // Layer II: the scale-factor selection(s), fed into the checksum as well.
    virtual void ReadScaleFactorSelection(FrameStream& /*stream*/, Crc16* /*crc*/) {}
    virtual void ReadScaleFactor(FrameStream& stream) = 0;
    // Reads the next sample (Layer I) or granule of three samples (Layer II);
    // true when that was the frame's twelfth.
    virtual bool ReadSampleData(FrameStream& stream) = 0;
    // Hands the samples read last to the routing's pending blocks from
    // `firstBlock` on: one block for Layer I, three for Layer II.
    virtual void PutSamples(ChannelRouting& routing, size_t firstBlock) = 0;

protected:
    explicit Subband(int index) : m_index(index) {}

    int m_index;  // the subband's number, 0..31
};

}  // namespace aurion
