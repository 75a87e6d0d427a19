#include "control/decoder/layer12/SubbandFrameDecoder.h"

#include <algorithm>

#include "control/decoder/layer12/AllocationTables.h"
#include "control/decoder/stream/Crc16.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {

namespace {

constexpr uint32_t ModeJointStereo = 1;
constexpr uint32_t ModeSingleChannel = 3;
constexpr uint32_t LayerI = 1;
constexpr uint32_t LayerISubbands = 32;

}  // namespace

SubbandFrameDecoder::SubbandFrameDecoder(const FrameDecoderParts& parts)
    : m_stream(parts.Stream),
      m_header(parts.Header),
      m_sink(parts.Sink),
      m_routing(parts.Choice, parts.Header.Mode() == ModeSingleChannel ? 1 : 2, parts.LeftFilter,
                parts.RightFilter) {}

void SubbandFrameDecoder::DecodeFrame(Crc16* crc) {
    MakeSubbands();
    const std::span<Subband* const> subbands = m_arena.Subbands();
    if (subbands.empty()) {
        return;
    }
    for (Subband* subband : subbands) {
        subband->ReadAllocation(m_stream, crc);
    }
    for (Subband* subband : subbands) {
        subband->ReadScaleFactorSelection(m_stream, crc);
    }
    if (!ChecksumMatches(crc)) {
        m_arena.Clear();
        return;
    }
    for (Subband* subband : subbands) {
        subband->ReadScaleFactor(m_stream);
    }
    // The frame's blocks are collected and filtered together at its end.
    const size_t blocksPerRead = m_header.Layer() == LayerI ? 1 : 3;
    size_t blocks = 0;
    bool frameDone = false;
    while (!frameDone) {
        if (blocks + blocksPerRead > ChannelRouting::kMaxBlocks) {
            // Not for a frame's twelve reads; keeps any other count within the blocks.
            m_routing.Synthesize(blocks, m_sink);
            blocks = 0;
        }
        for (Subband* subband : subbands) {
            frameDone = subband->ReadSampleData(m_stream);
        }
        for (Subband* subband : subbands) {
            subband->PutSamples(m_routing, blocks);
        }
        blocks += blocksPerRead;
    }
    m_routing.Synthesize(blocks, m_sink);
    m_sink.WriteBuffer();
    m_arena.Clear();
}

void SubbandFrameDecoder::MakeSubbands() {
    m_arena.Clear();
    const bool single = m_header.Mode() == ModeSingleChannel;
    const bool joint = m_header.Mode() == ModeJointStereo;
    if (m_header.Layer() == LayerI) {
        const uint32_t bound =
            joint ? std::min(m_header.IntensityBound(), LayerISubbands) : LayerISubbands;
        for (uint32_t sb = 0; sb < LayerISubbands; ++sb) {
            const int index = static_cast<int>(sb);
            if (single) {
                m_arena.Make<Layer1SubbandMono>(index);
            } else if (sb < bound) {
                m_arena.Make<Layer1SubbandStereo>(index);
            } else {
                m_arena.Make<Layer1SubbandIntensity>(index);
            }
        }
        return;
    }
    const AllocationTable& table = SelectAllocationTable(m_header.Version(), m_header.Subbands());
    const uint32_t limit = std::min<uint32_t>(table.Subbands, SubbandArena::MaxSubbands);
    const uint32_t bound = joint ? std::min(m_header.IntensityBound(), limit) : limit;
    for (uint32_t sb = 0; sb < limit; ++sb) {
        const int index = static_cast<int>(sb);
        const AllocationRow& row = *table.Rows[sb];
        if (single) {
            m_arena.Make<Layer2SubbandMono>(index, row);
        } else if (sb < bound) {
            m_arena.Make<Layer2SubbandStereo>(index, row);
        } else {
            m_arena.Make<Layer2SubbandIntensity>(index, row);
        }
    }
}

bool SubbandFrameDecoder::ChecksumMatches(Crc16* crc) const {
    if (crc == nullptr) {
        return true;
    }
    const uint16_t computed = crc->Value();
    crc->Reset();
    return computed == m_header.StoredChecksum();
}

}  // namespace aurion
