// The frame decoder of Layers I and II (MPEG-1, and MPEG-2 at the low sampling
// frequencies, whose frames keep 384 and 1152 samples): per frame it makes one
// subband object per subband that carries data, reads allocations (and Layer II
// scale-factor selections), tests the checksum, reads the scale factors, and then
// hands the samples to the channel routing, whose polyphase filters turn the
// whole frame into PCM at its end. A frame whose checksum does not match gives
// no samples and no WriteBuffer.
#pragma once

#include "control/decoder/ChannelRouting.h"
#include "control/decoder/FrameDecoder.h"
#include "control/decoder/layer12/SubbandArena.h"

namespace aurion {

class SubbandFrameDecoder final : public FrameDecoder {
public:
    explicit SubbandFrameDecoder(const FrameDecoderParts& parts);
    SubbandFrameDecoder(const SubbandFrameDecoder&) = delete;
    SubbandFrameDecoder& operator=(const SubbandFrameDecoder&) = delete;

    // Decodes the Layer I or II frame that FrameHeader::ReadNext has just loaded.
    void DecodeFrame(Crc16* crc) override;
    // Nothing but the filters' history carries over between frames.
    void SeekNotify() override {}

private:
    void MakeSubbands();
    // Compares and restarts the running checksum; false on a mismatch.
    [[nodiscard]] bool ChecksumMatches(Crc16* crc) const;

    FrameStream& m_stream;
    FrameHeader& m_header;
    SampleSink& m_sink;
    ChannelRouting m_routing;
    SubbandArena m_arena;
};

}  // namespace aurion
