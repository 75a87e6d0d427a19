#include "control/decoder/layer12/Layer1Subbands.h"

#include "control/decoder/ChannelRouting.h"
#include "control/decoder/layer12/Layer1Quantization.h"
#include "control/decoder/layer12/ScaleFactorTable.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {

namespace {

constexpr unsigned AllocationBits = 4;
constexpr unsigned ScaleFactorBits = 6;

}  // namespace

void Layer1Channel::ReadAllocation(FrameStream& stream, Crc16* crc) {
    const uint32_t allocation = ReadProtectedBits(stream, crc, AllocationBits);
    m_allocation = allocation == Layer1ForbiddenAllocation ? 0 : allocation;
    if (m_allocation != 0) {
        m_factor = Layer1QuantizationTable[m_allocation].Factor;
        m_offset = Layer1QuantizationTable[m_allocation].Offset;
    }
}

void Layer1Channel::ReadScaleFactor(FrameStream& stream) {
    if (m_allocation != 0) {
        m_scale = ScaleFactorTable[stream.GetBits(ScaleFactorBits)];
    }
}

void Layer1Channel::ReadSample(FrameStream& stream) {
    if (m_allocation != 0) {
        m_sample = stream.GetBits(m_allocation + 1);
    }
}

void Layer1SubbandMono::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_channel.ReadAllocation(stream, crc);
}

void Layer1SubbandMono::ReadScaleFactor(FrameStream& stream) { m_channel.ReadScaleFactor(stream); }

bool Layer1SubbandMono::ReadSampleData(FrameStream& stream) {
    m_channel.ReadSample(stream);
    return m_count.Next();
}

void Layer1SubbandMono::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    if (m_channel.HasSamples()) {
        const float value = m_channel.Value();
        routing.PutMono(&value, 1, m_index, firstBlock);
    }
}

void Layer1SubbandStereo::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_left.ReadAllocation(stream, crc);
    m_right.ReadAllocation(stream, crc);
}

void Layer1SubbandStereo::ReadScaleFactor(FrameStream& stream) {
    m_left.ReadScaleFactor(stream);
    m_right.ReadScaleFactor(stream);
}

bool Layer1SubbandStereo::ReadSampleData(FrameStream& stream) {
    m_left.ReadSample(stream);
    m_right.ReadSample(stream);
    return m_count.Next();
}

void Layer1SubbandStereo::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    if (m_left.HasSamples() || m_right.HasSamples()) {
        const float left = m_left.HasSamples() ? m_left.Value() : 0.0f;
        const float right = m_right.HasSamples() ? m_right.Value() : 0.0f;
        routing.PutPair(&left, &right, 1, m_index, firstBlock);
    }
}

void Layer1SubbandIntensity::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_shared.ReadAllocation(stream, crc);
}

void Layer1SubbandIntensity::ReadScaleFactor(FrameStream& stream) {
    if (m_shared.HasSamples()) {
        m_shared.ReadScaleFactor(stream);
        m_rightScale = ScaleFactorTable[stream.GetBits(ScaleFactorBits)];
    }
}

bool Layer1SubbandIntensity::ReadSampleData(FrameStream& stream) {
    m_shared.ReadSample(stream);
    return m_count.Next();
}

void Layer1SubbandIntensity::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    if (m_shared.HasSamples()) {
        const float fraction = m_shared.Fraction();
        const float left = fraction * m_shared.Scale();
        const float right = fraction * m_rightScale;
        routing.PutPair(&left, &right, 1, m_index, firstBlock);
    }
}

}  // namespace aurion
