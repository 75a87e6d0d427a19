#include "control/decoder/layer3/Layer3Decoder.h"

#include <algorithm>
#include <array>
#include <span>

#include "control/decoder/layer3/AliasReduction.h"
#include "control/decoder/layer3/HuffmanDecoder.h"
#include "control/decoder/layer3/Reordering.h"
#include "control/decoder/layer3/Requantizer.h"
#include "control/decoder/layer3/ScaleFactorBandTables.h"
#include "control/decoder/layer3/SideInfoReader.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace aurion {

namespace {

constexpr uint32_t ModeJointStereo = 1;
constexpr uint32_t ModeSingleChannel = 3;
constexpr int32_t ReservoirBytes = static_cast<int32_t>(BitReservoir::Size);

}  // namespace

Layer3Decoder::Layer3Decoder(FrameStream& stream, FrameHeader& header, PolyphaseFilter& leftFilter,
                             PolyphaseFilter* rightFilter, SampleSink& sink, ChannelChoice choice)
    : m_stream(stream),
      m_header(header),
      m_sink(sink),
      m_lsf(header.Version() == 0),
      m_channels(header.Mode() == ModeSingleChannel ? 1 : 2),
      m_granules(m_lsf ? 1 : 2),
      m_routing(choice, m_channels, leftFilter, rightFilter) {
    const uint32_t firstRow = header.Mpeg25() ? Mpeg25BandTables : m_lsf ? 0 : 3;
    m_bandTable = std::min<uint32_t>(header.FrequencyIndex(), 2) + firstRow;
}

void Layer3Decoder::SeekNotify() {
    m_frameStart = 0;
    m_hybridSynthesis.Reset();
    m_reservoir.Reset();
}

void Layer3Decoder::DecodeFrame(Crc16* /*crc*/) {
    // An invalid block type stops the read; the frame is decoded with what was read.
    (void)ReadSideInfo(m_stream, m_lsf, m_channels, m_sideInfo);

    const int32_t mainDataSize = std::clamp<int32_t>(
        m_header.MainDataSize(), 0, static_cast<int32_t>(FrameStream::BufferBytes));
    std::array<uint8_t, FrameStream::BufferBytes> mainData;
    const auto frameMainData = std::span(mainData).first(static_cast<size_t>(mainDataSize));
    m_stream.GetBytes(frameMainData);
    m_reservoir.PutBytes(frameMainData);

    const int32_t partial = m_reservoir.TotalBits() & 7;
    if (partial != 0) {
        (void)m_reservoir.GetBits(static_cast<unsigned>(8 - partial));
    }
    const int32_t consumed = m_reservoir.TotalBits() / 8;
    const int32_t discard =
        m_frameStart - static_cast<int32_t>(m_sideInfo.main_data_begin) - consumed;
    m_frameStart += mainDataSize;
    if (discard < 0) {
        return;
    }
    if (consumed > ReservoirBytes) {
        m_frameStart -= ReservoirBytes;
        m_reservoir.RewindBytes(ReservoirBytes);
        ++m_reservoirWraps;
    }
    for (int32_t i = 0; i < discard; ++i) {
        (void)m_reservoir.GetBits(8);
    }

    for (int granule = 0; granule < m_granules; ++granule) {
        DecodeGranule(granule);
    }
    m_sink.WriteBuffer();
}

void Layer3Decoder::DecodeGranule(int granule) {
    const ScaleFactorBands& bands = ScaleFactorBandTables[m_bandTable];
    const bool joint = m_header.Mode() == ModeJointStereo;
    const uint32_t extension = m_header.ModeExtension();
    StereoMode mode;
    mode.middleSide = joint && (extension & 2) != 0;
    mode.intensity = joint && (extension & 1) != 0;
    mode.lsf = m_lsf;

    for (int ch = 0; ch < m_channels; ++ch) {
        GranuleInfo& info = m_sideInfo.granules[granule][ch];
        m_part2Start = m_reservoir.TotalBits();
        if (m_lsf) {
            ReadScaleFactorsLsf(m_reservoir, info, ch == 1 && mode.intensity, m_scaleFactors[ch]);
        } else {
            ReadScaleFactorsMpeg1(m_reservoir, info, m_sideInfo.scfsi[ch], granule,
                                  m_scaleFactors[ch]);
        }
        const uint32_t coded = DecodeSpectrum(info, bands, m_part2Start, m_reservoir, m_quantized);
        Requantize(m_quantized, info, m_scaleFactors[ch], bands, m_dequantized[ch], coded);
        m_nonzeroLines[ch] = coded;
    }

    if (m_channels == 1) {
        m_stereo[0] = m_dequantized[0];
    } else {
        const GranuleInfo& right = m_sideInfo.granules[granule][1];
        // ISO/IEC 13818-3: the right channel's scalefac_compress carries intensity_scale.
        mode.intensityRow = static_cast<int>(right.scalefac_compress & 1);
        m_nonzeroLines = m_stereoProcessor.Process(mode, right, m_scaleFactors[1], bands,
                                                   m_dequantized, m_stereo, m_nonzeroLines);
        if (m_routing.MixesChannels()) {
            m_nonzeroLines[0] = Downmix(m_stereo, m_nonzeroLines);
        }
    }

    for (int ch = m_routing.FirstChannel(); ch <= m_routing.LastChannel(); ++ch) {
        OutputChannel(ch, m_sideInfo.granules[granule][ch]);
    }
}

void Layer3Decoder::OutputChannel(int channel, const GranuleInfo& info) {
    const ScaleFactorBands& bands = ScaleFactorBandTables[m_bandTable];
    // Each stage passes on the line from which its output is zero, so that the
    // next can leave out what would only turn zeros into zeros.
    size_t nonzeroLines =
        Reorder(info, bands, m_stereo[channel], m_hybrid, m_nonzeroLines[channel]);
    nonzeroLines = ReduceAliases(info, m_hybrid, nonzeroLines);
    m_hybridSynthesis.Run(channel, info, m_hybrid, nonzeroLines);
    InvertFrequencies(m_hybrid);

    // m_hybrid holds subband sb's 18 time slots at 18 * sb: the granule's 18 blocks.
    m_routing.FilterFor(channel).Synthesize(m_hybrid.data(), 18, 18, m_sink);
}

}  // namespace aurion
