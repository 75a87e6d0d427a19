// The Layer III frame decoder for MPEG-1 and MPEG-2 LSF (ISO/IEC 11172-3 clause
// 2.4.3.4, ISO/IEC 13818-3): side information from the frame body, main data into
// the bit reservoir, then per granule scale factors, Huffman decoding,
// requantization, stereo processing, reordering, alias reduction and the hybrid
// filterbank into the polyphase filters. Per granule the sink receives all 18
// blocks of the first output channel (576 samples), then those of the second.
// All buffers are fixed members: nothing is allocated per frame. Channels, granules
// and band table are fixed at construction; the sync search keeps them valid.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "control/decoder/ChannelRouting.h"
#include "control/decoder/FrameDecoder.h"
#include "control/decoder/SampleSink.h"
#include "control/decoder/layer3/BitReservoir.h"
#include "control/decoder/layer3/HybridSynthesis.h"
#include "control/decoder/layer3/ScaleFactorReader.h"
#include "control/decoder/layer3/SideInfo.h"
#include "control/decoder/layer3/StereoProcessor.h"

namespace aurion {

class FrameHeader;
class FrameStream;
class PolyphaseFilter;

class Layer3Decoder final : public FrameDecoder {
public:
    // rightFilter is null when one channel is output. The channels are routed as
    // ChannelRouting says; the mix is made from the spectra before the filterbank.
    Layer3Decoder(FrameStream& stream, FrameHeader& header, PolyphaseFilter& leftFilter,
                  PolyphaseFilter* rightFilter, SampleSink& sink, ChannelChoice choice);
    Layer3Decoder(const Layer3Decoder&) = delete;
    Layer3Decoder& operator=(const Layer3Decoder&) = delete;

    // After a seek: empty reservoir, no overlap; frames whose main data reaches back
    // before the seek stay silent.
    void SeekNotify() override;
    // Decodes the frame that FrameHeader::ReadNext has just loaded. A frame whose
    // main data is not yet in the reservoir gives no samples and no WriteBuffer.
    // Layer III frames are not checked against their checksum.
    void DecodeFrame(Crc16* crc) override;

    [[nodiscard]] int FirstChannel() const { return m_routing.FirstChannel(); }
    [[nodiscard]] int LastChannel() const { return m_routing.LastChannel(); }
    // Main-data bytes put into the reservoir since the last wrap or seek.
    [[nodiscard]] int32_t FrameStart() const { return m_frameStart; }
    // How often the reservoir counters have been wound back by a whole ring.
    [[nodiscard]] uint32_t ReservoirWraps() const { return m_reservoirWraps; }

private:
    void DecodeGranule(int granule);
    void OutputChannel(int channel, const GranuleInfo& info);

    FrameStream& m_stream;
    FrameHeader& m_header;
    SampleSink& m_sink;

    bool m_lsf = false;
    int m_channels = 1;
    int m_granules = 2;
    ChannelRouting m_routing;
    size_t m_bandTable = 3;
    int32_t m_frameStart = 0;
    int32_t m_part2Start = 0;
    uint32_t m_reservoirWraps = 0;

    BitReservoir m_reservoir;
    SideInfo m_sideInfo;
    std::array<ScaleFactors, 2> m_scaleFactors{};
    std::array<int32_t, 576> m_quantized{};
    std::array<Spectrum, 2> m_dequantized{};
    std::array<Spectrum, 2> m_stereo{};
    // Per channel the line from which m_dequantized, then m_stereo, is zero.
    std::array<size_t, 2> m_nonzeroLines{};
    std::array<float, 576> m_hybrid{};
    StereoProcessor m_stereoProcessor;
    HybridSynthesis m_hybridSynthesis;
};

}  // namespace aurion
